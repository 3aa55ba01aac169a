// The Run menu's fit and separate commands, and the residual of the last fit.
#include <cmath>
#include <string>

#include "base/result_line.h"
#include "base/text_window.h"
#include "experiment/capture.h"
#include "fitting/fit_bounds.h"
#include "plot/plot_renderer.h"
#include "shell/fit_command.h"
#include "shell/mdi_form1.h"
#include "shell/shared_grid.h"
#include "shell/simulation_command.h"
#include "shell/vorex24a1.h"

namespace vorex {
namespace {

// The fitting flag and the hourglass for exactly the duration of a fit command, however it ends.
class FittingScope {
 public:
  explicit FittingScope(VOREX24A1& state) : state_(state), busy_(state.host) {
    state_.fitting = true;
  }
  ~FittingScope() { state_.fitting = false; }
  FittingScope(const FittingScope&) = delete;
  FittingScope& operator=(const FittingScope&) = delete;

 private:
  VOREX24A1& state_;
  BusyPointer busy_;
};

}  // namespace

// A fit compares its simulations with the measured curve point for point, so they must be made
// at the measured potentials; and the search needs bounds it can keep to. Otherwise nothing is
// changed and the user is told what to set.
bool MDIForm1::FitMayStart(bool bounds) {
  std::optional<std::string> refused;
  try {
    refused = RefusedNextRun(state_.links, state_.parameterSet, state_.simulationWork);
  } catch (const RuntimeFault&) {
    // No programme can be built: the simulation says why when the fit runs it.
  }
  if (!refused && bounds) refused = RefusedBounds(state_.formExpr);
  if (refused) state_.host.MessageBox(*refused);
  return !refused;
}

bool MDIForm1::ManualFit() {
  FittingScope scope(state_);
  if (!CaptureParameters(state_.experiment) || !FitMayStart(false)) return false;
  state_.formResult.Clear();
  Simulate(state_.links, state_.simulationWork);
  Plot();
  return true;
}

bool MDIForm1::AutoFit() {
  FittingScope scope(state_);
  // Captured and checked first, so that a refused fit leaves the curves and options untouched.
  if (!CaptureParameters(state_.experiment) || !FitMayStart(true)) return false;
  CurveStore& c = state_.curves;
  c.CurrentCurve = 1;
  state_.formOption.overlap().SetChecked(false);
  PrepareFitCurves(state_.links);
  state_.formResult.Clear();
  for (int i = 1; i <= c.PointCount; ++i) state_.measured(i) = c.Ordinate(i, 1);
  RunAutoFit(state_.links, state_.simulationWork, state_.fit, state_.measured, c.PointCount);
  Plot();
  return true;
}

void MDIForm1::mnuManualFit_Click() {
  ManualFit();
}

void MDIForm1::mnuAutoFit_Click() {
  AutoFit();
}

// Curve 1 the data, curve 2 the fitted total, then one curve per charge reaction, as current.
void MDIForm1::ShowReactionCurves() {
  CurveStore& c = state_.curves;
  c.CurveCount = 2;
  for (int j = 1; j <= state_.parameterSet.ChargeReactionCount && c.CurveCount < kMaxCurves; ++j) {
    ++c.CurveCount;
    c.Role(c.CurveCount) = ReactionRole(j);
    for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, c.CurveCount) = c.SimulatedCurrent(i, j);
  }
  Plot();
}

void MDIForm1::mnuResidual_Click() {
  const FitRun& run = state_.fit;
  CurveStore& c = state_.curves;
  if (run.residualCount == 0 || run.residualCount != c.PointCount) {
    state_.host.MessageBox(
        "Residual: no Auto Fit has ended with a report on the curves shown; run Auto Fit "
        "first.");
    return;
  }
  if (c.CurveCount >= kMaxCurves) {
    state_.host.MessageBox("Residual: the plot already holds " + std::to_string(kMaxCurves) +
                           " curves; Clear or Auto Fit again first.");
    return;
  }
  // It becomes the current curve, so that the Y Data commands magnify it beside the others.
  c.CurrentCurve = ++c.CurveCount;
  c.Role(c.CurveCount) = CurveRole::Residual;
  double sum = 0, largest = 0;
  for (int i = 1; i <= run.residualCount; ++i) {
    c.Ordinate(i, c.CurveCount) = run.residual(i);
    sum += run.residual(i) * run.residual(i);
    largest = std::fmax(largest, std::fabs(run.residual(i)));
  }
  state_.formResult.Print(ResultLine()
                              .Text("Residual of the last Auto Fit (measured - fitted) is curve ")
                              .Number(c.CurveCount)
                              .Text(", largest |residual| = ")
                              .Number(largest)
                              .Text(", sum of squares = ")
                              .Number(sum));
  state_.formResult.Show();
  Plot();
}

void MDIForm1::mnuManualSeparate_Click() {
  if (ManualFit()) ShowReactionCurves();
}

void MDIForm1::mnuAutoSeparate_Click() {
  if (AutoFit()) ShowReactionCurves();
}

}  // namespace vorex
