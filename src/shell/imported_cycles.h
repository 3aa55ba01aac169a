#pragma once

#include <vector>

#include "curves/curve_store.h"
#include "shell/global_fit_set.h"

namespace vorex {

// Each cycle of the store's curve 1 (as Cut counts cycles, see CycleRanges) as a curve of the
// set, with no keywords of its own: a record of several cycles, imported once, fitted cycle by
// cycle. Named "curve 1 cycle k", or "curve 1" when it has one cycle; none when the store holds
// fewer than two points.
std::vector<SetCurve> ImportedCycles(const CurveStore& curves);

}  // namespace vorex
