#pragma once

#include <string>
#include <vector>

#include "shell/global_fit_set.h"

namespace vorex {

// What `global list` prints: a line on the set (its curves, the weighting, the parameters fitted
// per curve, the threads, whether a fit is kept), then a line a curve (see SetCurveLine).
std::vector<std::string> SetListLines(const GlobalFitSet& set);

// Curve c (1-based) of the set: its number, name, points, the range of its potentials, how often
// it turns, and its own keywords.
std::string SetCurveLine(const GlobalFitSet& set, int c);

// The keyword of the parameter fit slot k (1..38) stands for, as `global per_curve` takes it:
// "C_A", "ks_1".
std::string FitSlotKeyword(int k);

}  // namespace vorex
