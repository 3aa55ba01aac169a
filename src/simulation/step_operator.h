#pragma once

#include "simulation/implicit_solver.h"
#include "simulation/reaction_terms.h"

namespace vorex {

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

}  // namespace vorex
