#include "fitting/global_fit.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "base/checked_math.h"
#include "fitting/fit_slots.h"
#include "fitting/global_fit_model.h"
#include "simulation/potential_programme.h"

namespace vorex {
namespace {

std::string CurveName(const std::vector<GlobalCurve>& curves, std::size_t c) {
  return "curve " + std::to_string(c + 1) +
         (curves[c].name.empty() ? std::string() : " (" + curves[c].name + ")");
}

int JointCount(const std::vector<GlobalCurve>& curves, const GlobalFitSetup& setup) {
  int count = 0;
  for (const GlobalParameter& g : setup.parameters) {
    count += g.perCurve ? static_cast<int>(curves.size()) : 1;
  }
  return count;
}

std::optional<std::string> RefusedCurve(const std::vector<GlobalCurve>& curves, std::size_t c) {
  const GlobalCurve& curve = curves[c];
  const std::string name = CurveName(curves, c);
  if (curve.potential.size() != curve.current.size() || curve.current.empty()) {
    return name + " has no points, or not as many potentials as currents.";
  }
  if (curve.parameters.Mechanism != curves[0].parameters.Mechanism) {
    return name + " is simulated by another mechanism than curve 1: every curve of a set must " +
           "have the mechanism whose parameters the set shares.";
  }
  for (double v : curve.current) {
    if (!std::isfinite(v)) return name + " holds a current that is not a number.";
  }
  auto abscissa = std::make_unique<AbscissaArray>();
  try {
    const Programme g = BuildPotentialProgramme(curve.parameters, *abscissa);
    if (g.pointCount != static_cast<int>(curve.current.size())) {
      return name + " has " + std::to_string(curve.current.size()) +
             " points but its settings give " + std::to_string(g.pointCount) +
             ": give it the programme of its measurement (scan measured).";
    }
  } catch (const RuntimeFault& fault) {
    return name + ": its potential programme cannot be made (" + fault.Description() + ").";
  }
  return std::nullopt;
}

std::optional<std::string> RefusedParameter(const std::vector<GlobalCurve>& curves,
                                            const GlobalFitSetup& setup, std::size_t i) {
  const GlobalParameter& g = setup.parameters[i];
  if (g.slot < 1 || g.slot > kFitSlots)
    return "A fitted parameter has no fit index 1.." + std::to_string(kFitSlots) + ".";
  const std::string name = FitParameterName(g.slot);
  for (std::size_t k = 0; k < i; ++k) {
    if (setup.parameters[k].slot == g.slot) return name + " is fitted twice.";
  }
  if (!FitSlotUsed(curves[0].parameters, g.slot)) {
    return name + " is not a parameter of the curves' mechanism.";
  }
  if (!(g.lower <= g.upper) || !std::isfinite(g.lower) || !std::isfinite(g.upper)) {
    return "The bounds of " + name + " are reversed or not numbers; nothing was fitted.";
  }
  if (const char* meaning = BoundsWithoutMeaning(g.slot, g.lower, g.upper)) {
    return "The bounds of " + name + " take in values without meaning: " + name + " " + meaning +
           "; nothing was fitted.";
  }
  return std::nullopt;
}

// Each curve's divisor under the weighting: its largest |I| or its noise (never 0: a curve with
// no measurable noise is taken at a millionth of its largest current, an all-zero one at 1).
double CurveScale(const GlobalCurve& curve, CurveWeighting weighting) {
  if (weighting == CurveWeighting::None) return 1;
  double largest = 0;
  for (double v : curve.current) largest = std::fmax(largest, std::fabs(v));
  if (weighting == CurveWeighting::Noise) {
    largest = std::fmax(NoiseEstimate(curve.current), 1e-6 * largest);
  }
  return largest > 0 ? largest : 1;
}

// The joint problem: one column per shared parameter, one per curve for a per-curve one; every
// curve's own setup lists the columns that reach it.
struct JointLayout {
  FitSetup setup;
  std::vector<int> parameterOf{0}, curveOf{0};
  std::vector<FitSetup> curveSetups;
  std::vector<std::vector<int>> columns;
};

void AddColumn(JointLayout& layout, const std::vector<GlobalCurve>& curves,
               const GlobalFitSetup& setup, std::size_t i, int curve) {
  const GlobalParameter& g = setup.parameters[i];
  FitSetup& s = layout.setup;
  const int column = ++s.count;
  const ParameterSet& own = curves[static_cast<std::size_t>(curve > 0 ? curve - 1 : 0)].parameters;
  s.index(column) = g.slot;
  s.start(column) = FitStartValue(own, g.slot);
  s.lower(column) = g.lower;
  s.upper(column) = g.upper;
  s.logScale(column) = PositiveScaleSlot(g.slot);
  s.names.push_back(FitParameterName(g.slot) +
                    (curve > 0 ? " curve " + std::to_string(curve) : std::string()));
  layout.parameterOf.push_back(static_cast<int>(i));
  layout.curveOf.push_back(curve);
  for (std::size_t c = 0; c < curves.size(); ++c) {
    if (curve != 0 && static_cast<std::size_t>(curve) != c + 1) continue;
    FitSetup& mine = layout.curveSetups[c];
    mine.index(++mine.count) = g.slot;
    layout.columns[c].push_back(column);
  }
}

JointLayout Layout(const std::vector<GlobalCurve>& curves, const GlobalFitSetup& setup) {
  JointLayout layout;
  layout.curveSetups.resize(curves.size());
  layout.columns.resize(curves.size());
  for (std::size_t c = 0; c < curves.size(); ++c) {
    layout.curveSetups[c].backgroundDegree = curves[c].backgroundDegree;
    layout.curveSetups[c].equilibrium = curves[c].equilibrium;
  }
  for (std::size_t i = 0; i < setup.parameters.size(); ++i) {
    if (!setup.parameters[i].perCurve) {
      AddColumn(layout, curves, setup, i, 0);
      continue;
    }
    for (std::size_t c = 0; c < curves.size(); ++c) {
      AddColumn(layout, curves, setup, i, static_cast<int>(c) + 1);
    }
  }
  layout.setup.evaluationBudget = setup.evaluationBudget;
  return layout;
}

GlobalCurveResult CurveResult(const GlobalCurve& curve, const GlobalFitModel& model, int c,
                              double weight, double noise) {
  GlobalCurveResult r;
  r.weight = weight;
  r.noise = noise;
  const int n = model.CurvePoints(c);
  const PointVector& f = model.CurveOrdinates(c);
  double mean = 0, spread = 0;
  for (double v : curve.current) mean += v;
  mean /= n;
  for (int j = 1; j <= n; ++j) {
    const double y = curve.current[static_cast<std::size_t>(j - 1)];
    r.fitted.push_back(f(j));
    r.residual.push_back(y - f(j));
    r.sumOfSquares += (y - f(j)) * (y - f(j));
    spread += (y - mean) * (y - mean);
  }
  if (spread > 0) r.rSquared = 1 - r.sumOfSquares / spread;
  if (curve.backgroundDegree >= 0) r.background = model.CurveBackground(c);
  r.parameters = model.CurveParameters(c);
  return r;
}

}  // namespace

std::optional<std::string> RefusedGlobalFit(const std::vector<GlobalCurve>& curves,
                                            const GlobalFitSetup& setup) {
  if (curves.empty()) return "The set holds no curve to fit.";
  if (curves.size() > static_cast<std::size_t>(kMaxGlobalCurves)) {
    return "A set holds at most " + std::to_string(kMaxGlobalCurves) + " curves, not " +
           std::to_string(curves.size()) + ".";
  }
  for (std::size_t c = 0; c < curves.size(); ++c) {
    if (auto why = RefusedCurve(curves, c)) return why;
  }
  if (setup.parameters.empty()) return "No parameter of the set is marked to be fitted.";
  for (std::size_t i = 0; i < setup.parameters.size(); ++i) {
    if (auto why = RefusedParameter(curves, setup, i)) return why;
  }
  const int count = JointCount(curves, setup);
  if (count > kMaxFitParameters) {
    return "The set would fit " + std::to_string(count) + " parameters (each per-curve one once " +
           "per curve); at most " + std::to_string(kMaxFitParameters) + " can be fitted together.";
  }
  return std::nullopt;
}

GlobalFitResult RunGlobalFit(const std::vector<GlobalCurve>& curves, const GlobalFitSetup& setup,
                             FitObserver* observer) {
  if (auto why = RefusedGlobalFit(curves, setup)) throw FitAborted{*why};
  JointLayout layout = Layout(curves, setup);
  std::vector<double> scales, weights;
  int m = 0;
  for (const GlobalCurve& curve : curves) {
    scales.push_back(CurveScale(curve, setup.weighting));
    weights.push_back(scales.front() / scales.back());
    m += static_cast<int>(curve.current.size());
  }
  auto problem = std::make_unique<FitProblem>(m);
  PointVector y(m);
  int at = 0;
  for (std::size_t c = 0; c < curves.size(); ++c) {
    for (double v : curves[c].current) y(++at) = weights[c] * v;
  }
  int threads =
      setup.threads > 0 ? setup.threads : static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, static_cast<int>(curves.size()));
  WorkerPool pool(threads);
  GlobalFitResult result;
  result.threads = threads;
  GlobalFitModel model(curves, layout.curveSetups, layout.columns, weights, pool,
                       setup.evaluationBudget);
  result.fit = RunFit(layout.setup, y, m, model, *problem, observer);
  result.setup = layout.setup;
  result.parameterOf = layout.parameterOf;
  result.curveOf = layout.curveOf;
  if (result.fit.message) return result;
  try {
    model.EvaluateAtSolution(result.fit.fitted, layout.setup.count, m, problem->f);
  } catch (const RuntimeFault& fault) {
    result.fit.message = fault.Description();
    return result;
  } catch (const FitAborted& aborted) {
    result.fit.message = aborted.message;
    return result;
  }
  for (std::size_t c = 0; c < curves.size(); ++c) {
    const double noise = NoiseEstimate(curves[c].current);
    result.curves.push_back(CurveResult(curves[c], model, static_cast<int>(c), weights[c], noise));
  }
  return result;
}

double GlobalValue(const GlobalFitResult& result, int parameter, int curve) {
  for (int i = 1; i <= result.setup.count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (result.parameterOf[at] != parameter) continue;
    if (result.curveOf[at] == 0 || result.curveOf[at] == curve) return result.fit.fitted(i);
  }
  throw RuntimeFault(kSubscriptOutOfRange);
}

}  // namespace vorex
