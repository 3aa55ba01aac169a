#pragma once

#include <string>

#include "curves/curve_store.h"

namespace vorex {

// The name a curve of role `role` has in the plot's legend when nothing more was said of it:
// "measured", "fit", "reaction 1" to "reaction 3", "residual", "semi-derivative",
// "semi-integral", "derivative", "integral", or "Curve n" for a simulation (curve `curve`, 1..5).
std::string CurveName(CurveRole role, int curve);

// The legend's name of curve `curve` of the store: its own name when it has one, else its role's.
std::string LegendName(const CurveStore& curves, int curve);

// Curve `curve` now holds a curve of role `role` named `name` (its role's name when empty).
void NameCurve(CurveStore& curves, int curve, CurveRole role, std::string name = {});

}  // namespace vorex
