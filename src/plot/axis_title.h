#pragma once

#include <string>

#include "curves/curve_store.h"

namespace vorex {

// The title of the plot's vertical axis: the quantity chosen in the option dialog ("current I"
// is "I /A"), or what a transform of the Analysis menu made of it when the current curve is one,
// with the transform's units ("dI/dt^1/2 /A s^-1/2" for a semi-derivative of the current).
std::string AxisTitle(const std::string& quantity, CurveRole role);

}  // namespace vorex
