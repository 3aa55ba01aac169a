#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "experiment/parameter_set.h"
#include "simulation/cancel_check.h"
#include "simulation/digital_grid.h"
#include "simulation/disc_work.h"
#include "simulation/implicit_solver.h"
#include "simulation/point_schedule.h"
#include "simulation/potential_programme.h"
#include "simulation/reaction_terms.h"
#include "simulation/step_operator.h"

namespace vorex {

struct SimulationWorkspace;

// The working storage of one digital run, allocated once with the state and cleared at the
// start of every run. A pulse technique uses a pair of operators (a step and its half) for each
// length of segment; the sweep uses one, or with several steps per point three (a sub-step, its
// half and the point's own length for the rest at E start).
struct DigitalWork {
  static constexpr int kOperators = 4;
  SpeciesNode c;      // dimensionless profile, species x node
  SpeciesNode start;  // the profile at the start of an extrapolated step
  NodeSpecies x;      // solver workspace
  std::array<StepOperator, kOperators> ops;
  Block s, s0;  // surface matrices of the step and of the run
  SolverReport report;
  // The microdisc's run in two dimensions (see disc_simulation.h): some megabytes, so made at
  // the first microdisc run and kept, rather than with every workspace a fit or sweep holds.
  std::unique_ptr<DiscWork> disc;
  // The double layer's charging current of each point [A], when it is part of the step (see
  // ChargesWithinSteps); written with the currents.
  std::array<double, kMaxPoints + 1> charging{};
};

// Whether the run puts the double layer's charging current inside each step: a sweep behind an
// uncompensated resistance, where the drop the charging current makes moves the electrode too.
// Otherwise the charging current is added to the finished curve.
bool ChargesWithinSteps(const ParameterSet& p);

// The implicit finite-difference simulation: writes the current of every charge reaction [A]
// into the workspace's SimulatedCurrent and the surface concentrations [M] into its
// SurfaceConcentration for points 1..PointCount. With an uncompensated resistance every step
// finds the electrode potential its own current leaves (see ohmic_step.h). Raises RuntimeFault; a
// singular block is noted in work.report. `cancel` is asked every few hundred time steps; when it
// says stop, the run ends there and returns false, its arrays then half written. True when the run
// went to its end.
bool RunDigitalSimulation(const ParameterSet& p, const Programme& g, SimulationWorkspace& w,
                          DigitalWork& work, CancelCheck cancel = {});

}  // namespace vorex
