#pragma once

#include "experiment/codes.h"
#include "simulation/implicit_solver.h"

// How a mechanism enters the digital simulation: its homogeneous reactions in the node blocks,
// its charge transfers in the surface rows, and the net rates that make the currents. Species
// A, B, C, D are 0, 1, 2, 3.
namespace vorex {

// Rate constants of the two homogeneous reactions per time step.
struct StepRates {
  double kf1 = 0, kb1 = 0, kf2 = 0, kb2 = 0;
};

// The reaction entries that do not depend on the profile, added to the diffusion diagonal.
void ConstantReactionEntries(MechanismCode mechanism, Block& m, const StepRates& k);

// Whether the mechanism has second-order terms, linearised on the profile before each step.
bool HasConcentrationEntries(MechanismCode mechanism);
// Writes those terms into the blocks of nodes 1..nodes from the profile c.
void ConcentrationEntries(MechanismCode mechanism, const SpeciesNode& c, const NodeSpecies& diag,
                          int nodes, const StepRates& k, NodeBlocks& m);
// The constant part of a Newton linearisation, moved to the right-hand side (the profile c
// before the step) at nodes 1..nodes. B + C = A + D enters its blocks with the whole Jacobian,
// r(c) ~ J c - r(c0) with J c0 = 2 r(c0): without this part the step would run the reaction at
// twice its rate. The other mechanisms' terms take the old concentration times the new one
// (no constant part).
void ConcentrationSources(MechanismCode mechanism, int nodes, const StepRates& k, SpeciesNode& c);

// The surface rows that conserve matter between the surface and node 1: for the species a
// couple exchanges, the fluxes D_s (c_s(1) - c_s(0)) sum to zero, so each enters its row with
// its diffusion coefficient relative to that of the row's own species (1 when they are equal).
void ConservationEntries(MechanismCode mechanism, const double* d, Block& s);

// The kinetic rows of the charge transfers at this step's rate constants [cm/s]; g_s is the
// distance to node 1 over D_s [s/cm].
void KineticEntries(MechanismCode mechanism, const double* kred, const double* kox, const double* g,
                    Block& s);

// Net rates v_r = kred_r c_ox(0) - kox_r c_red(0) of the charge reactions, r = 1..3.
void NetRates(MechanismCode mechanism, const SpeciesNode& c, const double* kred, const double* kox,
              double* v);
// The same from surface values alone.
void NetRatesAt(MechanismCode mechanism, const SurfaceValues& c0, const double* kred,
                const double* kox, double* v);

}  // namespace vorex
