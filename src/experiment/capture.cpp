#include "experiment/capture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/host.h"
#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_message.h"
#include "experiment/measured_programme.h"
#include "experiment/written_mechanism.h"

namespace vorex {
namespace {

// Reads the fields in the dialog's order, so that the first field refused is the one a user
// reading the dialog from the top would meet first.
class Reader {
 public:
  Reader(const Settings& s, const Derivation& d) : s_(s), d_(d) {}

  std::string_view Text(FieldId id) const { return ShownText(s_, d_, id); }
  [[noreturn]] void Reject(FieldId id, const std::string& why) const {
    throw Refusal{id, FieldMessage(TableField(id), std::string(Text(id)), why)};
  }
  double Read(FieldId id) const {
    try {
      return ShownNumber(s_, d_, id);
    } catch (const RuntimeFault&) {
      Reject(id, "is too large a number.");
    }
  }
  double ReadOrZero(FieldId id) const {
    try {
      return ShownNumber(s_, d_, id);
    } catch (const RuntimeFault&) {
      return 0;
    }
  }
  double ReadStrict(FieldId id) const {
    const std::optional<double> value = StrictNumber(Text(id));
    if (!value) Reject(id, "is not a number.");
    return std::fabs(*value);
  }

 private:
  const Settings& s_;
  const Derivation& d_;
};

void ReadChoices(const Settings& s, ParameterSet& p) {
  p.Technique = s.Technique();
  p.Digital = s.Digital();
  p.Mechanism = s.Mechanism();
  p.Electrode = s.Electrode();
  const ReactionCounts counts = CountsOf(s);
  p.Network = ReactionNetwork{};
  if (IsWritten(s)) {
    const auto parsed = WrittenNetwork(s);
    if (const auto* network = std::get_if<ReactionNetwork>(&parsed)) p.Network = *network;
  }
  p.SpeciesCount = static_cast<std::int16_t>(counts.species);
  p.ChargeReactionCount = static_cast<std::int16_t>(counts.chargeReactions);
  p.HomogeneousReactionCount = static_cast<std::int16_t>(counts.homogeneousReactions);
  p.ScanCount = ScanCount(s.Scan());
}

// A written mechanism whose text writes none, or asked of the closed forms, which hold for
// built-in mechanisms only.
void CheckWritten(const Settings& s) {
  if (!IsWritten(s)) return;
  if (const auto fault = WrittenMechanismFault(s)) {
    throw Refusal{FieldId::MechanismText, *fault};
  }
  if (!s.Digital()) {
    throw Refusal{FieldId::Mechanism,
                  "Mechanism 18 (written) is not offered for analytical simulation: the closed "
                  "forms hold for the built-in mechanisms 1, 4 and 9 only; tick digital "
                  "simulation in the Techniques dialog."};
  }
}

// The sweep's steps per point, read where the Techniques dialog enables it; elsewhere the run
// takes one step per point whatever the field holds, as the dialog leaves it greyed.
void ReadStepsPerPoint(const Reader& r, ParameterSet& p) {
  p.StepsPerPoint = 1;
  if (!p.Digital || p.Technique != TechniqueCode::LinearSweep) return;
  const FieldId id = FieldId::StepsPerPoint;
  const std::optional<double> value = StrictNumber(r.Text(id));
  if (!value || *value != std::floor(*value) || *value < 1 || *value > kMostStepsPerPoint) {
    r.Reject(id, "must be a whole number from 1 to " + std::to_string(kMostStepsPerPoint) +
                     " (1: one step per point).");
  }
  p.StepsPerPoint = static_cast<int>(*value);
}

void ReadScalars(const Reader& r, const Derivation& d, ParameterSet& p) {
  p.EStart = r.Read(FieldId::EStart);
  p.EEnd = r.Read(FieldId::EEnd);
  p.EStep = r.ReadStrict(FieldId::EStep);
  p.Area = r.Read(FieldId::Area);
  p.Cdl = r.Read(FieldId::Cdl);
  p.Temperature = r.Read(FieldId::Temperature) + kZeroCelsius;
  p.EPulse = r.Read(FieldId::EPulse);
  p.NoisePercent = r.Read(FieldId::Noise);
  p.TDrop = r.Read(FieldId::TDrop);
  p.TPulse = r.Read(FieldId::TPulse);
  p.ScanRate = r.ReadStrict(FieldId::ScanRate);
  p.TRest = r.Read(FieldId::TRest);
  p.Length = r.Read(FieldId::Length);
  p.Radius = r.Read(FieldId::Radius);
  // A computed area the radius cannot give would leave the electrode without one.
  if (d.areaFault) {
    const bool length =
        p.Electrode == ElectrodeCode::Cylindrical || p.Electrode == ElectrodeCode::Hemicylindrical;
    const FieldId cause =
        length && std::fabs(p.Length) > std::fabs(p.Radius) ? FieldId::Length : FieldId::Radius;
    r.Reject(cause, "gives no electrode area: " + *d.areaFault + ".");
  }
  p.Viscosity = r.Read(FieldId::Viscosity);
  p.RotationRate = r.Read(FieldId::RotationRate) * kPi / 30;
  if (!std::isfinite(p.RotationRate)) r.Reject(FieldId::RotationRate, "is too large a number.");
  p.ElectrolyteC = r.Read(FieldId::ElectrolyteC);
  p.ElectrolyteConductivity = r.Read(FieldId::ElectrolyteCond);
  // A text too large to hold a number is refused with the other checks, in their order.
  p.Ru = r.ReadOrZero(FieldId::Ru);
  p.ElectrodeVolume = d.volume;
}

// Rows 1..3 of the reactions and 1..4 of the species always, as the built-in mechanisms' dialog
// reads them; those past them as far as a written mechanism uses them.
void ReadRows(const Reader& r, ParameterSet& p) {
  const int reactions = std::max({kBuiltInReactionRows, static_cast<int>(p.ChargeReactionCount),
                                  static_cast<int>(p.HomogeneousReactionCount)});
  const int species = std::max(kBuiltInSpeciesRows, static_cast<int>(p.SpeciesCount));
  for (int j = 1; j <= reactions; ++j) {
    p.Alpha(j) = r.Read(Row(FieldId::Alpha1, j));
    p.E0(j) = r.Read(Row(FieldId::E01, j));
    p.Ks(j) = r.Read(Row(FieldId::Ks1, j));
    p.N(j) = r.Read(Row(FieldId::N1, j));
    p.Kf(j) = r.Read(Row(FieldId::Kf1, j));
    p.Kb(j) = r.Read(Row(FieldId::Kb1, j));
    p.Keq(j) = r.Read(Row(FieldId::Keq1, j));
    p.P(j) = r.Read(Row(FieldId::P1, j));
  }
  for (int i = 1; i <= species; ++i) {
    p.D(i) = r.Read(Row(FieldId::D1, i));
    p.CInit(i) = r.Read(Row(FieldId::CInit1, i));
    p.SpeciesConductivity(i) = r.Read(Row(FieldId::Cond1, i));
  }
  try {
    p.FOverRT = CheckedDivide(kFaraday / kGasConstant, p.Temperature);
    p.RTOverF = CheckedDivide(1, p.FOverRT);
  } catch (const RuntimeFault& fault) {
    r.Reject(FieldId::Temperature,
             "gives no temperature to work with: " + fault.Description() + ".");
  }
}

}  // namespace

Captured MakeParameterSet(const Settings& settings) {
  const Derivation derived = Derive(settings);
  const Reader reader(settings, derived);
  Captured c;
  try {
    ReadChoices(settings, c.parameters);
    CheckWritten(settings);
    ReadStepsPerPoint(reader, c.parameters);
    ReadScalars(reader, derived, c.parameters);
    ReadRows(reader, c.parameters);
    if (settings.Scan() == ScanCode::Measured) {
      if (auto why = ReadMeasuredProgramme(settings, c.parameters))
        reader.Reject(FieldId::Scan, *why);
    }
    c.refusal = MeaninglessValue(settings, derived, c.parameters);
  } catch (const Refusal& refusal) {
    c.refusal = refusal;
  }
  return c;
}

bool CaptureParameters(Experiment& experiment) {
  Captured c = MakeParameterSet(experiment.settings);
  if (!c.ok()) {
    experiment.host.Message(c.refusal->message, MessageKind::Warning);
    return false;
  }
  experiment.parameterSet = c.parameters;
  return true;
}

void CaptureTechniqueAndMechanism(Experiment& experiment) {
  ParameterSet& p = experiment.parameterSet;
  const ParameterSet technique = [&] {
    ParameterSet q = p;
    ReadChoices(experiment.settings, q);
    return q;
  }();
  p.Technique = technique.Technique;
  p.Digital = technique.Digital;
  p.Mechanism = technique.Mechanism;
  p.Network = technique.Network;
  p.Electrode = technique.Electrode;
  p.SpeciesCount = technique.SpeciesCount;
  p.ChargeReactionCount = technique.ChargeReactionCount;
  p.HomogeneousReactionCount = technique.HomogeneousReactionCount;
}

}  // namespace vorex
