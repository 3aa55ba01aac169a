#pragma once

#include "curves/curve_links.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// One voltammogram from the parameter set into the curve store: the curve slot, the potential
// programme, the current of each charge reaction, the total with its post-processing, charging
// current and noise, then the displayed quantity. A run-time fault ends the run with
// "Analytical simulation Error: ...! Please try again by other initial values." and leaves the
// curve store as it was; false then. So does a run that would join curves drawn over other
// potentials than its own (see RefusedProgramme), with the message that says so.
bool Simulate(CurveLinks& links, SimulationWorkspace& work);

// The analytical currents of every charge reaction, in A, on the workspace. Raises RuntimeFault.
void EvaluateAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w);
// What the analytical mode does to the summed currents: semi-differentiation of the sweeps with
// the edge term of small electrodes, differentiation for the thin film, the catalytic terms of
// mechanism 9. Raises RuntimeFault.
void PostProcessAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w);

}  // namespace vorex
