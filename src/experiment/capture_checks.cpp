#include "experiment/capture_checks.h"

#include <limits>

#include "experiment/field_message.h"
#include "experiment/field_value.h"
#include "experiment/form_expr.h"
#include "experiment/parameter_set.h"

namespace vorex {
namespace {

constexpr const char* kPositive = "must be greater than 0.";
constexpr const char* kNotNegative = "must not be negative.";

// Keeps the first refusal; later checks only look.
class Checks {
 public:
  void Require(bool meaningful, const Control& field, const char* why) {
    if (!meaningful && !found_) found_ = FieldMessage(field, why);
  }
  // Greater than 0 and a double at full precision: a value below the smallest normal double
  // (a drop time E step / v of 5e-311 s, say) carries too few digits to compute with.
  void RequirePositive(double value, const Control& field) {
    Require(value > 0, field, kPositive);
    Require(value <= 0 || value >= std::numeric_limits<double>::min(), field,
            "is too small a number.");
  }
  // The value of a field the capture does not store itself; a text too large to hold a number is
  // refused as such.
  double Value(const Control& field) {
    try {
      return FieldValue(field);
    } catch (const RuntimeFault&) {
      Require(false, field, "is too large a number.");
      return 0;
    }
  }
  const std::optional<std::string>& Found() const { return found_; }

 private:
  std::optional<std::string> found_;
};

void CheckSpecies(Checks& c, FormExpr& f, const ParameterSet& p) {
  for (int i = 1; i <= p.SpeciesCount && i <= 4; ++i) {
    c.RequirePositive(p.D(i), f.D(i));
    // The initial concentrations are derived from these; a text the derivation cannot take would
    // leave the last derived value in use.
    c.Require(c.Value(f.C(i)) >= 0, f.C(i), kNotNegative);
  }
}

void CheckReactions(Checks& c, FormExpr& f, const ParameterSet& p) {
  for (int j = 1; j <= p.ChargeReactionCount && j <= 3; ++j) {
    c.Require(p.Alpha(j) >= 0 && p.Alpha(j) <= 1, f.alph(j), "must lie between 0 and 1.");
    c.Require(p.Ks(j) >= 0, f.ks(j), kNotNegative);
  }
  for (int k = 1; k <= p.HomogeneousReactionCount && k <= 3; ++k) {
    c.Require(p.Kf(k) >= 0, f.kf(k), kNotNegative);
    c.Require(p.Kb(k) >= 0, f.kb(k), kNotNegative);
  }
}

void CheckInstrument(Checks& c, FormExpr& f, const ParameterSet& p) {
  c.RequirePositive(p.EStep, f.Estep());
  // Square wave runs on the frequency alone; the others sweep or step at the scan rate, with
  // the drop time it gives; the pulse techniques add the pulse time.
  if (p.Technique >= 1 && p.Technique <= 4) {
    c.RequirePositive(p.ScanRate, f.V());
    c.RequirePositive(p.TDrop, f.td());
  }
  if (p.Technique >= 3 && p.Technique <= 5) c.RequirePositive(p.TPulse, f.tp());
  if (p.Technique == 5) c.RequirePositive(c.Value(f.TextF()), f.TextF());
  c.Require(p.Temperature > 0, f.txttemp(), "is at or below absolute zero (-273.14 \u00b0C).");
  c.Require(p.NoisePercent >= 0, f.Noise(), kNotNegative);
  c.Require(p.Cdl >= 0, f.Cdl(), kNotNegative);
  c.Require(c.Value(f.Ru()) >= 0, f.Ru(), kNotNegative);
}

void CheckElectrode(Checks& c, FormExpr& f, const ParameterSet& p) {
  const int e = p.Electrode;
  if (e == 1 || e == 7) c.RequirePositive(p.Area, f.ARE());  // typed, not derived
  if ((e >= 2 && e <= 6) || e == 8) c.RequirePositive(p.Radius, f.radius());
  if (e >= 5 && e <= 7) c.RequirePositive(p.Length, f.leng());
  if (e == 8) {
    c.RequirePositive(p.Viscosity, f.TextVis());
    c.RequirePositive(p.RotationRate, f.TextRrate());
  }
  c.Require(p.ElectrolyteC >= 0, f.TextElectrolyteC(), kNotNegative);
}

}  // namespace

std::optional<std::string> MeaninglessValue(FormExpr& form, const ParameterSet& p) {
  Checks checks;
  CheckSpecies(checks, form, p);
  CheckReactions(checks, form, p);
  CheckInstrument(checks, form, p);
  CheckElectrode(checks, form, p);
  return checks.Found();
}

}  // namespace vorex
