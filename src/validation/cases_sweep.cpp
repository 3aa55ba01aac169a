// Linear sweeps of one couple: reversible at E steps from 10 to 0.5 mV, and totally
// irreversible.
#include <cmath>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kNicholsonShain[] =
    "Nicholson & Shain 1964, Table I (0.4463; Ep - E1/2 = -1.109 RT/nF)";

// The analytical mode must meet both targets at every step from 5 mV down (10 mV stays
// informative). The digital mode holds the peak current at all of them, but its staircase puts
// the peak up to 1.3 mV late at 2 and 5 mV, so it is held to the peak potential from 1 mV down
// (with one step per point, the default; see AddStepsPerPoint for more).
void AddReversibleSweep(std::vector<Case>& cases, double step) {
  const double v = 0.01;
  const Setup s = Programme(1, 0.3, -0.3, step, v);
  const std::string tag = "step" + Num(step * 1e3);
  const std::string setting = "linear sweep, mechanism 1, planar 1 cm2, v 10 mV/s, E step " +
                              Num(step * 1e3) + " mV, 0.3 to -0.3 V";
  const bool target = step <= 0.005;
  const unsigned ipRequired = target ? kBoth : kNone;
  const unsigned epRequired = !target ? kNone : step <= 0.001 ? kBoth : kAnalytical;
  const bool quick = target;
  cases.push_back({.name = "sweep.reversible.ip." + tag,
                   .group = "Linear sweep: reversible (Randles-Sevcik)",
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = RandlesSevcikPeak(1, 1, kC, kD, v),
                   .source = kNicholsonShain,
                   .tolerance = 0.003,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = ipRequired,
                   .quick = quick,
                   .convergenceStep = step});
  cases.push_back({.name = "sweep.reversible.ep." + tag,
                   .group = "Linear sweep: reversible (Randles-Sevcik)",
                   .setting = setting,
                   .merit = "peak potential",
                   .unit = Unit::Potential,
                   .theory = kE0 + ReversiblePeakOffset(1),
                   .source = kNicholsonShain,
                   .tolerance = 0.0005,
                   .measure = Read(s, CathodicPeakPotential),
                   .required = epRequired,
                   .quick = quick,
                   .convergenceStep = step});
}

// The digital sweep's steps per point at the E steps where one step lags: 1 (the default) shows
// the lag, 8 extrapolated sub-steps remove it. The peak is read by the quartic through five
// points (see FivePointCathodicPeak), whose own error on the exact curve is 0.04 mV at 10 mV.
void AddStepsPerPoint(std::vector<Case>& cases, double step, int stepsPerPoint) {
  const double v = 0.01;
  Setup s = Programme(1, 0.3, -0.3, step, v);
  s.stepsPerPoint = stepsPerPoint;
  const std::string setting = "linear sweep, mechanism 1, planar 1 cm2, v 10 mV/s, E step " +
                              Num(step * 1e3) + " mV, 0.3 to -0.3 V, " +
                              std::to_string(stepsPerPoint) +
                              (stepsPerPoint == 1 ? " step per point" : " steps per point");
  const Measure digital = [s](Runs& runs, Mode mode) {
    if (mode == Mode::Analytical)
      return Measurement{std::nullopt, "steps per point is a choice of the digital mode"};
    return FromRun(runs, s, mode,
                   [](const Curve& c) { return FivePointCathodicPeak(c).potential; });
  };
  cases.push_back(
      {.name = "sweep.steps" + std::to_string(stepsPerPoint) + ".ep.step" + Num(step * 1e3),
       .group = "Linear sweep: digital steps per point (five-point peak)",
       .setting = setting,
       .merit = "peak potential",
       .unit = Unit::Potential,
       .theory = kE0 + ReversiblePeakOffset(1),
       .source = kNicholsonShain,
       .tolerance = 0.0001,
       .measure = digital,
       .required = stepsPerPoint > 1 ? kDigital : kNone,
       .quick = true});
}

// ks = 1e-6 cm/s at 0.1 V/s: ks / sqrt(D F v / RT) = 1.6e-4, well inside the irreversible zone
// (below 10^-(2(1 + alpha)) = 1e-3, Matsuda & Ayabe 1955).
void AddIrreversibleSweep(std::vector<Case>& cases) {
  const double v = 0.1, ks = 1e-6, alpha = 0.5;
  Setup s = Programme(1, 0.3, -0.7, 0.001, v);
  s.Set("ks(1)", Text(ks));
  const std::string setting =
      "linear sweep, mechanism 1, ks 1e-6 cm/s, alpha 0.5, planar 1 cm2, v 0.1 V/s, E step 1 mV";
  const std::string source = "Bard & Faulkner 2001, section 6.3.1 (0.4958; Ep with 0.780)";
  cases.push_back({.name = "sweep.irreversible.ip",
                   .group = "Linear sweep: totally irreversible",
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = IrreversiblePeak(alpha, 1, kC, kD, v),
                   .source = source,
                   .tolerance = 0.01,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = kDigital,
                   .quick = true});
  cases.push_back({.name = "sweep.irreversible.ep",
                   .group = "Linear sweep: totally irreversible",
                   .setting = setting,
                   .merit = "peak potential",
                   .unit = Unit::Potential,
                   .theory = IrreversiblePeakPotential(kE0, alpha, kD, ks, v),
                   .source = source,
                   .tolerance = 0.001,
                   .measure = Read(s, CathodicPeakPotential),
                   .required = kDigital,
                   .quick = true});
}

}  // namespace

void AddSweepCases(std::vector<Case>& cases) {
  for (double step : {0.01, 0.005, 0.002, 0.001, 0.0005}) {
    AddReversibleSweep(cases, step);
  }
  for (double step : {0.01, 0.005}) {
    for (int stepsPerPoint : {1, 8}) AddStepsPerPoint(cases, step, stepsPerPoint);
  }
  AddIrreversibleSweep(cases);
}

}  // namespace vorex::validation
