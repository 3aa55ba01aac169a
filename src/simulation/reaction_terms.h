#pragma once

#include <array>

#include "experiment/parameter_set.h"
#include "simulation/implicit_solver.h"

// How a mechanism enters the digital simulation: its homogeneous reactions in the node blocks,
// its charge transfers in the surface rows, and the net rates that make the currents. Species
// A, B, C, D .. H are 0, 1, 2, 3 .. 7. A written mechanism's terms are made from its network
// (see network_terms.h); a built-in's are written out below.
namespace vorex {

static_assert(kMaxSolverSpecies + 1 == kMaxNetworkSpecies);

// The chemistry of a run: a built-in mechanism, or a written one with its network. A built-in's
// code stands for its chemistry on its own.
struct Chemistry {
  Chemistry(MechanismCode mechanism, const ReactionNetwork* reactions = nullptr)
      : code(mechanism), network(reactions) {}
  MechanismCode code;
  const ReactionNetwork* network;  // the written mechanism's; null for a built-in
  bool Written() const { return code == MechanismCode::Written; }
};
// Raises "Subscript out of range" for a written mechanism whose counts are not its network's.
Chemistry ChemistryOf(const ParameterSet& p);

// Room for the values of charge transfers 1..4 (rate constants, net rates, currents), indexed
// from 1 as the reactions are numbered.
inline constexpr int kTransferSlots = kMaxNetworkTransfers + 1;

// Rate constants of the homogeneous reactions 1..4 per time step; element 0 is not used.
struct StepRates {
  std::array<double, kMaxNetworkSteps + 1> kf{}, kb{};
};

// kf dt and kb dt of each homogeneous reaction. A built-in takes its rate constants as they are
// entered (those of its second-order reactions are k Cmax [1/s], as its terms multiply
// concentrations relative to the largest one, cMax). A written mechanism's second-order side
// takes k [L/(mol s)] times cMax [mol/L], so that its terms work on the same relative profile.
StepRates StepRatesFor(const ParameterSet& p, double dt, double cMax);
// The largest initial concentration of the run's species [mol/L]: the unit of its profile.
double LargestConcentration(const ParameterSet& p);
// The largest kf + kb of the homogeneous reactions [1/s], a written second-order side's rate
// constant times cMax: the reaction layer a grid must resolve.
double FastestStepRate(const ParameterSet& p, double cMax);

// The reaction entries that do not depend on the profile, added to the diffusion diagonal.
void ConstantReactionEntries(const Chemistry& chemistry, Block& m, const StepRates& k);

// Whether the mechanism has second-order terms, linearised on the profile before each step.
bool HasConcentrationEntries(const Chemistry& chemistry);
// Writes those terms into the blocks of nodes 1..nodes from the profile c.
void ConcentrationEntries(const Chemistry& chemistry, const SpeciesNode& c, const NodeSpecies& diag,
                          int nodes, const StepRates& k, NodeBlocks& m);
// The constant part of a Newton linearisation, moved to the right-hand side (the profile c
// before the step) at nodes 1..nodes. B + C = A + D enters its blocks with the whole Jacobian,
// r(c) ~ J c - r(c0) with J c0 = 2 r(c0): without this part the step would run the reaction at
// twice its rate. The other mechanisms' terms take the old concentration times the new one
// (no constant part).
void ConcentrationSources(const Chemistry& chemistry, int nodes, const StepRates& k,
                          SpeciesNode& c);

// The surface rows that conserve matter between the surface and node 1: for the species a
// couple exchanges, the fluxes D_s (c_s(1) - c_s(0)) sum to zero, so each enters its row with
// its diffusion coefficient relative to that of the row's own species (1 when they are equal).
// A written mechanism keeps S0 the identity and balances every species in its own kinetic row.
void ConservationEntries(const Chemistry& chemistry, const double* d, Block& s);

// The kinetic rows of the charge transfers at this step's rate constants [cm/s]; g_s is the
// distance to node 1 over D_s [s/cm].
void KineticEntries(const Chemistry& chemistry, const double* kred, const double* kox,
                    const double* g, Block& s);

// Net rates v_r = kred_r c_ox(0) - kox_r c_red(0) of the charge reactions, r = 1..3 (1..4 of a
// written mechanism).
void NetRates(const Chemistry& chemistry, const SpeciesNode& c, const double* kred,
              const double* kox, double* v);
// The same from surface values alone.
void NetRatesAt(const Chemistry& chemistry, const SurfaceValues& c0, const double* kred,
                const double* kox, double* v);

}  // namespace vorex
