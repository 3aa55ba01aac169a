#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "experiment/settings.h"

// The settings by keyword, as Python's vorex.Settings and the settings files name them: each
// field's keyword from the table, the bare names that stand for the first species or reaction
// ("C", "n", "E0", "alpha", "ks", "kf", "kb", "p") or for every species shown ("D"), the
// technique by its short name ("lsv" and "cv" being the linear sweep, single or cycled), and
// "cycles" for the cycles of "cv".
namespace vorex {

// A value given to a keyword: a number (as the text it is typed as), a name or a truth value.
struct KeywordValue {
  enum class Kind { Number, Name, Flag };
  Kind kind = Kind::Number;
  std::string text;   // a number's text ("0.3", "1e-05"), or the name
  bool flag = false;  // a truth value
  std::string shown;  // the value as the caller's language writes it, for the messages

  static KeywordValue Number(std::string text, std::string shown);
  static KeywordValue Name(std::string name, std::string shown);
  static KeywordValue Flag(bool flag, std::string shown);
};

struct Keyword {
  std::string name;
  KeywordValue value;
};

// A keyword that cannot be taken: unknown, a value of the wrong kind (`wrongKind`: a name where a
// number belongs, say), or a value or field the dialogs would not take, with the reason.
class KeywordError : public std::runtime_error {
 public:
  KeywordError(const std::string& message, bool wrongKind)
      : std::runtime_error(message), wrongKind_(wrongKind) {}
  bool WrongKind() const { return wrongKind_; }

 private:
  bool wrongKind_;
};

// How keywords are checked. As the dialogs offer them: a mechanism or electrode the mode does
// not offer, and a field the dialogs do not show, enable or let be typed for these settings, is
// refused with the dialogs' reason (the settings a user makes in a fresh program). As stored:
// every field is taken as it comes (a settings file holds every field).
enum class KeywordCheck { AsTheDialogsOffer, AsStored };

// Sets the settings by keywords: the technique, mode, mechanism, electrode and scan first, then
// the fields in the dialog's order. Raises KeywordError, and the settings may then be half set:
// set a copy, and keep it only when the keywords were taken.
void SetByKeywords(Settings& settings, const std::vector<Keyword>& keywords, KeywordCheck check);

// Every stored field by keyword, in the dialog's order, as SetByKeywords takes them back: the
// technique by its short name, the electrode and scan by name, the mechanism and the lists (n, p)
// as numbers, the check boxes as truth values, each text as it stands.
std::vector<Keyword> KeywordsOf(const Settings& settings);

// "lsv" or "cv" for the linear sweep (single or cycled), the short name of the others.
std::string TechniqueKeywordName(const Settings& settings);

// The field a keyword, or a bare name of a first species or reaction ("C", "ks"), stands for;
// nullptr for any other name.
const FieldSpec* FieldNamed(std::string_view name);

// Every keyword and bare name, for the message that refuses an unknown one.
const std::string& ValidKeywordNames();

// The same experiment: every field equal, where a text of a number counts by its value ("1e-3"
// is "0.001").
bool SameExperiment(const Settings& a, const Settings& b);
// A field's value as SameExperiment compares it.
std::string CanonicalValue(const Settings& settings, FieldId id);

}  // namespace vorex
