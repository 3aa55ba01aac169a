#include "experiment/settings_keywords.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "base/number_format.h"
#include "base/number_text.h"
#include "experiment/catalogue.h"
#include "experiment/field_use.h"

namespace vorex {
namespace {

// Bare names and the keyword of the first species or reaction they stand for.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kFirstAliases{{
    {"C", "C_A"},
    {"n", "n_1"},
    {"E0", "E0_1"},
    {"alpha", "alpha_1"},
    {"ks", "ks_1"},
    {"kf", "kf_1"},
    {"kb", "kb_1"},
    {"p", "p_1"},
}};

constexpr std::string_view kEveryShownD = "D";

std::string Quoted(std::string_view s) {
  std::string quoted(1, '"');
  quoted += s;
  quoted += '"';
  return quoted;
}

[[noreturn]] void Fail(const std::string& message) {
  throw KeywordError(message, false);
}

// A whole number given as a number; nothing for a fraction, a name or a truth value.
std::optional<long> WholeNumber(const KeywordValue& v) {
  if (v.kind != KeywordValue::Kind::Number) return std::nullopt;
  const std::optional<double> x = StrictNumber(v.text);
  if (!x || *x != std::floor(*x) || std::fabs(*x) > 1e9) return std::nullopt;
  return static_cast<long>(*x);
}

// The keywords that choose rather than fill a field: technique, mode, mechanism, electrode, scan.
struct Choices {
  const Keyword* technique = nullptr;
  const Keyword* digital = nullptr;
  const Keyword* mechanism = nullptr;
  const Keyword* electrode = nullptr;
  const Keyword* scan = nullptr;
  const Keyword* cycles = nullptr;

  // Takes a choice keyword; false for any other.
  bool Take(const Keyword& k) {
    const Keyword** slot = k.name == "technique"   ? &technique
                           : k.name == "digital"   ? &digital
                           : k.name == "mechanism" ? &mechanism
                           : k.name == "electrode" ? &electrode
                           : k.name == "scan"      ? &scan
                           : k.name == "cycles"    ? &cycles
                                                   : nullptr;
    if (slot == nullptr) return false;
    if ((slot == &scan && cycles) || (slot == &cycles && scan)) {
      Fail("give scan or cycles, not both");
    }
    *slot = &k;
    return true;
  }
};

// The Scan item a technique's short name implies: "lsv" single, "cv" a cycle; -1 for the others.
int SetTechnique(Settings& s, const KeywordValue& v) {
  if (v.kind == KeywordValue::Kind::Name) {
    if (v.text == "cv") {
      s.SetTechnique(TechniqueCode::LinearSweep);
      return 1;
    }
    for (int t = 1; t <= kTechniqueCount; ++t) {
      const auto code = static_cast<TechniqueCode>(t);
      if (v.text == Technique(code).name) {
        s.SetTechnique(code);
        return code == TechniqueCode::LinearSweep ? 0 : -1;
      }
    }
  }
  Fail("technique must be one of \"lsv\", \"cv\", \"dc\", \"np\", \"dp\", \"sw\"; got " + v.shown);
}

void SetElectrode(Settings& s, const KeywordValue& v) {
  const std::vector<std::string>& names = TableField(FieldId::Electrode).items;
  if (v.kind == KeywordValue::Kind::Name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (v.text == names[i]) return s.SetElectrode(static_cast<ElectrodeCode>(i + 1));
    }
  } else if (const std::optional<long> code = WholeNumber(v); code && *code >= 1 && *code <= 8) {
    return s.SetElectrode(static_cast<ElectrodeCode>(*code));
  }
  std::string listed;
  for (const std::string& n : names) listed += (listed.empty() ? "" : ", ") + Quoted(n);
  Fail("electrode must be one of " + listed + " (or its code 1..8); got " + v.shown);
}

std::optional<bool> TruthValue(const KeywordValue& v) {
  if (v.kind == KeywordValue::Kind::Flag) return v.flag;
  const std::optional<long> n = WholeNumber(v);
  if (n && (*n == 0 || *n == 1)) return *n == 1;
  return std::nullopt;
}

