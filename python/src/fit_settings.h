#pragma once

#include <pybind11/pybind11.h>

#include "arrays.h"
#include "experiment/settings.h"
#include "simulation/simulation_workspace.h"

// The settings of a fit from Python: which parameters it fits within which bounds, and the
// programme that gives the measured potentials. Shared by the fit of one curve and of a set.
namespace vorex::python {

// The fit index (1..38) of a parameter named by its keyword or an alias ("C" for C_A);
// ValueError naming what is fittable for any other name.
int FittableSlot(const pybind11::handle& name);

// The fit flags ticked for the named parameters alone and their bounds typed, as the user sets
// them in the dialog; without names (None), the settings' own flags and bounds. ValueError for a
// name that is not fittable, a parameter the dialog does not offer, or bounds Auto Fit refuses.
Settings WithFitBounds(Settings s, const pybind11::handle& fit);

// The parameter set that simulates at the measured potentials: a sweep follows them as they are
// when the settings' programme does not give them; the pulse techniques, whose programme is not a
// sweep's, must match (ValueError saying what to set otherwise). `s` takes the measured programme.
ParameterSet FollowMeasured(Settings& s, const CurveArrays& data, SimulationWorkspace& work);

}  // namespace vorex::python
