#pragma once

#include "plot/curve_links.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// One voltammogram from the parameter set as last captured into the curve store: the curve
// slot, the run, the currents of every reaction and their total, then the displayed quantity. A
// run-time fault ends the run with "Analytical simulation Error: ...! Please try again by other
// initial values." and leaves the curve store as it was; false then. So does a run that would
// join curves drawn over other potentials than its own (see RefusedProgramme), with the message
// that says so. No noise is added while a fit runs. The host's Cancel ends a run as a failure
// does, with the message that it was cancelled; during a fit it does not (the fit stops after
// the evaluation).
bool Simulate(CurveLinks& links, SimulationWorkspace& work);

}  // namespace vorex