void SetScan(Settings& s, const Choices& c, int techniqueScan) {
  int item = -1;
  if (c.scan != nullptr) {
    const KeywordValue& v = c.scan->value;
    if (v.kind == KeywordValue::Kind::Name)
      item = s.Set(FieldId::Scan, v.text) ? -1 : s.ListIndex(FieldId::Scan);
    if (item < 0) {
      Fail(
          "scan must be one of \"single\", \"cycle\", \"2 cycles\", \"measured\" (the Scan "
          "list); got " +
          v.shown);
    }
  } else if (c.cycles != nullptr) {
    const std::optional<long> cycles = WholeNumber(c.cycles->value);
    if (!cycles || *cycles < 1 || *cycles > 2)
      Fail("cycles must be 1 or 2; got " + c.cycles->value.shown);
    const bool cv = c.technique != nullptr ? techniqueScan == 1 : TechniqueKeywordName(s) == "cv";
    if (!cv) {
      Fail(
          "cycles applies to technique \"cv\"; for another technique set scan to \"single\", "
          "\"cycle\" or \"2 cycles\"");
    }
    item = static_cast<int>(*cycles);
  } else if (techniqueScan >= 0) {
    item = techniqueScan;
  } else {
    return;
  }
  const bool measured = item == CodeNumber(ScanCode::Measured);
  if (techniqueScan == 0 && item != 0 && !measured) {
    Fail("technique \"lsv\" is a single sweep; use technique \"cv\" for a cycle");
  }
  if (techniqueScan == 1 && item == 0) {
    Fail("technique \"cv\" cycles; use technique \"lsv\" for a single sweep");
  }
  s.SetScan(static_cast<ScanCode>(item));
}

// A built-in mechanism by its number, the written one by 18, or a text that writes one (it holds
// "="): then the mechanism is the written one and mechanism_text the text.
void SetMechanism(Settings& s, const KeywordValue& v) {
  if (v.kind == KeywordValue::Kind::Name && v.text.find('=') != std::string::npos) {
    if (const auto refused = s.Set(FieldId::MechanismText, v.text)) Fail("mechanism: " + *refused);
    s.SetMechanism(MechanismCode::Written);
    return;
  }
  const std::optional<long> m = WholeNumber(v);
  if (!m || *m < 1 || *m > kWrittenMechanismNumber) {
    Fail(
        "mechanism must be a whole number from 1 to 17, 18 for the written one, or a mechanism "
        "text such as \"A + e = B; B = C\"; got " +
        v.shown);
  }
  s.SetMechanism(static_cast<MechanismCode>(*m));
}

void CheckOffered(const Settings& s) {
  const MechanismCode m = s.Mechanism();
  if (!MechanismOffered(m, s.Digital())) {
    std::string offered;
    for (int i = 1; i <= kWrittenMechanismNumber; ++i) {
      if (MechanismOffered(static_cast<MechanismCode>(i), s.Digital())) {
        offered += (offered.empty() ? "" : ", ") + std::to_string(i);
      }
    }
    Fail("mechanism " + std::to_string(CodeNumber(m)) + " (" +
         std::string(Unnumbered(Mechanism(m).caption)) + ") is not offered by the Mechanism " +
         "dialog for " + (s.Digital() ? "digital" : "analytical (digital=False)") +
         " simulation; it offers mechanisms " + offered);
  }
  const ElectrodeCode e = s.Electrode();
  if (!ElectrodeOffered(e, s.Digital())) {
    Fail("electrode " + Quoted(Electrode(e).name) + " (" +
         std::string(Unnumbered(Electrode(e).caption)) +
         ") is not offered by the Experimental dialog for " +
         (s.Digital() ? "digital simulation; set digital=False"
                      : "analytical simulation; set digital=True"));
  }
}

