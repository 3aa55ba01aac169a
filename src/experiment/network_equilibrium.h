#pragma once

#include <array>

#include "experiment/reaction_network.h"

// The initial concentrations of a written mechanism under pre-equilibration: the solution brought
// to the Nernst ratio of every electron transfer at the starting potential and to the equilibrium
// of every chemical step, with matter conserved as the steps' stoichiometry conserves it.
namespace vorex {

struct NetworkEquilibriumInputs {
  ReactionNetwork network;
  std::array<double, kMaxNetworkSpecies + 1> c{};       // analytical, species 1..8 [mol/L]
  std::array<double, kMaxNetworkTransfers + 1> n{};     // electron numbers, transfers 1..4
  std::array<double, kMaxNetworkTransfers + 1> e0{};    // standard potentials [V]
  std::array<double, kMaxNetworkSteps + 1> kf{}, kb{};  // rate constants, steps 1..4
  double startPotential = 0;                            // [V]
  double fOverRT = 0;                                   // F / (R T) [1/V]
};

// Species 1..species of the network; raises RuntimeFault when no finite state is reached.
std::array<double, kMaxNetworkSpecies + 1> NetworkPreEquilibrate(
    const NetworkEquilibriumInputs& in);

}  // namespace vorex
