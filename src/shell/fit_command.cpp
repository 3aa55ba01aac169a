#include "shell/fit_command.h"

#include <cmath>
#include <string>

#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "experiment/experiment.h"
#include "fitting/background_projection.h"
#include "fitting/fit_slots.h"
#include "fitting/fit_verdict.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "shell/fit_statistics_report.h"
#include "shell/simulation_command.h"

namespace vorex {
namespace {

// The model of the program's fit: the trial values into the captured parameter set, one
// simulation into the curve store (curve 2 beside the measured curve 1), the ordinates of the
// quantity it displays.
class CurveStoreFitModel : public FitModelFunction {
 public:
  CurveStoreFitModel(CurveLinks& links, SimulationWorkspace& work, const FitSetup& setup)
      : links_(links), work_(work), setup_(setup) {}

  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override {
    if (setup_.evaluationBudget > 0 && ++evaluations_ > setup_.evaluationBudget) {
      throw FitAborted{"Fit stopped: its budget of " + std::to_string(setup_.evaluationBudget) +
                       " simulations is spent."};
    }
    ParameterSet& p = links_.experiment.parameterSet;
    for (int k = 1; k <= setup_.count; ++k) FitParameter(p, setup_.index(k)) = vector(k);
    if (setup_.equilibrium) Reequilibrate(setup_, p);
    // A failed simulation has shown its message already.
    if (!Simulate(links_, work_)) throw FitAborted{};
    const CurveStore& c = links_.curves;
    for (int j = 1; j <= m; ++j) ordinates(j) = c.Ordinate(j, c.CurrentCurve);
  }

 private:
  CurveLinks& links_;
  SimulationWorkspace& work_;
  const FitSetup& setup_;
  int evaluations_ = 0;
};

// One "Least square = " line as each iteration ends and, where the windows show it while the fit
// runs, curve 2 drawn again at the accepted point; the user's Cancel through the host.
class IterationLines : public FitObserver {
 public:
  IterationLines(CurveLinks& links, const FitProblem& problem)
      : links_(links), problem_(problem), live_(links.host.ShowsProgress()) {}
  void IterationEnded(int, double sumOfSquares) override {
    links_.formResult.Print(ResultLine().Text("Least square = ").Zone().Number(sumOfSquares));
    if (live_) DrawAcceptedCurve();
  }
  bool Cancelled() override { return links_.host.CancelRequested(); }

 private:
  // problem.f holds the curve of the accepted point as an iteration ends, whatever the model
  // evaluated last, in storage that lives with the fit state: curve 2 takes it for the drawing.
  void DrawAcceptedCurve() {
    CurveStore& c = links_.curves;
    for (int j = 1; j <= problem_.m; ++j) c.Ordinate(j, 2) = problem_.f(j);
    PlotCurves(links_, c.FirstPoint, c.LastPoint);
  }