void SetChoices(Settings& s, const Choices& c, KeywordCheck check) {
  int techniqueScan = -1;
  if (c.technique != nullptr) techniqueScan = SetTechnique(s, c.technique->value);
  if (c.mechanism != nullptr) SetMechanism(s, c.mechanism->value);
  if (c.electrode != nullptr) SetElectrode(s, c.electrode->value);
  if (c.digital != nullptr) {
    const std::optional<bool> digital = TruthValue(c.digital->value);
    if (!digital) Fail("digital must be True or False; got " + c.digital->value.shown);
    s.SetDigital(*digital);
  }
  SetScan(s, c, techniqueScan);
  const bool chosen = c.technique || c.mechanism || c.electrode || c.digital;
  if (check == KeywordCheck::AsTheDialogsOffer && chosen) CheckOffered(s);
}

// One field's value as a keyword gave it.
struct Given {
  FieldId id;
  const Keyword* keyword;
  bool whereShown;  // from the bare D: only where the dialog shows the row
};

// The fields the keywords name, in the dialog's order; a species' own D wins over the bare D.
std::vector<Given> FieldsGiven(const std::vector<const Keyword*>& fields) {
  std::vector<Given> given;
  given.reserve(fields.size() + 3);
  for (const Keyword* k : fields) {
    std::array<FieldId, 4> targets{};
    std::size_t count = 0;
    const bool whereShown = k->name == kEveryShownD;
    if (whereShown) {
      for (int i = 1; i <= 4; ++i) targets[count++] = Row(FieldId::D1, i);
    } else if (const FieldSpec* f = FieldNamed(k->name)) {
      targets[count++] = f->id;
    } else {
      Fail("unknown keyword \"" + k->name + "\"; valid names: " + ValidKeywordNames());
    }
    for (std::size_t t = 0; t < count; ++t) {
      const FieldId id = targets[t];
      const auto same =
          std::find_if(given.begin(), given.end(), [id](const Given& g) { return g.id == id; });
      if (same == given.end()) {
        given.push_back(Given{id, k, whereShown});
      } else if (!whereShown) {
        if (!same->whereShown) {
          Fail(k->name + " and " + same->keyword->name + " both set " + TableField(id).keyword +
               "; give one of them");
        }
        *same = Given{id, k, false};
      }
    }
  }
  std::sort(given.begin(), given.end(),
            [](const Given& a, const Given& b) { return FieldNumber(a.id) < FieldNumber(b.id); });
  return given;
}

std::string FieldValueOf(const FieldSpec& f, const KeywordValue& v, KeywordCheck check) {
  const std::string& name = f.keyword;
  switch (f.kind) {
    case FieldKind::Text:
      if (v.kind == KeywordValue::Kind::Number) return v.text;
      if (v.kind == KeywordValue::Kind::Name && f.id == FieldId::MechanismText) return v.text;
      if (v.kind == KeywordValue::Kind::Name && check == KeywordCheck::AsStored) return v.text;
      throw KeywordError(name + " must be a real number; got " + v.shown, true);
    case FieldKind::List: {
      const std::optional<long> n = WholeNumber(v);
      const std::string item = n ? std::to_string(*n) : v.text;
      // A list of numbers (p) takes a number; a list of words takes the word.
      const bool words = !f.items.empty() && !WholeNumber(KeywordValue::Number(f.items[0], ""));
      for (const std::string& i : f.items) {
        const bool named = words && v.kind == KeywordValue::Kind::Name;
        if (i == item && (n || named || check == KeywordCheck::AsStored)) return item;
      }
      if (words) {
        std::string listed;
        for (const std::string& i : f.items) listed += (listed.empty() ? "\"" : ", \"") + i + "\"";
        Fail(name + " must be one of " + listed + "; got " + v.shown);
      }
      Fail(name + " must be one of the dialog's list, 1 to " + std::to_string(f.items.size()) +
           "; got " + v.shown);
    }
    case FieldKind::Check: {
      const std::optional<bool> flag = TruthValue(v);
      if (!flag) Fail(name + " must be True or False; got " + v.shown);
      return *flag ? "1" : "0";
    }
    default:
      Fail(name + " cannot be set: the Experimental dialog derives it");
  }
}

}  // namespace

