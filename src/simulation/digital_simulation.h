#pragma once

#include <string_view>

#include "experiment/parameter_set.h"
#include "simulation/implicit_solver.h"
#include "simulation/potential_programme.h"

namespace vorex {

struct SimulationWorkspace;

// The working storage of one digital run, allocated once with the state and cleared at the
// start of every run.
struct DigitalWork {
  SpeciesNode c;       // dimensionless profile, species x node
  NodeSpecies x;       // solver workspace
  NodeSpecies dMa;     // coupling of node j to node j-1
  NodeSpecies dMb;     // coupling of node j to node j+1
  NodeSpecies diag;    // diffusion diagonal 1 + DMa + DMb
  NodeBlocks y;        // solver workspace
  NodeBlocks m;        // reaction matrices M_j
  Block s, s0;         // surface matrices of the step and of the run
  SolverScratch scratch;
  SolverReport report;
};

// The grid of a run, from the parameter set and the programme length.
struct DigitalGrid {
  double lambda = 0;  // kinetic grid parameter
  double nReal = 0;   // 2 + ln(1 + 6 (e - 1) sqrt(lambda PointCount))
  int nodes = 0;      // N: nReal rounded, halves to even
  int cells = 0;      // J: floor(nReal + 1)
};
DigitalGrid DigitalGridFor(const ParameterSet& p, int pointCount);

// The exponentially expanding grid in units of the first spacing: cell boundary
// x_j = (e^(j-1) - 1) / (e - 1) and node position m_j = (e^(j-1/2) - 1) / (e - 1).
double CellBoundary(int j);
double NodePosition(int j);

// Steps per data point and the steps that are simulated and sampled, by technique.
struct DigitalSteps {
  double dt = 0;  // time step [s]
  double k = 0;   // steps per data point (real, not rounded)
  double first = 1;
  double pre = 1;  // pre-pulse sample step
};
DigitalSteps DigitalStepsFor(const ParameterSet& p);

// The implicit finite-difference simulation: writes the current of every charge reaction [A]
// into the workspace's SimulatedCurrent and the surface concentrations [M] into its
// SurfaceConcentration for points 1..PointCount. ruText is the text of the Ru field. Raises
// RuntimeFault; a singular block is noted in work.report.
void RunDigitalSimulation(const ParameterSet& p, std::string_view ruText, const Programme& g,
                          SimulationWorkspace& w, DigitalWork& work);

}  // namespace vorex
