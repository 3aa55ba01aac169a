#pragma once

#include <vector>

#include <pybind11/pybind11.h>

#include "fitting/global_fit.h"

// The measured curves of a joint fit and what to fit over them, read from Python's arguments.
namespace vorex::python {

struct GlobalFitInput {
  std::vector<GlobalCurve> curves;
  GlobalFitSetup setup;
};

// `curves`: (E, I, settings) per curve, settings a vorex.Settings or a dict of keywords (with
// "settings" a vorex.Settings they change). `fit` as vorex.fit takes it, applied to the first
// curve's settings (None: their own ticked parameters and bounds); `perCurve` names the fitted
// parameters that each curve has its own value of; `weighting` "none", "max" or "noise";
// `threads` None (every processor) or at least 1. Each curve's sweep follows its measured
// potentials as vorex.fit makes it. ValueError (TypeError for a value of the wrong kind) with a
// message naming the curve for anything the fit cannot take, the core's refusals included.
GlobalFitInput ReadGlobalFit(const pybind11::handle& curves, const pybind11::handle& fit,
                             const pybind11::handle& perCurve, const pybind11::handle& weighting,
                             const pybind11::handle& threads);

}  // namespace vorex::python
