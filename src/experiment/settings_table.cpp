#include "experiment/settings_table.h"

#include <array>
#include <stdexcept>
#include <unordered_map>

#include "base/control.h"
#include "experiment/catalogue.h"

namespace vorex {
namespace {

constexpr std::array<const char*, 4> kSpecies{"A", "B", "C", "D"};
constexpr const char* kConductivityLabel = "\u03bb (M/\u03a9)";

struct Builder {
  std::vector<FieldSpec> table;

  FieldSpec& Add(FieldId id, const char* window, const char* control, int index,
                 std::string keyword, FieldKind kind, std::string label, std::string tip,
                 const char* frame, const char* unit, std::string defaultValue,
                 FieldUse use = FieldUse::Always, int row = 0) {
    if (static_cast<int>(table.size()) != FieldNumber(id)) {
      throw std::logic_error("settings table out of order at " + keyword);
    }
    table.push_back(FieldSpec{id,
                              window,
                              control,
                              index,
                              std::move(keyword),
                              kind,
                              std::move(label),
                              std::move(tip),
                              frame,
                              unit,
                              std::move(defaultValue),
                              {},
                              use,
                              row});
    return table.back();
  }
  FieldSpec& Expr(FieldId id, const char* control, std::string keyword, std::string label,
                  std::string tip, const char* frame, const char* unit, std::string value,
                  FieldUse use = FieldUse::Always, int row = 0, int index = Control::kNoIndex) {
    return Add(id, "FormExpr", control, index, std::move(keyword), FieldKind::Text,
               std::move(label), std::move(tip), frame, unit, std::move(value), use, row);
  }
};

void AddChoices(Builder& b) {
  FieldSpec& technique =
      b.Add(FieldId::Technique, "FormTech", "optTech", Control::kNoIndex, "technique",
            FieldKind::Option, "Voltammetry", "", "FrameTech", "", "1");
  for (int t = 1; t <= kTechniqueCount; ++t) {
    technique.items.emplace_back(Technique(static_cast<TechniqueCode>(t)).name);
  }
  b.Add(FieldId::Digital, "FormTech", "CheckDigital", Control::kNoIndex, "digital",
        FieldKind::Check, "digital simulation", "", "", "", "1");
  b.Add(FieldId::StepsPerPoint, "FormTech", "TextSteps", Control::kNoIndex, "steps_per_point",
        FieldKind::Text, "steps per point",
        "time steps per data point of the digital sweep: 1 a single step, whose peak lags about a "
        "quarter E step; 2 to 100 that many extrapolated sub-steps, about three times the cost "
        "each",
        "", "", "1", FieldUse::DigitalSweep);
  FieldSpec& mechanism =
      b.Add(FieldId::Mechanism, "FormMech", "mech", Control::kNoIndex, "mechanism",
            FieldKind::Option, "Mechanism", "", "FrameMech", "", "1");
  for (int m = 1; m <= kMechanismCount; ++m) mechanism.items.push_back(std::to_string(m));
}

void AddSpecies(Builder& b) {
  const std::array<const char*, 4> concentrations{"1e-3", "0", "0", "0"};
  for (int i = 1; i <= 4; ++i) {
    b.Expr(Row(FieldId::D1, i), "D", std::string("D_") + kSpecies[i - 1], "D (cm \u00b2/s)",
           "diffusion coefficient", "FrameSpecies", "cm\u00b2/s", "1e-5", FieldUse::Species, i, i);
  }
  for (int i = 1; i <= 4; ++i) {
    b.Expr(Row(FieldId::C1, i), "C", std::string("C_") + kSpecies[i - 1], "C anal (M)",
           "analytical concentration", "FrameSpecies", "mol/L", concentrations[i - 1],
           FieldUse::Species, i, i);
  }
  for (int i = 1; i <= 4; ++i) {
    b.Expr(Row(FieldId::Cond1, i), "Cond", std::string("cond_") + kSpecies[i - 1],
           kConductivityLabel, "conductivity", "FrameSpecies", "", std::to_string(100 * i),
           FieldUse::Species, i, i - 1);
  }
}

void AddReactions(Builder& b) {
  const std::array<const char*, 3> e0{"0.1", "-0.1", "-0.2"};
  for (int j = 1; j <= 3; ++j) {
    FieldSpec& n = b.Expr(Row(FieldId::N1, j), "NEL", "n_" + std::to_string(j), "n",
                          "electron number", "FrameHeter", "", "1", FieldUse::ChargeReaction, j, j);
    n.kind = FieldKind::List;
    n.items = {"1", "2", "3"};
  }
  const auto charge = [&](FieldId first, const char* control, const char* key, const char* label,
                          const char* tip, const char* unit, auto value) {
    for (int j = 1; j <= 3; ++j) {
      b.Expr(Row(first, j), control, key + std::to_string(j), label, tip, "FrameHeter", unit,
             value(j), FieldUse::ChargeReaction, j, j);
    }
  };
  charge(FieldId::E01, "Eze", "E0_", "E\u00b0 (V)", "standard electrode potential", "V",
         [&](int j) { return std::string(e0[j - 1]); });
  charge(FieldId::Alpha1, "alph", "alpha_", "\u03b1", "electron transfer coefficient", "",
         [](int) { return std::string("0.5"); });
  charge(FieldId::Ks1, "ks", "ks_", "ks (cm/s)", "heterogeneous standard rate constant", "cm/s",
         [](int) { return std::string("1e4"); });
  for (int k = 1; k <= 3; ++k) {
    FieldSpec& p =
        b.Expr(Row(FieldId::P1, k), "pl", "p_" + std::to_string(k), "p", "stoichiometric number",
               "FrameHomo", "", "1", FieldUse::Homogeneous, k, k);
    p.kind = FieldKind::List;
    p.items = {"1", "2", "3", "4"};
  }
  for (int k = 1; k <= 3; ++k) {
    // A second-order step multiplies concentrations relative to the largest initial one, as the
    // digital mode takes them: its constant is entered as k Cmax, in 1/s like the others.
    b.Expr(Row(FieldId::Kf1, k), "kf", "kf_" + std::to_string(k), "kf",
           "forward chemical reaction rate constant (second order: k times Cmax)", "FrameHomo",
           "1/s", "10", FieldUse::Homogeneous, k, k);
  }
  for (int k = 1; k <= 3; ++k) {
    b.Expr(Row(FieldId::Kb1, k), "kb", "kb_" + std::to_string(k), "kb",
           "backward chemical reaction rate constant (second order: k times Cmax)", "FrameHomo",
           "1/s", "0.01", FieldUse::Homogeneous, k, k);
  }
}

// One group of fit slots: the fitted parameter's keyword stem, the headers and tooltips of the
// flag and its bounds, and the bounds' design values.
struct SlotGroup {
  int first;
  const char* frame;
  const char* stem;
  const char* unit;
  std::array<const char*, 3> label;
  std::array<const char*, 3> tip;
  std::array<const char*, 4> min, max;
};

const std::array<SlotGroup, 9> kSlotGroups{{
    {1,
     "FrameSpecies",
     "C",
     "mol/L",
     {"C fitted (M)", "C min (M)", "C max (M)"},
     {"fitted concentration", "mininum concentration", "maxinum concentration"},
     {"1e-4", "0", "0", "0"},
     {"1e-2", "1e-2", "1e-2", "1e-2"}},
    {5,
     "FrameHeter",
     "ks",
     "cm/s",
     {"ks fitted", "ks min", "ks max"},
     {"fitted heterogeneous standard rate constant", "mininum heterogeneous standard rate constant",
      "maxinum heterogeneous standard rate constant"},
     {"1e-4", "1e-4", "1e-4", ""},
     {"100", "100", "100", ""}},
    {8,
     "FrameHeter",
     "alpha",
     "",
     {"\u03b1 fitted", "\u03b1 min", "\u03b1 max"},
     {"fitted electron transfer coefficient", "mininum electron transfer coefficient",
      "maxinum electron transfer coefficient"},
     {"0.4", "0.4", "0.4", ""},
     {"0.6", "0.6", "0.6", ""}},
    {11,
     "FrameHeter",
     "E0",
     "V",
     {"E\u00b0 fitted (V)", "E\u00b0 min", "E\u00b0 max (V)"},
     {"fitted standard electrode potential", "mininum standard electrode potential",
      "maxinum standard electrode potential"},
     {"-0.2", "-0.2", "-0.2", ""},
     {"0.2", "0.2", "0.3", ""}},
    {14,
     "FrameHomo",
     "kf",
     "1/s",
     {"kf fitted", "kf min", "kf max"},
     {"fitted forward chemical reaction rate constant",
      "mininum forward chemical reaction rate constant",
      "maxinum forward chemical reaction rate constant"},
     {"1", "1", "1", ""},
     {"100", "100", "100", ""}},
    {17,
     "FrameHomo",
     "kb",
     "1/s",
     {"kb fitted", "kb min", "kb max"},
     {"fitted backward chemical reaction rate constant",
      "mininum backward chemical reaction rate constant",
      "maxinum backward chemical reaction rate constant"},
     {"0.001", "0.001", "0.001", ""},
     {"1", "1", "1", ""}},
    {20,
     "FrameSpecies",
     "D",
     "cm2/s",
     {"D fitted", "D min", "D max"},
     {"fitted diffusion coefficient", "mininum diffusion coefficient",
      "maxinum diffusion coefficient"},
     {"1e-6", "1e-6", "1e-6", "1e-6"},
     {"1e-4", "1e-4", "1e-4", "1e-4"}},
    {24,
     "FrameInstrument",
     "Cdl",
     "F",
     {"Cd fitted", "Cd min", "Cd max"},
     {"fitted double layer capacitor", "mininum double layer capacitor",
      "maxinum double layer capacitor"},
     {"0", "", "", ""},
     {"1e-4", "", "", ""}},
    {25,
     "FrameInstrument",
     "Ru",
     "ohm",
     {"Ru fitted", "Ru min", "Ru max"},
     {"fitted resistance", "mininum resistance", "maxinum resistance"},
     {"0", "", "", ""},
     {"1000", "", "", ""}},
}};

const SlotGroup& GroupOf(int slot) {
  const SlotGroup* found = &kSlotGroups.front();
  for (const SlotGroup& g : kSlotGroups) {
    if (g.first <= slot) found = &g;
  }
  return *found;
}

// "C_A", "ks_2", "Ru": the keyword of the parameter fit slot s fits.
std::string SlotParameter(int s) {
  const SlotGroup& g = GroupOf(s);
  const int row = s - g.first + 1;
  if (g.first >= 24) return g.stem;
  const bool species = g.first == 1 || g.first == 20;
  return std::string(g.stem) + "_" + (species ? kSpecies[row - 1] : std::to_string(row));
}

FieldUse SlotRowUse(int s) {
  if (s <= 4 || (s >= 20 && s <= 23)) return FieldUse::Species;
  if (s == 24) return FieldUse::Always;
  if (s == 25) return FieldUse::DigitalOnly;
  return s <= 13 ? FieldUse::ChargeReaction : FieldUse::Homogeneous;
}

void AddFitSlots(Builder& b) {
  const char* suffix[] = {"_fitted", "_min", "_max"};
  const FieldId first[] = {FieldId::Fitted1, FieldId::Min1, FieldId::Max1};
  const char* control[] = {"CheckFitted", "TextCmin", "TextCmax"};
  for (int part = 0; part < 3; ++part) {
    for (int s = 1; s <= kFitSlots; ++s) {
      const SlotGroup& g = GroupOf(s);
      const int row = s - g.first;
      const int rowUse = s >= 24 ? 0 : row + 1;
      const std::string value =
          part == 0 ? (s == 1 ? "1" : "0") : (part == 1 ? g.min[row] : g.max[row]);
      FieldSpec& f =
          b.Expr(Row(first[part], s), control[part], SlotParameter(s) + suffix[part], g.label[part],
                 g.tip[part], g.frame, part == 0 ? "" : g.unit, value,
                 part == 0 ? SlotRowUse(s) : FieldUse::FitBound, part == 0 ? rowUse : s, s);
      if (part == 0) f.kind = FieldKind::Check;
    }
  }
}

void AddInstrument(Builder& b) {
  const char* f = "FrameInstrument";
  b.Expr(FieldId::EStart, "Estart", "E_start", "E start (V)", "starting potential", f, "V", "0.3");
  b.Expr(FieldId::EEnd, "Eend", "E_end", "E end  (V)", "ending potential", f, "V", "-0.3");
  b.Expr(FieldId::EStep, "Estep", "E_step", "E step (V)", "potential step", f, "V", "0.005");
  b.Expr(FieldId::ScanRate, "V", "scan_rate", "v (V/s)", "scan rate", f, "V/s", "0.01",
         FieldUse::ScanRate);
  b.Expr(FieldId::TPulse, "tp", "t_pulse", "t pulse (s)", "pulse time width", f, "s", "0.05",
         FieldUse::PulseTime);
  b.Expr(FieldId::EPulse, "Epulse", "E_pulse", "E pulse (V)", "pulse potential", f, "V", "-0.05",
         FieldUse::PulsePotential);
  b.Expr(FieldId::Frequency, "TextF", "frequency", "f (Hz)", "frequence", f, "Hz", "10",
         FieldUse::Frequency);
  FieldSpec& scan = b.Expr(FieldId::Scan, "ComboScan", "scan", "Scan", "", f, "", "single");
  scan.kind = FieldKind::List;
  scan.items = {"single", "cycle", "2 cycles", "measured"};
  b.Expr(FieldId::TRest, "txtTRest", "t_rest", "t rest (s)", "rest at E start before the sweep", f,
         "s", "0", FieldUse::ScanRate);
  b.Expr(FieldId::Temperature, "txttemp", "temperature", "T ( \u00b0C)", "temperature", f,
         "\u00b0C", "25");
  b.Expr(FieldId::Noise, "Noise", "noise", "Noise (%)", "ratio of noise to maxinum signal", f, "%",
         "0");
  b.Expr(FieldId::Cdl, "Cdl", "Cdl", "C d (F)", "double layer capacitor", f, "F", "0");
  b.Expr(FieldId::Ru, "Ru", "Ru", "R u (\u03a9)", "resistance", f, "ohm", "0",
         FieldUse::DigitalOnly);
  // Fitted with the rest of a fit; "none" keeps a fit to the simulation alone.
  FieldSpec& background = b.Expr(FieldId::Background, "ComboBackground", "background", "Background",
                                 "background fitted with the rest", f, "", "none");
  background.kind = FieldKind::List;
  background.items = {"none", "constant", "linear", "quadratic"};
}

void AddElectrode(Builder& b) {
  const char* f = "FrameElectrode";
  FieldSpec& electrode = b.Add(FieldId::Electrode, "FormExpr", "optElectrode", Control::kNoIndex,
                               "electrode", FieldKind::Option, "Electrode", "", f, "", "1");
  for (int e = 1; e <= kElectrodeCount; ++e) {
    electrode.items.emplace_back(Electrode(static_cast<ElectrodeCode>(e)).name);
  }
  b.Expr(FieldId::Radius, "radius", "radius", "Radius (cm)", "electrode radius", f, "cm", "0.2821",
         FieldUse::Radius);
  b.Expr(FieldId::Length, "leng", "length", "Length (cm)", "electrode length or film thickness", f,
         "cm", "0.01", FieldUse::Length);
  b.Expr(FieldId::Area, "ARE", "area", "Area (cm \u00b2)", "electrode area", f, "cm\u00b2", "1",
         FieldUse::Area);
  b.Expr(FieldId::RotationRate, "TextRrate", "rotation_rate",
         "Rotation (rpm):", "electrode rotation rate", f, "rpm", "100", FieldUse::RotatingDisk);
  b.Expr(FieldId::Distance, "TextDis", "distance", "Dis (cm)", "Distance", f, "cm", "1");
  const char* e = "FrameElectrolyte";
  b.Expr(FieldId::Viscosity, "TextVis", "viscosity", "Vis (cm \u00b2/s)",
         "kinematic viscosity of solution", e, "cm\u00b2/s", "0.01", FieldUse::RotatingDisk);
  b.Expr(FieldId::ElectrolyteCond, "TextElectrolyteCond", "electrolyte_cond", kConductivityLabel,
         "conductivity", e, "", "100");
  b.Expr(FieldId::ElectrolyteC, "TextElectrolyteC", "electrolyte_C", "C (M)",
         "support electrolyte concentration", e, "mol/L", "0.01");
}

void AddPreTreatment(Builder& b) {
  FieldSpec& equ = b.Expr(FieldId::PreEquilibration, "CheckPreEqu", "pre_equilibration",
                          "pre-equilibration", "", "", "", "1");
  equ.kind = FieldKind::Check;
  FieldSpec& con = b.Expr(FieldId::Preconcentration, "CheckPreCon", "preconcentration",
                          "Preconcentration", "", "", "", "0");
  con.kind = FieldKind::Check;
  const char* f = "FramePre";
  const FieldUse pre = FieldUse::Preconcentration;
  b.Expr(FieldId::EPre, "txtEPre", "E_pre", "E pre (V)", "preconcentration potential", f, "V",
         "-0.3", pre);
  b.Expr(FieldId::TPre, "txtTPre", "t_pre", "t pre (s)", "preconcentration time", f, "s", "600",
         pre);
  b.Expr(FieldId::PConst, "txtPconst", "P_const", "P const", "electrode constant", f, "", "10",
         pre);
  b.Expr(FieldId::StirRate, "txtRStir", "stir_rate", "R stir  (rpm)", "stirring rate", f, "rpm",
         "100", pre);
  b.Expr(FieldId::TPreConst, "txtTpreconst", "t_pre_const", "t pre const (/s)",
         "preconcentration time constant", f, "1/s", "1e-3", pre);
}

void AddDerived(Builder& b) {
  b.Expr(FieldId::TDrop, "td", "t_drop", "t drop  (s)", "drop time", "FrameInstrument", "s", "0.5")
      .kind = FieldKind::Derived;
  const std::array<const char*, 4> concentrations{"1e-3", "0", "0", "0"};
  for (int i = 1; i <= 4; ++i) {
    b.Expr(Row(FieldId::CInit1, i), "Cinit", std::string("C_init_") + kSpecies[i - 1], "C init (M)",
           "initial concentration", "FrameSpecies", "mol/L", concentrations[i - 1],
           FieldUse::Species, i, i)
        .kind = FieldKind::Derived;
  }
  for (int k = 1; k <= 3; ++k) {
    b.Expr(Row(FieldId::Keq1, k), "LabelKeq", "Keq_" + std::to_string(k), "Keq",
           "chemical equilibrium constant", "FrameHomo", "", "", FieldUse::Homogeneous, k, k)
        .kind = FieldKind::Derived;
  }
}

std::vector<FieldSpec> MakeTable() {
  Builder b;
  AddChoices(b);
  AddSpecies(b);
  AddReactions(b);
  AddFitSlots(b);
  AddInstrument(b);
  AddElectrode(b);
  AddPreTreatment(b);
  AddDerived(b);
  return std::move(b.table);
}

}  // namespace

std::string FieldSpec::FullName() const {
  return index == Control::kNoIndex ? control : control + "(" + std::to_string(index) + ")";
}

Decider FieldSpec::decider() const {
  switch (use) {
    case FieldUse::ScanRate:
    case FieldUse::PulseTime:
    case FieldUse::PulsePotential:
    case FieldUse::Frequency:
      return Decider::Technique;
    case FieldUse::Radius:
    case FieldUse::Length:
    case FieldUse::Area:
    case FieldUse::RotatingDisk:
      return Decider::Electrode;
    case FieldUse::Species:
    case FieldUse::ChargeReaction:
    case FieldUse::Homogeneous:
      return Decider::Mechanism;
    case FieldUse::DigitalOnly:
    case FieldUse::DigitalSweep:
      return Decider::Mode;
    default:
      return Decider::Nothing;
  }
}

const std::vector<FieldSpec>& SettingsTable() {
  static const std::vector<FieldSpec> table = MakeTable();
  return table;
}

const FieldSpec& TableField(FieldId id) {
  return SettingsTable()[static_cast<std::size_t>(FieldNumber(id))];
}

const FieldSpec* FieldByKeyword(std::string_view keyword) {
  // Looked up for every keyword of every Python call: hashed, not searched.
  static const std::unordered_map<std::string_view, const FieldSpec*> index = [] {
    std::unordered_map<std::string_view, const FieldSpec*> map;
    for (const FieldSpec& f : SettingsTable()) map.emplace(f.keyword, &f);
    return map;
  }();
  const auto found = index.find(keyword);
  return found == index.end() ? nullptr : found->second;
}

const FieldSpec* FieldByControl(std::string_view window, std::string_view control, int index) {
  for (const FieldSpec& f : SettingsTable()) {
    if (f.window == window && f.control == control && f.index == index) return &f;
  }
  return nullptr;
}

int FitSlotOf(FieldId id) {
  static constexpr std::array<FieldId, 9> kFirst{FieldId::C1,  FieldId::Ks1, FieldId::Alpha1,
                                                 FieldId::E01, FieldId::Kf1, FieldId::Kb1,
                                                 FieldId::D1,  FieldId::Cdl, FieldId::Ru};
  const std::array<int, 9> count{4, 3, 3, 3, 3, 3, 4, 1, 1};
  int slot = 1;
  for (std::size_t g = 0; g < kFirst.size(); ++g) {
    const int offset = FieldNumber(id) - FieldNumber(kFirst[g]);
    if (offset >= 0 && offset < count[g]) return slot + offset;
    slot += count[g];
  }
  return 0;
}

FieldId FitSlotField(int slot) {
  return FieldByKeyword(SlotParameter(slot))->id;
}

}  // namespace vorex
