#include "experiment/settings_table.h"

#include <array>
#include <stdexcept>
#include <unordered_map>

#include "base/control.h"
#include "experiment/catalogue.h"
#include "experiment/fit_slot_quantity.h"

namespace vorex {
namespace {

constexpr std::array<const char*, kSpeciesRows> kSpecies{"A", "B", "C", "D", "E", "F", "G", "H"};
constexpr std::array<const char*, kSpeciesRows> kConcentrations{"1e-3", "0", "0", "0",
                                                                "0",    "0", "0", "0"};
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
  mechanism.items.emplace_back("written");
  b.Add(FieldId::MechanismText, "FormMech", "TextMechanism", Control::kNoIndex, "mechanism_text",
        FieldKind::Text, "Mechanism",
        "the mechanism as written: electron transfers \"A + e = B\" (\"A + 2e = B\"), chemical "
        "steps \"B = C\", \"2 B = C\", \"B + C = A + D\", separated by \";\"; species A to H",
        "FrameMech", "", "A + e = B", FieldUse::WrittenMechanism);
}

void AddSpecies(Builder& b) {
  for (int i = 1; i <= kSpeciesRows; ++i) {
    b.Expr(Row(FieldId::D1, i), "D", std::string("D_") + kSpecies[i - 1], "D (cm \u00b2/s)",
           "diffusion coefficient", "FrameSpecies", "cm\u00b2/s", "1e-5", FieldUse::Species, i, i);
  }
  for (int i = 1; i <= kSpeciesRows; ++i) {
    b.Expr(Row(FieldId::C1, i), "C", std::string("C_") + kSpecies[i - 1], "C anal (M)",
           "analytical concentration", "FrameSpecies", "mol/L", kConcentrations[i - 1],
           FieldUse::Species, i, i);
  }
  for (int i = 1; i <= kSpeciesRows; ++i) {
    b.Expr(Row(FieldId::Cond1, i), "Cond", std::string("cond_") + kSpecies[i - 1],
           kConductivityLabel, "conductivity", "FrameSpecies", "", std::to_string(100 * i),
           FieldUse::Species, i, i - 1);
  }
}

void AddReactions(Builder& b) {
  const std::array<const char*, kChargeRows> e0{"0.1", "-0.1", "-0.2", "-0.3"};
  for (int j = 1; j <= kChargeRows; ++j) {
    FieldSpec& n = b.Expr(Row(FieldId::N1, j), "NEL", "n_" + std::to_string(j), "n",
                          "electron number", "FrameHeter", "", "1", FieldUse::ChargeReaction, j, j);
    n.kind = FieldKind::List;
    n.items = {"1", "2", "3"};
  }
  const auto charge = [&](FieldId first, const char* control, const char* key, const char* label,
                          const char* tip, const char* unit, auto value) {
    for (int j = 1; j <= kChargeRows; ++j) {
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
  for (int k = 1; k <= kChemicalRows; ++k) {
    // A written step's text carries its stoichiometry: p is a built-in mechanism's.
    FieldSpec& p =
        b.Expr(Row(FieldId::P1, k), "pl", "p_" + std::to_string(k), "p", "stoichiometric number",
               "FrameHomo", "", "1", FieldUse::StoichiometricNumber, k, k);
    p.kind = FieldKind::List;
    p.items = {"1", "2", "3", "4"};
  }
  // A built-in second-order step multiplies concentrations relative to the largest initial one,
  // as the digital mode takes them: its constant is entered as k Cmax, in 1/s like the others. A
  // written step's constants are in 1/s for first order, L/(mol s) for second order.
  for (int k = 1; k <= kChemicalRows; ++k) {
    b.Expr(Row(FieldId::Kf1, k), "kf", "kf_" + std::to_string(k), "kf",
           k <= kBuiltInReactionRows
               ? "forward chemical reaction rate constant (second order: k times Cmax)"
               : "forward chemical reaction rate constant (1/s; second order L/(mol s))",
           "FrameHomo", "1/s", "10", FieldUse::Homogeneous, k, k);
  }
  for (int k = 1; k <= kChemicalRows; ++k) {
    b.Expr(Row(FieldId::Kb1, k), "kb", "kb_" + std::to_string(k), "kb",
           k <= kBuiltInReactionRows
               ? "backward chemical reaction rate constant (second order: k times Cmax)"
               : "backward chemical reaction rate constant (1/s; second order L/(mol s))",
           "FrameHomo", "1/s", "0.01", FieldUse::Homogeneous, k, k);
  }
}

// The fit slots of one quantity: the fitted parameter's keyword stem, the headers and tooltips of
// the flag and its bounds, and the bounds' design values by row.
struct SlotGroup {
  const char* frame;
  const char* stem;
  const char* unit;
  std::array<const char*, 3> label;
  std::array<const char*, 3> tip;
  std::array<const char*, kSpeciesRows> min, max;
};

// By FitQuantity.
const std::array<SlotGroup, 9> kSlotGroups{{
    {"FrameSpecies",
     "C",
     "mol/L",
     {"C fitted (M)", "C min (M)", "C max (M)"},
     {"fitted concentration", "mininum concentration", "maxinum concentration"},
     {"1e-4", "0", "0", "0", "0", "0", "0", "0"},
     {"1e-2", "1e-2", "1e-2", "1e-2", "1e-2", "1e-2", "1e-2", "1e-2"}},
    {"FrameHeter",
     "ks",
     "cm/s",
     {"ks fitted", "ks min", "ks max"},
     {"fitted heterogeneous standard rate constant", "mininum heterogeneous standard rate constant",
      "maxinum heterogeneous standard rate constant"},
     {"1e-4", "1e-4", "1e-4", "1e-4"},
     {"100", "100", "100", "100"}},
    {"FrameHeter",
     "alpha",
     "",
     {"\u03b1 fitted", "\u03b1 min", "\u03b1 max"},
     {"fitted electron transfer coefficient", "mininum electron transfer coefficient",
      "maxinum electron transfer coefficient"},
     {"0.4", "0.4", "0.4", "0.4"},
     {"0.6", "0.6", "0.6", "0.6"}},
    {"FrameHeter",
     "E0",
     "V",
     {"E\u00b0 fitted (V)", "E\u00b0 min", "E\u00b0 max (V)"},
     {"fitted standard electrode potential", "mininum standard electrode potential",
      "maxinum standard electrode potential"},
     {"-0.2", "-0.2", "-0.2", "-0.3"},
     {"0.2", "0.2", "0.3", "0.3"}},
    {"FrameHomo",
     "kf",
     "1/s",
     {"kf fitted", "kf min", "kf max"},
     {"fitted forward chemical reaction rate constant",
      "mininum forward chemical reaction rate constant",
      "maxinum forward chemical reaction rate constant"},
     {"1", "1", "1", "1"},
     {"100", "100", "100", "100"}},
    {"FrameHomo",
     "kb",
     "1/s",
     {"kb fitted", "kb min", "kb max"},
     {"fitted backward chemical reaction rate constant",
      "mininum backward chemical reaction rate constant",
      "maxinum backward chemical reaction rate constant"},
     {"0.001", "0.001", "0.001", "0.001"},
     {"1", "1", "1", "1"}},
    {"FrameSpecies",
     "D",
     "cm2/s",
     {"D fitted", "D min", "D max"},
     {"fitted diffusion coefficient", "mininum diffusion coefficient",
      "maxinum diffusion coefficient"},
     {"1e-6", "1e-6", "1e-6", "1e-6", "1e-6", "1e-6", "1e-6", "1e-6"},
     {"1e-4", "1e-4", "1e-4", "1e-4", "1e-4", "1e-4", "1e-4", "1e-4"}},
    {"FrameInstrument",
     "Cdl",
     "F",
     {"Cd fitted", "Cd min", "Cd max"},
     {"fitted double layer capacitor", "mininum double layer capacitor",
      "maxinum double layer capacitor"},
     {"0"},
     {"1e-4"}},
    {"FrameInstrument",
     "Ru",
     "ohm",
     {"Ru fitted", "Ru min", "Ru max"},
     {"fitted resistance", "mininum resistance", "maxinum resistance"},
     {"0"},
     {"1000"}},
}};

const SlotGroup& GroupOf(FitQuantity q) {
  return kSlotGroups[static_cast<std::size_t>(q)];
}

bool IsSpecies(FitQuantity q) {
  return q == FitQuantity::C || q == FitQuantity::D;
}

// "C_A", "ks_2", "Ru": the keyword of the parameter fit slot s fits.
std::string SlotParameter(int s) {
  const FitSlotQuantity slot = FitSlotQuantityOf(s);
  const SlotGroup& g = GroupOf(slot.quantity);
  if (slot.row == 0) return g.stem;
  return std::string(g.stem) + "_" +
         (IsSpecies(slot.quantity) ? kSpecies[slot.row - 1] : std::to_string(slot.row));
}

FieldUse SlotRowUse(FitQuantity q) {
  switch (q) {
    case FitQuantity::C:
    case FitQuantity::D:
      return FieldUse::Species;
    case FitQuantity::Ks:
    case FitQuantity::Alpha:
    case FitQuantity::E0:
      return FieldUse::ChargeReaction;
    case FitQuantity::Kf:
    case FitQuantity::Kb:
      return FieldUse::Homogeneous;
    case FitQuantity::Cdl:
      return FieldUse::Always;
    case FitQuantity::Ru:
      break;
  }
  return FieldUse::DigitalOnly;
}

void AddFitSlots(Builder& b) {
  const char* suffix[] = {"_fitted", "_min", "_max"};
  const FieldId first[] = {FieldId::Fitted1, FieldId::Min1, FieldId::Max1};
  const char* control[] = {"CheckFitted", "TextCmin", "TextCmax"};
  for (int part = 0; part < 3; ++part) {
    for (int s = 1; s <= kFitSlots; ++s) {
      const FitSlotQuantity slot = FitSlotQuantityOf(s);
      const SlotGroup& g = GroupOf(slot.quantity);
      const auto row = static_cast<std::size_t>(slot.row == 0 ? 0 : slot.row - 1);
      const std::string value =
          part == 0 ? (s == 1 ? "1" : "0") : (part == 1 ? g.min[row] : g.max[row]);
      FieldSpec& f = b.Expr(Row(first[part], s), control[part], SlotParameter(s) + suffix[part],
                            g.label[part], g.tip[part], g.frame, part == 0 ? "" : g.unit, value,
                            part == 0 ? SlotRowUse(slot.quantity) : FieldUse::FitBound,
                            part == 0 ? slot.row : s, s);
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
  for (int i = 1; i <= kSpeciesRows; ++i) {
    b.Expr(Row(FieldId::CInit1, i), "Cinit", std::string("C_init_") + kSpecies[i - 1], "C init (M)",
           "initial concentration", "FrameSpecies", "mol/L", kConcentrations[i - 1],
           FieldUse::Species, i, i)
        .kind = FieldKind::Derived;
  }
  for (int k = 1; k <= kChemicalRows; ++k) {
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
    case FieldUse::StoichiometricNumber:
    case FieldUse::WrittenMechanism:
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

bool WrittenOnly(FieldId id) {
  const FieldSpec& f = TableField(id);
  switch (f.use) {
    case FieldUse::WrittenMechanism:
      return true;
    case FieldUse::Species:
      return f.control == "CheckFitted" ? f.index > kBuiltInFitSlots : f.row > kBuiltInSpeciesRows;
    case FieldUse::ChargeReaction:
    case FieldUse::Homogeneous:
    case FieldUse::StoichiometricNumber:
      return f.control == "CheckFitted" ? f.index > kBuiltInFitSlots : f.row > kBuiltInReactionRows;
    case FieldUse::FitBound:
      return f.row > kBuiltInFitSlots;
    default:
      return false;
  }
}

int FitSlotOf(FieldId id) {
  static const std::unordered_map<int, int> slots = [] {
    std::unordered_map<int, int> map;
    for (int s = 1; s <= kFitSlots; ++s) map.emplace(FieldNumber(FitSlotField(s)), s);
    return map;
  }();
  const auto found = slots.find(FieldNumber(id));
  return found == slots.end() ? 0 : found->second;
}

FieldId FitSlotField(int slot) {
  const FitSlotQuantity q = FitSlotQuantityOf(slot);
  const int row = q.row;
  switch (q.quantity) {
    case FitQuantity::C:
      return Row(FieldId::C1, row);
    case FitQuantity::Ks:
      return Row(FieldId::Ks1, row);
    case FitQuantity::Alpha:
      return Row(FieldId::Alpha1, row);
    case FitQuantity::E0:
      return Row(FieldId::E01, row);
    case FitQuantity::Kf:
      return Row(FieldId::Kf1, row);
    case FitQuantity::Kb:
      return Row(FieldId::Kb1, row);
    case FitQuantity::D:
      return Row(FieldId::D1, row);
    case FitQuantity::Cdl:
      return FieldId::Cdl;
    case FitQuantity::Ru:
      break;
  }
  return FieldId::Ru;
}

}  // namespace vorex