  CurveLinks& links_;
  const FitProblem& problem_;
  const bool live_;
};

// While an Auto Fit iterates, so that a redraw of the plot from elsewhere keeps its last
// accepted curve instead of a trial's.
class RunningFlag {
 public:
  explicit RunningFlag(bool& running) : running_(running) { running_ = true; }
  ~RunningFlag() { running_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& running_;
};

// The fitted slots with their start values and bounds, kept for the run's report. A bound too
// large to hold raises RuntimeFault.
FitSetup SetupFromSettings(const Settings& settings, const ParameterSet& p, FitRun& run) {
  FitSetup setup = FitSetupFor(settings, p);
  run.FitCount = setup.count;
  for (int i = 1; i <= setup.count; ++i) run.FitIndexList(i) = setup.index(i);
  setup.evaluationBudget = run.evaluationBudget;
  return setup;
}

}  // namespace

std::vector<std::string> FitReportLines(const FitSetup& setup, const FitResult& r) {
  std::vector<std::string> lines;
  const auto add = [&](const ResultLine& line) { lines.push_back(line.str()); };
  add(ResultLine().Text("No.").Zone().Text("Initial value").Zone().Zone().Text("Fitted value"));
  for (int m = 1; m <= setup.count; ++m) {
    add(ResultLine().Number(m).Zone().Number(r.initial(m)).Zone().Number(r.fitted(m)));
  }
  lines.emplace_back();
  add(ResultLine().Text("Least square = ").Zone().Number(r.sumOfSquares));
  add(ResultLine().Text("Standard deviation^2 = ").Zone().Number(r.variance));
  add(ResultLine().Text("Convergence flag = ").Zone().Number(r.convergenceFlag));
  add(ResultLine().Text("No. of iteration = ").Zone().Number(r.iterations));
  add(ResultLine().Text("No. of obj. fun. = ").Zone().Number(r.objectiveCount));
  add(ResultLine().Text("No. of MARQUARDS = ").Zone().Number(r.marquardtCount));
  add(ResultLine().Text("Computation time (s) =").Zone().Single(static_cast<float>(r.seconds)));
  for (std::string& line : FitStatisticsLines(setup, r)) lines.push_back(std::move(line));
  // How the fit ended, in words; a cancelled fit's line comes last.
  for (std::string& line : OutcomeSentences(setup, r)) lines.push_back(std::move(line));
  return lines;
}

void PrepareFitCurves(CurveLinks& l) {
  if (l.plot.OverlapOn) return;
  CurveStore& c = l.curves;
  for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, 1) = c.Ordinate(i, c.CurrentCurve);
  c.Role(1) = c.Role(c.CurrentCurve);
  c.Name(1) = c.Name(c.CurrentCurve);
  c.StoredCurveCount = c.CurveCount = c.CurrentCurve = 1;
}

void RunAutoFit(CurveLinks& l, SimulationWorkspace& work, FitRun& run, const PointVector& y,
                int m) {
  FormExpr& form = l.experiment.formExpr;
  ParameterSet& p = l.experiment.parameterSet;
  const Settings& settings = l.experiment.settings;
  // The trial points pass through the parameter set; the settings' values come back after.
  const ParameterSet captured = p;
  FitResult result;
  FitSetup setup;
  try {
    setup = SetupFromSettings(settings, p, run);
  } catch (const RuntimeFault& fault) {
    result.message =
        "Fit Error: " + fault.Description() + "! Please try again by other initial values.";
  }
  std::string backgroundLine;
  if (!result.message) {
    CurveStoreFitModel model(l, work, setup);
    BackgroundProjectedModel withBackground(model, &l.curves.Abscissa(1) - 1, y,
                                            setup.backgroundDegree);
    FitModelFunction& objective =
        setup.backgroundDegree >= 0 ? static_cast<FitModelFunction&>(withBackground) : model;
    IterationLines lines(l, run.problem);
    const CancellableScope cancellable(l.host, "Fitting…");
    const RunningFlag running(run.running);
    result = RunFit(setup, y, m, objective, run.problem, &lines);
    if (setup.backgroundDegree >= 0) {
      // Curve 2 holds the last simulation; the fitted curve is it with its background.
      backgroundLine = withBackground.ReportLine();
      const std::array<double, 3>& c = withBackground.Coefficients();
      for (int j = 1; j <= m; ++j) {
        const double e = l.curves.Abscissa(j);
        l.curves.Ordinate(j, 2) += c[0] + e * (c[1] + e * c[2]);
      }
    }
    run.ObjectiveCount = result.objectiveCount;
    run.DataSigma = std::sqrt(result.variance);
  }
  p = captured;
  run.residualCount = 0;
  run.fittedCount = 0;
  if (result.message) {
    if (!result.message->empty()) l.host.Message(*result.message, MessageKind::Critical);
    return;
  }
  for (int j = 1; j <= m; ++j) run.residual(j) = y(j) - run.problem.f(j);
  run.residualCount = m;
  run.cancelled = result.cancelled;
  run.fitted = result.fitted;
  run.fittedCount = setup.count;
  for (const std::string& line : FitReportLines(setup, result)) l.formResult.Print(line);
  if (!backgroundLine.empty()) l.formResult.Print(backgroundLine);
  l.formResult.Show();
  for (int i = 1; i <= setup.count; ++i) {
    form.CheckFitted(setup.index(i)).SetCaption(FormatPattern(result.fitted(i), "0.###e-#"));
  }
}

}  // namespace vorex
