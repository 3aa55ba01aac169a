// The Run menu's fit and separate commands.
#include "experiment/capture.h"
#include "curves/plot_renderer.h"
#include "fitting/fit_driver.h"
#include "shell/mdi_form1.h"
#include "shell/vorex24a1.h"
#include "simulation/simulate.h"

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

void MDIForm1::mnuManualFit_Click() {
  FittingScope scope(state_);
  if (!CaptureParameters(state_.experiment)) return;
  state_.formResult.Clear();
  Simulate(state_.links, state_.simulationWork);
  Plot();
}

void MDIForm1::mnuAutoFit_Click() {
  FittingScope scope(state_);
  CurveStore& c = state_.curves;
  c.CurrentCurve = 1;
  state_.formOption.overlap().SetChecked(false);
  PrepareFitCurves(state_.links);
  if (!CaptureParameters(state_.experiment)) return;
  state_.formResult.Clear();
  for (int i = 1; i <= c.PointCount; ++i) state_.measured(i) = c.Ordinate(i, 1);
  RunAutoFit(state_.links, state_.simulationWork, state_.fit, state_.measured, c.PointCount);
  Plot();
}

// Curve 1 the data, curve 2 the fitted total, then one curve per charge reaction, as current.
void MDIForm1::ShowReactionCurves() {
  CurveStore& c = state_.curves;
  c.CurveCount = 2;
  for (int j = 1; j <= state_.parameterSet.ChargeReactionCount && c.CurveCount < kMaxCurves; ++j) {
    ++c.CurveCount;
    for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, c.CurveCount) = c.SimulatedCurrent(i, j);
  }
  Plot();
}

void MDIForm1::mnuManualSeparate_Click() {
  mnuManualFit_Click();
  ShowReactionCurves();
}

void MDIForm1::mnuAutoSeparate_Click() {
  mnuAutoFit_Click();
  ShowReactionCurves();
}

}  // namespace vorex
