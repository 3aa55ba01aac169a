// The Run menu's fit and separate commands, and the residual of the last fit.
#include <cmath>
#include <string>

#include "base/result_line.h"
#include "base/text_window.h"
#include "experiment/capture.h"
#include "fitting/fit_slots.h"
#include "plot/curve_legend.h"
#include "plot/plot_renderer.h"
#include "shell/accept_fit.h"
#include "shell/fit_command.h"
#include "shell/mdi_form1.h"
#include "shell/measured_programme_offer.h"
#include "shell/program.h"
#include "shell/shared_grid.h"
#include "shell/simulation_command.h"

namespace vorex {
namespace {

// The fitting flag and the hourglass for exactly the duration of a fit command, however it ends.
class FittingScope {
 public:
  explicit FittingScope(Program& program) : program_(program), busy_(program.host) {
    program_.fit.fitting = true;
  }
  ~FittingScope() { program_.fit.fitting = false; }
  FittingScope(const FittingScope&) = delete;
  FittingScope& operator=(const FittingScope&) = delete;

 private:
  Program& program_;
  BusyPointer busy_;
};

// The fit's lines follow the results already shown after a blank line and the command's name:
// the earlier lines stay, to compare the fit with.
void BeginFitLines(FormResult& result, const char* command) {
  if (result.Lines().empty()) return;
  result.Print("");
  result.Print(command);
}

}  // namespace

// A fit compares its simulations with the measured curve point for point, so they must be made
// at the measured potentials; and the search needs bounds it can keep to. Otherwise nothing is
// changed and the user is told what to set.
bool MDIForm1::FitMayStart(bool bounds) {
  std::optional<std::string> refused;
  try {
    refused =
        RefusedNextRun(program_.links, program_.experiment.parameterSet, program_.simulationWork);
  } catch (const RuntimeFault&) {
    // No programme can be built: the simulation says why when the fit runs it.
  }
  if (!refused && bounds) refused = RefusedBounds(program_.experiment.settings);
  if (refused) program_.host.Message(*refused, MessageKind::Warning);
  return !refused;
}

bool MDIForm1::ManualFit() {
  if (!HasCurves("Manual Fit")) return false;
  FittingScope scope(program_);
  AttachMeasuredPotentials(program_.links);
  if (!CaptureParameters(program_.experiment) || !FitMayStart(false)) return false;
  BeginFitLines(program_.formResult, "Manual Fit");
  Simulate(program_.links, program_.simulationWork);
  Plot();
  return true;
}

bool MDIForm1::AutoFit() {
  // A fit needs the measured curve, not there before an import or after Clear.
  if (!HasCurves("Auto Fit")) return false;
  FittingScope scope(program_);
  // Captured and checked first, so that a refused fit leaves the curves and options untouched.
  AttachMeasuredPotentials(program_.links);
  if (!CaptureParameters(program_.experiment) || !FitMayStart(true)) return false;
  CurveStore& c = program_.curves;
  c.CurrentCurve = 1;
  program_.plot.formOption.overlap().SetChecked(false);
  PrepareFitCurves(program_.links);
  BeginFitLines(program_.formResult, "Auto Fit");
  for (int i = 1; i <= c.PointCount; ++i) program_.fit.measured(i) = c.Ordinate(i, 1);
  RunAutoFit(program_.links, program_.simulationWork, program_.fit, program_.fit.measured,
             c.PointCount);
  Plot();
  return true;
}

void MDIForm1::mnuManualFit_Click() {
  ManualFit();
}

void MDIForm1::mnuAutoFit_Click() {
  // The desktop shows the residual beside the curves after every fit: a fit is judged by it.
  // Scripts ask for it with Display > Residual when they want it.
  const FitRun& run = program_.fit;
  if (AutoFit() && program_.host.ShowsProgress() && run.residualCount > 0 && !run.cancelled) {
    mnuResidual_Click();
  }
}

// Curve 1 the data, curve 2 the fitted total, then one curve per charge reaction, as current.
void MDIForm1::ShowReactionCurves() {
  CurveStore& c = program_.curves;
  c.CurveCount = 2;
  for (int j = 1;
       j <= program_.experiment.parameterSet.ChargeReactionCount && c.CurveCount < kMaxCurves;
       ++j) {
    ++c.CurveCount;
    NameCurve(c, c.CurveCount, ReactionRole(j));
    for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, c.CurveCount) = c.SimulatedCurrent(i, j);
  }
  Plot();
}

void MDIForm1::mnuResidual_Click() {
  const FitRun& run = program_.fit;
  CurveStore& c = program_.curves;
  if (run.residualCount == 0 || run.residualCount != c.PointCount) {
    program_.host.Message(
        "Residual: no Auto Fit has ended with a report on the curves shown; run Auto Fit "
        "first.",
        MessageKind::Warning);
    return;
  }
  if (c.CurveCount >= kMaxCurves) {
    program_.host.Message("Residual: the plot already holds " + std::to_string(kMaxCurves) +
                              " curves; Clear or Auto Fit again first.",
                          MessageKind::Warning);
    return;
  }
  // It becomes the current curve, so that the Y Data commands magnify it beside the others.
  c.CurrentCurve = ++c.CurveCount;
  NameCurve(c, c.CurveCount, CurveRole::Residual);
  double sum = 0, largest = 0;
  for (int i = 1; i <= run.residualCount; ++i) {
    c.Ordinate(i, c.CurveCount) = run.residual(i);
    sum += run.residual(i) * run.residual(i);
    largest = std::fmax(largest, std::fabs(run.residual(i)));
  }
  program_.formResult.Print(ResultLine()
                                .Text("Residual of the last Auto Fit (measured - fitted) is curve ")
                                .Number(c.CurveCount)
                                .Text(", largest |residual| = ")
                                .Number(largest)
                                .Text(", sum of squares = ")
                                .Number(sum));
  program_.formResult.Show();
  Plot();
}

void MDIForm1::mnuAcceptFit_Click() {
  AcceptFittedValues(program_);
}

void MDIForm1::mnuGlobalFit_Click() {
  program_.formGlobalFit.Show();
}

void MDIForm1::mnuManualSeparate_Click() {
  if (ManualFit()) ShowReactionCurves();
}

void MDIForm1::mnuAutoSeparate_Click() {
  if (AutoFit()) ShowReactionCurves();
}

}  // namespace vorex
