#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "experiment/parameter_set.h"
#include "fitting/fit_driver.h"

// Several measured curves of one system fitted together: one Marquardt iteration over the joint
// residual, with parameters shared by every curve or taken per curve.
namespace vorex {

// How each curve's residuals count in the joint sum of squares. Weights are relative to the
// first curve (its weight is 1), so that the sum keeps the first curve's unit and a set of one
// curve is fitted exactly as that curve alone.
enum class CurveWeighting {
  None,            // every point alike: the largest currents (the fastest scan) rule
  LargestCurrent,  // each curve divided by its largest |I|: every curve counts alike
  Noise,           // each curve divided by its own noise estimate: what each point is worth
};

// "none", "max", "noise" and back; nothing for another name.
const char* WeightingName(CurveWeighting weighting);
std::optional<CurveWeighting> WeightingNamed(std::string_view name);

// The noise of a measured curve [its unit]: the median of |y(j-1) - 2 y(j) + y(j+1)| over the
// curve, divided by 0.6745 sqrt 6 (a second difference of independent noise of deviation s has
// deviation s sqrt 6, and the median of |N(0, 1)| is 0.6745). The median passes over the
// vertices and the peaks, where the curve itself bends. 0 for fewer than 3 points.
double NoiseEstimate(const std::vector<double>& y);

// One measured curve of a set, with the parameter set of its own experiment (its programme,
// scan rate, concentrations, area, Ru, Cdl ...).
struct GlobalCurve {
  std::string name;  // how the report names it: its file, or "curve 2"
  ParameterSet parameters;
  std::vector<double> potential, current;  // the measured points [V], [A]
  int backgroundDegree = -1;               // a background of its own fitted with the rest
  // A written mechanism's pre-equilibration, formed again at each trial (see
  // FitSetup::equilibrium and WrittenEquilibrium).
  std::optional<NetworkEquilibriumInputs> equilibrium{};
};

// One quantity fitted over the set: one value shared by all curves, or one per curve.
struct GlobalParameter {
  int slot = 0;  // fit index 1..38
  bool perCurve = false;
  double lower = 0, upper = 0;
};

struct GlobalFitSetup {
  std::vector<GlobalParameter> parameters;  // in the order the report lists them
  CurveWeighting weighting = CurveWeighting::Noise;
  int threads = 0;           // threads simulating the curves of an evaluation; 0: every processor
  int evaluationBudget = 0;  // at most this many evaluations of the whole set; 0: no limit
};

inline constexpr int kMaxGlobalCurves = 16;

struct GlobalCurveResult {
  double weight = 1;               // what the curve's residuals are multiplied by in the joint sum
  double noise = 0;                // its noise estimate [A]
  double sumOfSquares = 0;         // of its own residuals, unweighted [A^2]
  std::optional<double> rSquared;  // 1 - SS / sum (I - mean I)^2; none for a constant curve
  std::vector<double> fitted, residual;  // point by point [A]
  std::array<double, 3> background{};    // its fitted polynomial in E, when it has one
  ParameterSet parameters;               // its parameter set at the fitted values
};

struct GlobalFitResult {
  // The joint problem: its parameters 1..count, named in setup.names ("E°(1)", "C(A) curve 2").
  FitSetup setup;
  // For joint parameter i (1-based; entry 0 unused): the entry of GlobalFitSetup::parameters it
  // stands for, and its curve (1-based), or 0 for a shared one.
  std::vector<int> parameterOf, curveOf;
  FitResult fit;  // the joint fit: its statistics from the joint (weighted) Jacobian
  std::vector<GlobalCurveResult> curves;
  int threads = 1;  // the threads that simulated
};

// Why the set cannot be fitted, in the words the user reads: too few or too many curves, curves
// of different mechanisms, a curve whose settings do not give its points, a parameter that is
// not fittable for the mechanism or named twice, bounds reversed or without meaning, too many
// parameters. Nothing when it can.
std::optional<std::string> RefusedGlobalFit(const std::vector<GlobalCurve>& curves,
                                            const GlobalFitSetup& setup);

// Fits the set (after RefusedGlobalFit found nothing to refuse; it raises FitAborted with that
// message otherwise). A fit that a fault ends has fit.message and no curves.
GlobalFitResult RunGlobalFit(const std::vector<GlobalCurve>& curves, const GlobalFitSetup& setup,
                             FitObserver* observer = nullptr);

// The value of `parameter` for curve c (1-based) in the fitted joint vector.
double GlobalValue(const GlobalFitResult& result, int parameter, int curve);

}  // namespace vorex
