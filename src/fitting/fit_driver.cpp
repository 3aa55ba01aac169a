#include "fitting/fit_driver.h"

#include <chrono>
#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "curves/plot_state.h"
#include "experiment/experiment.h"
#include "simulation/simulate.h"

namespace vorex {
namespace {

constexpr int kIterationLimit = 50;

// A simulation inside the fit failed and has said why; the fit ends without a report.
struct FitAborted {};

// The model of the fit: the trial values into the parameter set, one simulation, the ordinates of
// the curve it filled.
class FitModel : public FitModelFunction {
 public:
  FitModel(CurveLinks& links, SimulationWorkspace& work, const FitRun& run)
      : links_(links), work_(work), run_(run) {}

  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override {
    if (run_.evaluationBudget > 0 && ++evaluations_ > run_.evaluationBudget) {
      links_.host.MessageBox("Fit stopped: its budget of " + std::to_string(run_.evaluationBudget) +
                             " simulations is spent.");
      throw FitAborted{};
    }
    ParameterSet& p = links_.experiment.parameterSet;
    for (int k = 1; k <= run_.FitCount; ++k) FitParameter(p, run_.FitIndexList(k)) = vector(k);
    if (!Simulate(links_, work_)) throw FitAborted{};
    const CurveStore& c = links_.curves;
    for (int j = 1; j <= m; ++j) ordinates(j) = c.Ordinate(j, c.CurrentCurve);
  }

 private:
  CurveLinks& links_;
  SimulationWorkspace& work_;
  const FitRun& run_;
  int evaluations_ = 0;
};

// The start value of index k: the parameter set's field when the mechanism uses it, else 0.
double StartValue(const ParameterSet& p, int k) {
  if (k <= 4) return k <= p.SpeciesCount ? p.CInit(k) : 0;
  if (k <= 13) {
    const int reaction = (k - 5) % 3 + 1;
    return reaction <= p.ChargeReactionCount ? FitParameter(p, k) : 0;
  }
  const int reaction = (k - 14) % 3 + 1;
  return reaction <= p.HomogeneousReactionCount ? FitParameter(p, k) : 0;
}

void Report(FormResult& out, const FitRun& run, const FitState& s, const ParameterVector& x0,
            double variance, int iterations, double seconds) {
  const FitProblem& p = run.problem;
  out.Print(
      ResultLine().Text("No.").Zone().Text("Initial value").Zone().Zone().Text("Fitted value"));
  for (int m = 1; m <= run.FitCount; ++m) {
    out.Print(ResultLine().Number(m).Zone().Number(x0(m)).Zone().Number(p.x(m)));
  }
  out.Print(std::string());
  out.Print(ResultLine().Text("Least square = ").Zone().Number(s.SumOfSquares));
  out.Print(ResultLine().Text("Standard deviation^2 = ").Zone().Number(variance));
  out.Print(ResultLine().Text("Convergence flag = ").Zone().Number(s.ConvergenceFlag));
  out.Print(ResultLine().Text("No. of iteration = ").Zone().Number(iterations));
  out.Print(ResultLine().Text("No. of obj. fun. = ").Zone().Number(run.ObjectiveCount));
  out.Print(ResultLine().Text("No. of MARQUARDS = ").Zone().Number(s.MarquardtCount));
  out.Print(ResultLine().Text("Computation time (s) =").Zone().Single(static_cast<float>(seconds)));
}

}  // namespace

void PrepareFitCurves(CurveLinks& l) {
  if (l.plot.OverlapOn) return;
  CurveStore& c = l.curves;
  for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, 1) = c.Ordinate(i, c.CurrentCurve);
  c.StoredCurveCount = c.CurveCount = c.CurrentCurve = 1;
}

void RunAutoFit(CurveLinks& l, SimulationWorkspace& work, FitRun& run, const PointVector& y,
                int m) {
  const auto start = std::chrono::steady_clock::now();
  FormExpr& form = l.experiment.formExpr;
  const ParameterSet& p = l.experiment.parameterSet;
  FitProblem& problem = run.problem;
  FitState state;
  int iterations = 0;
  run.ObjectiveCount = 0;
  run.FitCount = 0;
  for (int k = 1; k <= FormExpr::kFitSlots; ++k) {
    if (form.CheckFitted(k).Checked() && form.CheckFitted(k).Shown())
      run.FitIndexList(++run.FitCount) = k;
  }
  try {
    problem.n = run.FitCount;
    problem.m = m;
    ParameterVector x0;
    for (int i = 1; i <= run.FitCount; ++i) {
      const int k = run.FitIndexList(i);
      problem.x(i) = StartValue(p, k);
      problem.xmin(i) = NumericPrefix(form.TextCmin(k).Text());
      problem.xmax(i) = NumericPrefix(form.TextCmax(k).Text());
      x0(i) = problem.x(i);
      problem.x(i) = MaxOf(problem.xmin(i), MinOf(problem.xmax(i), problem.x(i)));
    }
    double mean = 0, variance = 0;
    for (int j = 1; j <= m; ++j) {
      problem.y(j) = y(j);
      mean += y(j);
    }
    mean = CheckedDivide(mean, m);
    for (int j = 1; j <= m; ++j) variance += (y(j) - mean) * (y(j) - mean);
    variance = Finite(variance / m);
    problem.variance = variance;
    problem.dataSigma = run.DataSigma = std::sqrt(variance);
    problem.objectiveCount = 0;

    FitModel model(l, work, run);
    FormResult& out = l.formResult;
    do {
      MarquardtStep(problem, state, model);
      run.ObjectiveCount = problem.objectiveCount;
      ++iterations;
      out.Print(ResultLine().Text("Least square = ").Zone().Number(state.SumOfSquares));
    } while (iterations <= kIterationLimit && state.ConvergenceFlag > 0);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Report(out, run, state, x0, variance, iterations, seconds);
    out.Show();
    for (int i = 1; i <= run.FitCount; ++i) {
      form.CheckFitted(run.FitIndexList(i)).SetCaption(FormatPattern(problem.x(i), "0.###e-#"));
    }
  } catch (const RuntimeFault& fault) {
    run.ObjectiveCount = problem.objectiveCount;
    l.host.MessageBox("Fit Error: " + fault.Description() +
                      "! Please try again by other initial values.");
  } catch (const FitAborted&) {
    run.ObjectiveCount = problem.objectiveCount;
  }
}

}  // namespace vorex
