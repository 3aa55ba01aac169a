#pragma once

#include <string>
#include <vector>

#include "fitting/fit_driver.h"
#include "plot/curve_links.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// Reduces the store to curve 1 unless the overlap option was on when the options were last
// applied.
void PrepareFitCurves(CurveLinks& links);

// Fits the ticked parameters within their bounds to the measured ordinates y(1..M), printing one
// "Least square = " line per iteration and the report, and writes the fitted values into the
// captions of the fit check boxes. A fault ends the fit with "Fit Error: ..." and no report. The
// parameter set keeps the captured values of the dialogs, as before the fit.
void RunAutoFit(CurveLinks& links, SimulationWorkspace& work, FitRun& run, const PointVector& y,
                int m);

// The report of a completed fit with its statistics, line by line, as the result window shows it,
// ending with how the fit ended in plain words (OutcomeSentences; a cancel's line last).
std::vector<std::string> FitReportLines(const FitSetup& setup, const FitResult& result);

}  // namespace vorex
