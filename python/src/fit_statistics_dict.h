#pragma once

#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "fitting/fit_driver.h"

namespace vorex::python {

// The statistics of a fit as plain values and NumPy arrays, by the keywords' names of the
// parameters; None when the fit has none.
pybind11::object StatisticsDict(const FitSetup& setup, const FitResult& result);
// The same with parameter i (1..N) named names[i - 1].
pybind11::object StatisticsDict(const std::vector<std::string>& names, const FitResult& result);

}  // namespace vorex::python
