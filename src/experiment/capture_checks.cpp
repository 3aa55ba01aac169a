#include "experiment/capture_checks.h"

#include <limits>

#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/catalogue.h"
#include "experiment/field_message.h"

namespace vorex {
namespace {

constexpr const char* kPositive = "must be greater than 0.";
constexpr const char* kNotNegative = "must not be negative.";

// Keeps the first refusal; later checks only look.
class Checks {
 public:
  Checks(const Settings& s, const Derivation& d) : settings_(s), derived_(d) {}

  void Require(bool meaningful, FieldId field, const char* why) {
    if (!meaningful && !found_) {
      found_ = Refusal{
          field,
          FieldMessage(TableField(field), std::string(ShownText(settings_, derived_, field)), why)};
    }
  }
  // Greater than 0 and a double at full precision: a value below the smallest normal double
  // (a drop time E step / v of 5e-311 s, say) carries too few digits to compute with.
  void RequirePositive(double value, FieldId field) {
    Require(value > 0, field, kPositive);
    Require(value <= 0 || value >= std::numeric_limits<double>::min(), field,
            "is too small a number.");
  }
  // The value of a field the parameter set does not hold itself; a text too large to hold a
  // number is refused as such.
  double Value(FieldId field) {
    try {
      return ShownNumber(settings_, derived_, field);
    } catch (const RuntimeFault&) {
      Require(false, field, "is too large a number.");
      return 0;
    }
  }
  const std::optional<Refusal>& Found() const { return found_; }

 private:
  const Settings& settings_;
  const Derivation& derived_;
  std::optional<Refusal> found_;
};

void CheckSpecies(Checks& c, const ParameterSet& p) {
  for (int i = 1; i <= p.SpeciesCount && i <= kSpeciesRows; ++i) {
    c.RequirePositive(p.D(i), Row(FieldId::D1, i));
    // The initial concentrations are derived from these; a text the derivation cannot take would
    // leave a design value in use.
    c.Require(c.Value(Row(FieldId::C1, i)) >= 0, Row(FieldId::C1, i), kNotNegative);
  }
}

void CheckReactions(Checks& c, const ParameterSet& p) {
  for (int j = 1; j <= p.ChargeReactionCount && j <= kChargeRows; ++j) {
    c.Require(p.Alpha(j) >= 0 && p.Alpha(j) <= 1, Row(FieldId::Alpha1, j),
              "must lie between 0 and 1.");
    c.Require(p.Ks(j) >= 0, Row(FieldId::Ks1, j), kNotNegative);
  }
  for (int k = 1; k <= p.HomogeneousReactionCount && k <= kChemicalRows; ++k) {
    c.Require(p.Kf(k) >= 0, Row(FieldId::Kf1, k), kNotNegative);
    c.Require(p.Kb(k) >= 0, Row(FieldId::Kb1, k), kNotNegative);
  }
}

void CheckInstrument(Checks& c, const ParameterSet& p) {
  c.RequirePositive(p.EStep, FieldId::EStep);
  // Square wave runs on the frequency alone, with the pulse time it gives; the others sweep or
  // step at the scan rate, with the drop time it gives; the pulse techniques add the pulse time.
  if (UsesScanRate(p.Technique)) {
    c.RequirePositive(p.ScanRate, FieldId::ScanRate);
    c.RequirePositive(p.TDrop, FieldId::TDrop);
  }
  if (p.Technique == TechniqueCode::SquareWave)
    c.RequirePositive(c.Value(FieldId::Frequency), FieldId::Frequency);
  if (IsPulse(p.Technique)) c.RequirePositive(p.TPulse, FieldId::TPulse);
  c.Require(p.Temperature > 0, FieldId::Temperature,
            "is at or below absolute zero (-273.14 \u00b0C).");
  c.Require(p.NoisePercent >= 0, FieldId::Noise, kNotNegative);
  c.Require(p.Cdl >= 0, FieldId::Cdl, kNotNegative);
  c.Require(c.Value(FieldId::Ru) >= 0, FieldId::Ru, kNotNegative);
  c.Require(p.TRest >= 0, FieldId::TRest, kNotNegative);
  if (p.TRest > 0) {
    // The closed forms start at rest at E start; only the digital sweep can hold it there first.
    c.Require(p.Digital && p.Technique == TechniqueCode::LinearSweep, FieldId::TRest,
              "applies to a sweep in the digital simulation: tick Digital, or rest 0 s.");
    c.Require(!(p.TRest / p.TDrop > 1e6), FieldId::TRest,
              "is more than a million steps of the sweep: shorten it or take larger E steps.");
  }
}

void CheckElectrode(Checks& c, const ParameterSet& p) {
  const ElectrodeCode e = p.Electrode;
  if (!HasComputedArea(e)) c.RequirePositive(p.Area, FieldId::Area);  // typed, not derived
  if (HasComputedArea(e)) c.RequirePositive(p.Radius, FieldId::Radius);
  if (HasLength(e)) c.RequirePositive(p.Length, FieldId::Length);
  if (e == ElectrodeCode::RotatingDisk) {
    c.RequirePositive(p.Viscosity, FieldId::Viscosity);
    c.RequirePositive(p.RotationRate, FieldId::RotationRate);
  }
  c.Require(p.ElectrolyteC >= 0, FieldId::ElectrolyteC, kNotNegative);
}

}  // namespace

std::optional<Refusal> MeaninglessValue(const Settings& settings, const Derivation& derived,
                                        const ParameterSet& p) {
  Checks checks(settings, derived);
  CheckSpecies(checks, p);
  CheckReactions(checks, p);
  CheckInstrument(checks, p);
  CheckElectrode(checks, p);
  return checks.Found();
}

}  // namespace vorex
