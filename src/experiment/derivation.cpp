#include "experiment/derivation.h"

#include <algorithm>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/catalogue.h"
#include "experiment/initial_concentrations.h"
#include "experiment/network_equilibrium.h"
#include "experiment/written_mechanism.h"

namespace vorex {
namespace {

double Value(const Settings& s, FieldId id) {
  return s.Number(id);
}

void DeriveGeometry(const Settings& s, Derivation& d) {
  const ElectrodeCode e = s.Electrode();
  if (HasComputedArea(e)) {
    try {
      const bool length = e == ElectrodeCode::Cylindrical || e == ElectrodeCode::Hemicylindrical;
      const double area =
          ElectrodeArea(e, Value(s, FieldId::Radius), length ? Value(s, FieldId::Length) : 0.0);
      d.area = FormatPattern(area, "0.##e-0");
    } catch (const RuntimeFault& fault) {
      d.areaFault = fault.Description();
    }
  } else {
    d.area = s.Value(FieldId::Area);
  }
  SkipOnFault([&] {
    d.volume = ElectrodeVolume(e, Value(s, FieldId::Radius), Value(s, FieldId::Length),
                               NumericPrefix(d.area));
  });
}

void DeriveTimes(const Settings& s, Derivation& d) {
  SkipOnFault([&] {
    d.tDrop = FormatShortest(CheckedDivide(Value(s, FieldId::EStep), Value(s, FieldId::ScanRate)));
  });
  d.tPulse = s.Value(FieldId::TPulse);
  if (s.Technique() == TechniqueCode::SquareWave) {
    SkipOnFault(
        [&] { d.tPulse = FormatShortest(CheckedDivide(0.5, Value(s, FieldId::Frequency))); });
  }
}

void DeriveEquilibriumConstants(const Settings& s, Derivation& d) {
  for (int k = 1; k <= kChemicalRows; ++k) {
    SkipOnFault([&] {
      const double backward = Value(s, Row(FieldId::Kb1, k));
      if (backward > 0) {
        d.keq[k - 1] =
            FormatPattern(CheckedDivide(Value(s, Row(FieldId::Kf1, k)), backward), "#.###e-#");
      }
    });
  }
}

double AbsoluteTemperature(const Settings& s) {
  return Value(s, FieldId::Temperature) + kZeroCelsius;
}

// A measured programme starts at its own first potential, whatever E start says: the solution is
// at equilibrium where the experiment begins.
double StartPotential(const Settings& s) {
  if (s.Scan() == ScanCode::Measured && !s.MeasuredPotentials().Empty()) {
    return s.MeasuredPotentials().View().front();
  }
  return Value(s, FieldId::EStart);
}

EquilibriumInputs EquilibriumOf(const Settings& s, const Derivation& d) {
  EquilibriumInputs in;
  in.mechanism = s.Mechanism();
  in.chargeReactions = CountsOf(s.Mechanism()).chargeReactions;
  for (int i = 1; i <= 4; ++i) in.c[static_cast<std::size_t>(i)] = Value(s, Row(FieldId::C1, i));
  for (int j = 1; j <= 3; ++j) {
    in.n[static_cast<std::size_t>(j)] = Value(s, Row(FieldId::N1, j));
    in.e0[static_cast<std::size_t>(j)] = Value(s, Row(FieldId::E01, j));
  }
  in.startPotential = StartPotential(s);
  in.fOverRT = CheckedDivide(kFaraday, kGasConstant * AbsoluteTemperature(s));
  in.k1 = NumericPrefix(d.keq[0]);
  in.p = Value(s, FieldId::P1);
  return in;
}

PreconcentrationInputs PreconcentrationOf(const Settings& s, const Derivation& d) {
  PreconcentrationInputs in;
  in.ePre = Value(s, FieldId::EPre);
  in.tPre = Value(s, FieldId::TPre);
  in.pConst = Value(s, FieldId::PConst);
  in.stirRpm = Value(s, FieldId::StirRate);
  in.e0 = Value(s, FieldId::E01);
  in.n = Value(s, FieldId::N1);
  in.dA = Value(s, FieldId::D1);
  in.area = NumericPrefix(d.area);
  in.volume = d.volume;
  in.viscosity = Value(s, FieldId::Viscosity);
  in.temperature = AbsoluteTemperature(s);
  return in;
}

NetworkEquilibriumInputs NetworkEquilibriumOf(const Settings& s, const ReactionNetwork& network) {
  NetworkEquilibriumInputs in;
  in.network = network;
  for (int i = 1; i <= network.species; ++i) {
    in.c[static_cast<std::size_t>(i)] = Value(s, Row(FieldId::C1, i));
  }
  for (int j = 1; j <= network.transferCount; ++j) {
    in.n[static_cast<std::size_t>(j)] = Value(s, Row(FieldId::N1, j));
    in.e0[static_cast<std::size_t>(j)] = Value(s, Row(FieldId::E01, j));
  }
  for (int k = 1; k <= network.stepCount; ++k) {
    in.kf[static_cast<std::size_t>(k)] = Value(s, Row(FieldId::Kf1, k));
    in.kb[static_cast<std::size_t>(k)] = Value(s, Row(FieldId::Kb1, k));
  }
  in.startPotential = StartPotential(s);
  in.fOverRT = CheckedDivide(kFaraday, kGasConstant * AbsoluteTemperature(s));
  return in;
}

// Pre-equilibration: the built-in mechanism's case, or the written network's equilibrium (none
// while its text does not parse).
void PreEquilibrated(const Settings& s, const Derivation& d,
                     std::array<std::optional<double>, kSpeciesRows>& values) {
  if (!IsWritten(s)) {
    const auto equilibrium = PreEquilibrate(EquilibriumOf(s, d));
    for (int i = 1; i <= kBuiltInSpeciesRows; ++i) {
      if (const auto& v = equilibrium[static_cast<std::size_t>(i)]) values[i - 1] = *v;
    }
    return;
  }
  const auto parsed = WrittenNetwork(s);
  const auto* network = std::get_if<ReactionNetwork>(&parsed);
  if (network == nullptr) return;
  const auto equilibrium = NetworkPreEquilibrate(NetworkEquilibriumOf(s, *network));
  for (int i = 1; i <= network->species; ++i) {
    values[i - 1] = Finite(equilibrium[static_cast<std::size_t>(i)]);
  }
}

// The analytical concentrations, brought to equilibrium at E start and preconcentrated as the
// pre-treatment boxes ask; a step that fails leaves what the one before it gave, and a
// concentration that cannot be read shows its design value.
void DeriveInitialConcentrations(const Settings& s, Derivation& d) {
  std::array<std::optional<double>, kSpeciesRows> values;
  for (int i = 1; i <= kSpeciesRows; ++i) {
    SkipOnFault([&] { values[i - 1] = Value(s, Row(FieldId::C1, i)); });
  }
  if (s.Checked(FieldId::PreEquilibration)) SkipOnFault([&] { PreEquilibrated(s, d, values); });
  if (s.Checked(FieldId::Preconcentration)) {
    SkipOnFault([&] {
      values[1] = Finite(Value(s, FieldId::C1) * PreconcentrationFactor(PreconcentrationOf(s, d)));
    });
  }
  for (int i = 1; i <= kSpeciesRows; ++i) {
    const auto& v = values[i - 1];
    d.cInit[i - 1] =
        v ? FormatPattern(*v, "0.###e-#") : TableField(Row(FieldId::CInit1, i)).defaultValue;
  }
}

}  // namespace

namespace {

// What the derivation reads: the numbers of these fields, and the texts of the two it may show
// as typed.
constexpr std::array kNumbersRead{FieldId::Technique,
                                  FieldId::Mechanism,
                                  FieldId::Kf4,
                                  FieldId::Kb4,
                                  FieldId::N4,
                                  FieldId::E04,
                                  Row(FieldId::C1, 5),
                                  Row(FieldId::C1, 6),
                                  Row(FieldId::C1, 7),
                                  FieldId::C8,
                                  FieldId::Electrode,
                                  FieldId::Radius,
                                  FieldId::Length,
                                  FieldId::EStep,
                                  FieldId::ScanRate,
                                  FieldId::Frequency,
                                  FieldId::Kf1,
                                  FieldId::Kf2,
                                  FieldId::Kf3,
                                  FieldId::Kb1,
                                  FieldId::Kb2,
                                  FieldId::Kb3,
                                  FieldId::C1,
                                  FieldId::C2,
                                  FieldId::C3,
                                  FieldId::C4,
                                  FieldId::N1,
                                  FieldId::N2,
                                  FieldId::N3,
                                  FieldId::E01,
                                  FieldId::E02,
                                  FieldId::E03,
                                  FieldId::EStart,
                                  FieldId::Temperature,
                                  FieldId::P1,
                                  FieldId::PreEquilibration,
                                  FieldId::Preconcentration,
                                  FieldId::EPre,
                                  FieldId::TPre,
                                  FieldId::PConst,
                                  FieldId::StirRate,
                                  FieldId::D1,
                                  FieldId::Viscosity};
constexpr std::array kTextsRead{FieldId::Area, FieldId::TPulse, FieldId::MechanismText};

}  // namespace

Derivation DeriveAfresh(const Settings& s) {
  Derivation d;
  DeriveGeometry(s, d);
  DeriveTimes(s, d);
  DeriveEquilibriumConstants(s, d);
  DeriveInitialConcentrations(s, d);
  return d;
}

bool DerivationReads(FieldId id) {
  return std::find(kNumbersRead.begin(), kNumbersRead.end(), id) != kNumbersRead.end() ||
         std::find(kTextsRead.begin(), kTextsRead.end(), id) != kTextsRead.end();
}

Derivation Derive(const Settings& s) {
  // A sweep over the kinetics or the instrument derives the same displays call after call: the
  // last derivation of the thread is kept with the settings it came from.
  thread_local std::optional<std::pair<Settings, Derivation>> last;
  if (last && last->first.SameIn(s, kNumbersRead, kTextsRead)) return last->second;
  Derivation d = DeriveAfresh(s);
  last.emplace(s, d);
  return d;
}

bool DerivedHere(const Settings& s, FieldId id) {
  switch (id) {
    case FieldId::Area:
      return HasComputedArea(s.Electrode());
    case FieldId::TPulse:
      return s.Technique() == TechniqueCode::SquareWave;
    default:
      return !IsStored(id);
  }
}

double ShownNumber(const Settings& s, const Derivation& d, FieldId id) {
  // A field the user sets was read when it was set.
  if (IsStored(id) && !DerivedHere(s, id)) return s.Number(id);
  return NumericPrefix(ShownText(s, d, id));
}

std::string_view ShownText(const Settings& s, const Derivation& d, FieldId id) {
  switch (id) {
    case FieldId::Area:
      return d.area;
    case FieldId::TPulse:
      return d.tPulse;
    case FieldId::TDrop:
      return d.tDrop;
    default:
      break;
  }
  const int cInit = FieldNumber(id) - FieldNumber(FieldId::CInit1);
  if (cInit >= 0 && cInit < kSpeciesRows) return d.cInit[static_cast<std::size_t>(cInit)];
  const int keq = FieldNumber(id) - FieldNumber(FieldId::Keq1);
  if (keq >= 0 && keq < kChemicalRows) return d.keq[static_cast<std::size_t>(keq)];
  return s.Value(id);
}

}  // namespace vorex
