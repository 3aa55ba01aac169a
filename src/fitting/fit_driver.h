#pragma once

#include "curves/curve_links.h"
#include "fitting/marquardt.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// What an Auto Fit leaves for the run: the fitted indices and the counters of the last fit, with
// the problem's storage (allocated once with the state).
struct FitRun {
  FixedArray<int, kMaxFitParameters> FitIndexList{};  // fit indices 1..19 of the parameters
  int FitCount = 0;
  int ObjectiveCount = 0;
  double DataSigma = 0;
  // At most this many simulations in one fit, 0 for no limit: a bound on the cost of a fit for
  // a caller that must not wait long (the fuzzer). A fit that reaches it ends with a message.
  int evaluationBudget = 0;
  FitProblem problem;
};

// Reduces the store to curve 1 unless the overlap option was on when the options were last
// applied.
void PrepareFitCurves(CurveLinks& links);

// Fits the ticked parameters within their bounds to the measured ordinates y(1..M), printing one
// "Least square = " line per iteration and the report, and writes the fitted values into the
// captions of the fit check boxes. A fault ends the fit with "Fit Error: ..." and no report.
void RunAutoFit(CurveLinks& links, SimulationWorkspace& work, FitRun& run, const PointVector& y,
                int m);

}  // namespace vorex
