#pragma once

#include <string>
#include <vector>

#include "fitting/global_fit.h"

namespace vorex {

// The report of a joint fit, line by line, as the result window shows it: the set (curves,
// points, weighting), the parameters with the curve each per-curve one belongs to, the fit's own
// report and statistics from the joint Jacobian (per-curve parameters named by curve), each
// curve's sum of squares and R², and each curve's fitted background.
std::vector<std::string> GlobalFitReportLines(const std::vector<GlobalCurve>& curves,
                                              const GlobalFitSetup& setup,
                                              const GlobalFitResult& result);

// What the weighting does, in words: "noise (each curve divided by its own noise estimate)".
std::string WeightingSentence(CurveWeighting weighting);

}  // namespace vorex
