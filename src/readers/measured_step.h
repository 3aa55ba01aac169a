#pragma once

#include <optional>

namespace vorex {

// A measured step as the data carry it: the decimal of the fewest significant digits within its
// `uncertainty`, and at least within 1e-6 of it (relative). A difference of two potentials read
// from a file, or a median of such, comes with the binary digits of the subtraction
// (0.00199999999999978 for 0.252 - 0.250), and the median of a measured potential's steps with
// the wander of the potential (0.00199928 where its standard error is 1.3e-6); a step the
// instrument really took off a round number (0.001953124, its steps all alike) keeps the digits
// it needs. Zero and non-finite steps come back as they are.
double DecimalStep(double step, double uncertainty = 0);

// The E step to show for a record whose own step is `dataStep`: the step the file states when it
// states one the data bear out to within 5 % (an instrument's potential steps, quantised by its
// converter, can be 1.953 mV where 2 mV was asked), else DecimalStep(dataStep, uncertainty).
double ShownStep(double dataStep, const std::optional<double>& stated, double uncertainty = 0);

}  // namespace vorex
