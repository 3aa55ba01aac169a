#pragma once

#include <string>

#include "curves/curve_store.h"

namespace vorex {

// The name of curve `curve` (1..5) in the plot's legend: "measured", "fitted", "reaction 1" to
// "reaction 3", "residual", or "Curve n" for a simulation and anything else.
std::string CurveName(CurveRole role, int curve);

}  // namespace vorex
