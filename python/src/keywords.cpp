#include "keywords.h"

#include <array>

#include "experiment/form_expr.h"

namespace vorex::python {
namespace {

using Field = Control& (*)(FormExpr&, int);

Keyword Scalar(const char* name, Field field, Decider decider = Decider::Nothing,
               const char* derivedFrom = nullptr) {
  return Keyword{name, field, Control::kNoIndex, decider, derivedFrom, false};
}

constexpr std::array<const char*, 4> kSpecies{"A", "B", "C", "D"};

std::vector<Keyword> MakeKeywords() {
  std::vector<Keyword> k;
  k.push_back(Scalar("E_start", [](FormExpr& f, int) -> Control& { return f.Estart(); }));
  k.push_back(Scalar("E_end", [](FormExpr& f, int) -> Control& { return f.Eend(); }));
  k.push_back(Scalar("E_step", [](FormExpr& f, int) -> Control& { return f.Estep(); }));
  k.push_back(Scalar(
      "scan_rate", [](FormExpr& f, int) -> Control& { return f.V(); }, Decider::Technique));
  k.push_back(Scalar(
      "t_drop", [](FormExpr& f, int) -> Control& { return f.td(); }, Decider::Technique,
      "t_drop = E_step / scan_rate"));
  k.push_back(Scalar(
      "t_pulse", [](FormExpr& f, int) -> Control& { return f.tp(); }, Decider::Technique,
      "t_pulse = 0.5 / frequency"));
  k.push_back(Scalar(
      "E_pulse", [](FormExpr& f, int) -> Control& { return f.Epulse(); }, Decider::Technique));
  k.push_back(Scalar(
      "frequency", [](FormExpr& f, int) -> Control& { return f.TextF(); }, Decider::Technique));
  k.push_back(Scalar("temperature", [](FormExpr& f, int) -> Control& { return f.txttemp(); }));
  k.push_back(Scalar("noise", [](FormExpr& f, int) -> Control& { return f.Noise(); }));
  k.push_back(Scalar("Cdl", [](FormExpr& f, int) -> Control& { return f.Cdl(); }));
  k.push_back(Scalar(
      "Ru", [](FormExpr& f, int) -> Control& { return f.Ru(); }, Decider::Mode));
  k.push_back(Scalar(
      "area", [](FormExpr& f, int) -> Control& { return f.ARE(); }, Decider::Electrode,
      "the area from the radius and length"));
  k.push_back(Scalar(
      "radius", [](FormExpr& f, int) -> Control& { return f.radius(); }, Decider::Electrode));
  k.push_back(Scalar(
      "length", [](FormExpr& f, int) -> Control& { return f.leng(); }, Decider::Electrode));
  k.push_back(Scalar(
      "viscosity", [](FormExpr& f, int) -> Control& { return f.TextVis(); }, Decider::Electrode));
  k.push_back(Scalar(
      "rotation_rate", [](FormExpr& f, int) -> Control& { return f.TextRrate(); },
      Decider::Electrode));
  k.push_back(Scalar("distance", [](FormExpr& f, int) -> Control& { return f.TextDis(); }));
  k.push_back(
      Scalar("electrolyte_C", [](FormExpr& f, int) -> Control& { return f.TextElectrolyteC(); }));
  k.push_back(Scalar("electrolyte_cond",
                     [](FormExpr& f, int) -> Control& { return f.TextElectrolyteCond(); }));
  const auto row = [&](const std::string& name, Field field, int index, bool list = false) {
    k.push_back(Keyword{name, field, index, Decider::Mechanism, nullptr, list});
  };
  for (int i = 1; i <= 4; ++i) {
    row(
        std::string("D_") + kSpecies[static_cast<std::size_t>(i - 1)],
        [](FormExpr& f, int s) -> Control& { return f.D(s); }, i);
  }
  for (int i = 1; i <= 4; ++i) {
    row(
        std::string("C_") + kSpecies[static_cast<std::size_t>(i - 1)],
        [](FormExpr& f, int s) -> Control& { return f.C(s); }, i);
  }
  for (int i = 1; i <= 4; ++i) {
    row(
        std::string("cond_") + kSpecies[static_cast<std::size_t>(i - 1)],
        [](FormExpr& f, int s) -> Control& { return f.Cond(s - 1); }, i);
  }
  for (int j = 1; j <= 3; ++j) {
    const std::string n = std::to_string(j);
    row(
        "n_" + n, [](FormExpr& f, int r) -> Control& { return f.NEL(r); }, j, true);
    row(
        "E0_" + n, [](FormExpr& f, int r) -> Control& { return f.Eze(r); }, j);
    row(
        "alpha_" + n, [](FormExpr& f, int r) -> Control& { return f.alph(r); }, j);
    row(
        "ks_" + n, [](FormExpr& f, int r) -> Control& { return f.ks(r); }, j);
  }
  for (int j = 1; j <= 3; ++j) {
    const std::string n = std::to_string(j);
    row(
        "kf_" + n, [](FormExpr& f, int r) -> Control& { return f.kf(r); }, j);
    row(
        "kb_" + n, [](FormExpr& f, int r) -> Control& { return f.kb(r); }, j);
    row(
        "p_" + n, [](FormExpr& f, int r) -> Control& { return f.pl(r); }, j, true);
  }
  return k;
}

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

// The fittable groups in fit index order: 1..4 C, 5..7 ks, 8..10 alpha, 11..13 E0, 14..16 kf,
// 17..19 kb.
struct FitGroup {
  std::string_view prefix;
  int first;
  int count;
};
constexpr std::array<FitGroup, 6> kFitGroups{{
    {"C", 1, 4},
    {"ks", 5, 3},
    {"alpha", 8, 3},
    {"E0", 11, 3},
    {"kf", 14, 3},
    {"kb", 17, 3},
}};

}  // namespace

const std::vector<Keyword>& Keywords() {
  static const std::vector<Keyword> keywords = MakeKeywords();
  return keywords;
}

const Keyword* FindKeyword(std::string_view name) {
  for (const Keyword& k : Keywords()) {
    if (k.name == name) return &k;
  }
  return nullptr;
}

bool IsEveryShownAlias(std::string_view name) {
  return name == "D";
}

std::vector<const Keyword*> AliasTargets(std::string_view name) {
  std::vector<const Keyword*> targets;
  if (IsEveryShownAlias(name)) {
    for (const char* s : kSpecies) targets.push_back(FindKeyword(std::string("D_") + s));
    return targets;
  }
  for (const auto& [alias, target] : kFirstAliases) {
    if (alias == name) targets.push_back(FindKeyword(target));
  }
  return targets;
}

std::string ValidNames() {
  std::string names = "technique, mechanism, electrode, digital, scan, cycles, D";
  for (const auto& [alias, target] : kFirstAliases) names += ", " + std::string(alias);
  for (const Keyword& k : Keywords()) names += ", " + k.name;
  return names;
}

int FitIndexOf(std::string_view name) {
  for (const FitGroup& g : kFitGroups) {
    if (name == g.prefix) return g.first;
    if (name.size() != g.prefix.size() + 2 || name.substr(0, g.prefix.size()) != g.prefix ||
        name[g.prefix.size()] != '_') {
      continue;
    }
    const char tag = name.back();
    const int offset = g.first == 1 ? tag - 'A' : tag - '1';
    if (offset >= 0 && offset < g.count) return g.first + offset;
  }
  return 0;
}

std::string FitName(int k) {
  for (const FitGroup& g : kFitGroups) {
    if (k >= g.first && k < g.first + g.count) {
      const int offset = k - g.first;
      return std::string(g.prefix) + "_" +
             (g.first == 1 ? std::string(kSpecies[static_cast<std::size_t>(offset)])
                           : std::to_string(offset + 1));
    }
  }
  return std::to_string(k);
}

}  // namespace vorex::python
