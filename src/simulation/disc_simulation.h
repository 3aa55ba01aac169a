#pragma once

#include "simulation/digital_simulation.h"

// The digital simulation of the microdisc in two dimensions (see disc_grid.h): what
// RunDigitalSimulation does for every other electrode, on the disc's grid. Every step is
// backward Euler taken whole and in two halves and extrapolated (Richardson), so that a sweep
// is second order in its step as the pulse techniques are; a sweep's half step meets the
// potential halfway along the step.
namespace vorex {

bool RunDiscSimulation(const ParameterSet& p, const Programme& g, SimulationWorkspace& ws,
                       DigitalWork& work, CancelCheck cancel);

}  // namespace vorex
