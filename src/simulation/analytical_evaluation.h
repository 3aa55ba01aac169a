#pragma once

#include "experiment/parameter_set.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// The analytical currents of every charge reaction, in A, on the workspace. Raises RuntimeFault.
void EvaluateAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w);
// What the analytical mode does to the summed currents: semi-differentiation of the sweeps with
// the edge term of small electrodes, differentiation for the thin film, the catalytic terms of
// mechanism 9. Raises RuntimeFault.
void PostProcessAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w);

}  // namespace vorex