KeywordValue KeywordValue::Number(std::string text, std::string shown) {
  return KeywordValue{Kind::Number, std::move(text), false, std::move(shown)};
}
KeywordValue KeywordValue::Name(std::string name, std::string shown) {
  return KeywordValue{Kind::Name, std::move(name), false, std::move(shown)};
}
KeywordValue KeywordValue::Flag(bool flag, std::string shown) {
  return KeywordValue{Kind::Flag, "", flag, std::move(shown)};
}

void SetByKeywords(Settings& settings, const std::vector<Keyword>& keywords, KeywordCheck check) {
  Choices choices;
  std::vector<const Keyword*> fields;
  fields.reserve(keywords.size());
  for (const Keyword& k : keywords) {
    if (!choices.Take(k)) fields.push_back(&k);
  }
  Settings& work = settings;
  SetChoices(work, choices, check);
  for (const Given& g : FieldsGiven(fields)) {
    const FieldSpec& f = TableField(g.id);
    if (g.whereShown && !FieldShown(work, f.id)) continue;
    if (check == KeywordCheck::AsTheDialogsOffer) {
      if (auto why = WhyNotSettable(work, f.id, g.keyword->name)) Fail(*why);
    }
    work.Set(f.id, FieldValueOf(f, g.keyword->value, check));
  }
}

std::string TechniqueKeywordName(const Settings& s) {
  if (s.Technique() == TechniqueCode::LinearSweep) {
    const ScanCode scan = s.Scan();
    return scan == ScanCode::Single || scan == ScanCode::Measured ? "lsv" : "cv";
  }
  return std::string(Technique(s.Technique()).name);
}

std::vector<Keyword> KeywordsOf(const Settings& s) {
  std::vector<Keyword> out;
  for (const FieldSpec& f : SettingsTable()) {
    if (!IsStored(f.id)) break;
    const std::string value(s.Value(f.id));
    KeywordValue v;
    if (f.id == FieldId::Technique) {
      v = KeywordValue::Name(TechniqueKeywordName(s), "");
    } else if (f.id == FieldId::Electrode) {
      v = KeywordValue::Name(f.items[static_cast<std::size_t>(CodeNumber(s.Electrode()) - 1)], "");
    } else if (f.id == FieldId::Scan || f.id == FieldId::MechanismText) {
      v = KeywordValue::Name(value, "");
    } else if (f.kind == FieldKind::Check) {
      v = KeywordValue::Flag(value == "1", "");
    } else {
      v = KeywordValue::Number(value, "");
    }
    out.push_back(Keyword{f.keyword, std::move(v)});
  }
  return out;
}

const FieldSpec* FieldNamed(std::string_view name) {
  if (const FieldSpec* f = FieldByKeyword(name)) return f;
  for (const auto& [alias, target] : kFirstAliases) {
    if (alias == name) return FieldByKeyword(target);
  }
  return nullptr;
}

const std::string& ValidKeywordNames() {
  static const std::string names = [] {
    std::string text = "technique, mechanism, electrode, digital, scan, cycles, D";
    for (const auto& [alias, target] : kFirstAliases) text += ", " + std::string(alias);
    for (const FieldSpec& f : SettingsTable()) {
      if (f.kind == FieldKind::Derived || f.id == FieldId::Technique || f.id == FieldId::Digital ||
          f.id == FieldId::Mechanism || f.id == FieldId::Electrode || f.id == FieldId::Scan) {
        continue;
      }
      text += ", " + f.keyword;
    }
    return text;
  }();
  return names;
}

std::string CanonicalValue(const Settings& s, FieldId id) {
  const std::string_view text = s.Value(id);
  if (TableField(id).kind != FieldKind::Text) return std::string(text);
  const std::optional<double> value = StrictNumber(text);
  return value ? FormatRoundTrip(*value) : std::string(text);
}

bool SameExperiment(const Settings& a, const Settings& b) {
  for (int i = 0; i < kStoredFieldCount; ++i) {
    const auto id = static_cast<FieldId>(i);
    if (a.Value(id) != b.Value(id) && CanonicalValue(a, id) != CanonicalValue(b, id)) return false;
  }
  return true;
}

}  // namespace vorex
