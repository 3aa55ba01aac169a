#pragma once

#include <optional>
#include <string>

#include "experiment/parameter_set.h"
#include "simulation/cancel_check.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// What one run leaves beside the arrays it wrote into the workspace.
struct SimulationOutcome {
  // The message of a run-time fault that ended the run ("Analytical simulation Error: ...!
  // Please try again by other initial values."); the workspace's arrays are then meaningless.
  std::optional<std::string> fault;
  // The cancel check stopped the run before its end: no fault, but the workspace's arrays are
  // as meaningless as after one.
  bool cancelled = false;
  // A block of the implicit solver was singular at some step; the run went on.
  bool singularBlock = false;
  Programme programme;
  double yMax = 0;  // the largest and smallest total current before noise [A]
  double yMin = 0;
};

// One voltammogram from the parameter set alone, into the workspace: Abscissa(1..pointCount)
// [V], SimulatedCurrent column j for charge reaction j and column ChargeReactionCount + 1 for
// the total with its post-processing and charging current (column 7 the catalytic term of the
// analytical mechanism 9) [A], and SurfaceConcentration(i, species) [M] of a digital run. Noise
// is added when `noise` is true and the parameter set asks for it. `cancel` is asked now and
// then during a digital run (every few hundred time steps) and once after the analytical
// currents; when it says stop the outcome is `cancelled`. Reads no dialog, prints and shows
// nothing; safe to call from several threads on distinct workspaces.
SimulationOutcome RunSimulation(const ParameterSet& p, SimulationWorkspace& work, bool noise,
                                CancelCheck cancel = {});

// The same for a programme already built into work.Abscissa (a caller that checks it first).
SimulationOutcome RunSimulation(const ParameterSet& p, const Programme& programme,
                                SimulationWorkspace& work, bool noise, CancelCheck cancel = {});

// The user's message for a run-time fault of a simulation.
std::string SimulationFaultMessage(const std::string& description);

}  // namespace vorex
