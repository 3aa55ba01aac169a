#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorex {
class Control;
class FormExpr;
}  // namespace vorex

namespace vorex::python {

// What decides whether the Experimental dialog offers a field.
enum class Decider { Nothing, Technique, Electrode, Mechanism, Mode };

// One keyword of the settings: the field of the Experimental dialog it types into.
struct Keyword {
  std::string name;
  Control& (*field)(FormExpr& form, int index);
  int index;
  Decider decider;
  // For a field the dialog may derive and lock: what it derives it from.
  const char* derivedFrom;
  bool list;  // a list of whole numbers (n, p): the value chooses an item
};

// Every keyword in the dialog's order, top to bottom: the order the fields are typed in.
const std::vector<Keyword>& Keywords();
// The keyword of that name, or nullptr.
const Keyword* FindKeyword(std::string_view name);

// A bare name that stands for several keywords ("D": every species shown) or for the first
// species or reaction ("C", "n", "E0", "alpha", "ks", "kf", "kb", "p"); empty when it is none.
std::vector<const Keyword*> AliasTargets(std::string_view name);
bool IsEveryShownAlias(std::string_view name);

// Every keyword name and alias, for the message that refuses an unknown one.
std::string ValidNames();

// Fit index 1..19 of a fittable name ("C_A", "ks_1", "alpha_2", "E0_3", "kf_1", "kb_2", or a
// bare "C", "ks", "alpha", "E0", "kf", "kb" for the first); 0 when the name is not fittable.
int FitIndexOf(std::string_view name);
// The keyword name of fit index k.
std::string FitName(int k);

}  // namespace vorex::python
