#pragma once

#include "experiment/reaction_network.h"
#include "simulation/implicit_solver.h"

// How a written mechanism enters the digital simulation: the same parts as a built-in's (see
// reaction_terms.h), made from its network. A chemical step runs at R = Rf - Rb with
// Rf = kf prod(reactants^count) and Rb = kb prod(products^count); species s gains nu_s R, nu_s
// its count among the products less its count among the reactants. Rate constants arrive per
// time step, a second-order side's already times the reference concentration (see
// StepRatesFor), so that every term works on the dimensionless profile.
namespace vorex {

struct StepRates;

// The entries of the first-order sides, which do not depend on the profile, added to m.
void NetworkConstantEntries(const ReactionNetwork& network, Block& m, const StepRates& k);

// Whether a step has a second-order side.
bool NetworkHasConcentrationEntries(const ReactionNetwork& network);

// The blocks of nodes 1..nodes written whole: the diffusion diagonal, the constant entries and
// the Jacobian of the second-order sides at the profile c, so that a step is one Newton step
// from the profile it starts from.
void NetworkConcentrationEntries(const ReactionNetwork& network, const SpeciesNode& c,
                                 const NodeSpecies& diag, int nodes, const StepRates& k,
                                 NodeBlocks& m);

// The constant part of that Newton step, moved to the right-hand side c at nodes 1..nodes: a
// second-order side is R2(c) ~ J c - R2(c0), as J c0 = 2 R2(c0).
void NetworkConcentrationSources(const ReactionNetwork& network, int nodes, const StepRates& k,
                                 SpeciesNode& c);

// The surface rows, written whole: for each species s, c_s(0) + g_s sum_r nu_sr v_r = c_s(1),
// where a transfer's oxidised species has nu = 1 (it is consumed at the rate v_r) and its
// reduced species nu = -1. With S0 the identity, these are the rows of S.
void NetworkKineticEntries(const ReactionNetwork& network, const double* kred, const double* kox,
                           const double* g, Block& s);

// v_r = kred_r c_ox(0) - kox_r c_red(0) of transfers r = 1..transferCount, from at(species).
template <class At>
void NetworkNetRates(const ReactionNetwork& network, At at, const double* kred, const double* kox,
                     double* v) {
  for (int r = 0; r < network.transferCount; ++r) {
    const NetworkTransfer& t = network.transfers[static_cast<std::size_t>(r)];
    v[r + 1] = kred[r + 1] * at(t.ox) - kox[r + 1] * at(t.red);
  }
}

}  // namespace vorex
