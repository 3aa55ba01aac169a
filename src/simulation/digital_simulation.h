#pragma once

#include <array>
#include <string_view>

#include "experiment/parameter_set.h"
#include "simulation/cancel_check.h"
#include "simulation/digital_grid.h"
#include "simulation/implicit_solver.h"
#include "simulation/microdisc_blend.h"
#include "simulation/point_schedule.h"
#include "simulation/potential_programme.h"
#include "simulation/reaction_terms.h"

namespace vorex {

struct SimulationWorkspace;

// The node blocks of one time-step length: diffusion couplings, the diffusion diagonal and the
// reaction matrices, with the solver's eliminated blocks.
struct StepOperator {
  double dt = 0;  // [s]
  StepRates rates;
  NodeSpecies dMa;   // coupling of node j to node j-1
  NodeSpecies dMb;   // coupling of node j to node j+1
  NodeSpecies diag;  // diffusion diagonal 1 + DMa + DMb
  NodeBlocks m;      // reaction matrices M_j
  NodeBlocks y;      // solver workspace
  SolverScratch scratch;
};

// The working storage of one digital run, allocated once with the state and cleared at the
// start of every run. A pulse technique uses a pair of operators (a step and its half) for each
// length of segment; the sweep uses one.
struct DigitalWork {
  static constexpr int kOperators = 4;
  SpeciesNode c;      // dimensionless profile, species x node
  SpeciesNode start;  // the profile at the start of an extrapolated step
  NodeSpecies x;      // solver workspace
  std::array<StepOperator, kOperators> ops;
  Block s, s0;  // surface matrices of the step and of the run
  SolverReport report;
  MicrodiscSamples samples;
};

// The implicit finite-difference simulation: writes the current of every charge reaction [A]
// into the workspace's SimulatedCurrent and the surface concentrations [M] into its
// SurfaceConcentration for points 1..PointCount. Raises RuntimeFault; a singular block is noted
// in work.report. `cancel` is asked every few hundred time steps; when it says stop, the run ends
// there and returns false, its arrays then half written. True when the run went to its end.
bool RunDigitalSimulation(const ParameterSet& p, const Programme& g, SimulationWorkspace& w,
                          DigitalWork& work, CancelCheck cancel = {});

}  // namespace vorex
