#pragma once

#include <array>

#include "base/sized_storage.h"
#include "simulation/disc_grid.h"
#include "simulation/implicit_solver.h"
#include "simulation/reaction_terms.h"

// The storage of the microdisc's two-dimensional run, allocated at its first run and kept. The
// unknowns of one row of constant gamma are ordered species by species, each species' columns
// from the axis to the edge; a row's block is dense once eliminated, so it is kept per group of
// species that chemistry couples: every species on its own without chemistry, all together with.
namespace vorex {

// The largest block a group may have, and the most unknowns of a row.
inline constexpr int kMostDiscBlock = 64;
inline constexpr int kMostDiscUnknowns = kMaxNetworkSpecies * kMaxDiscColumns;

// One length of time step: its couplings and the blocks its elimination keeps.
struct DiscOperator {
  DiscOperator()
      : inverse((kMaxDiscRows + 1) * kMostDiscBlock * kMostDiscBlock),
        coupling(kMostDiscUnknowns * kMostDiscUnknowns),
        closure(kMostDiscUnknowns * kMostDiscUnknowns),
        pivot(kMostDiscUnknowns) {}
  double dt = 0;                           // [s]
  double lambda[kMaxNetworkSpecies] = {};  // D_s dt / a^2
  StepRates rates;                         // per step
  Block reaction{};                        // the reaction entries that do not depend on the profile
  bool eliminated = false;                 // the inverses belong to the couplings above
  // The inverse of each row's eliminated block, groups one after another.
  SizedArray<double> inverse;
  // S0 Y_1^-1 A_1: how the concentrations of row 1 answer to those at the disc.
  SizedArray<double> coupling;
  // The factors of the surface system, kept while its potential stays.
  SizedArray<double> closure;
  SizedArray<int> pivot;
  bool closed = false;
  double closedAt = 0;  // the potential of the kept factors [V]
};

struct DiscWork {
  static constexpr int kOperators = 4;
  static constexpr int kProfile = (kMaxDiscRows + 2) * kMostDiscUnknowns;
  DiscWork()
      : c(kProfile),
        start(kProfile),
        x(kProfile),
        block(kMostDiscBlock * kMostDiscBlock),
        c0(kMostDiscUnknowns),
        rhs(kMostDiscUnknowns),
        moved(kMostDiscUnknowns),
        shift(kMostDiscUnknowns) {}
  DiscGrid grid;
  int species = 0;    // ns
  int groups = 0;     // groups of coupled species
  int groupSize = 0;  // unknowns of a group's block
  int unknowns = 0;   // of a row: species x columns
  bool secondOrder = false;
  std::array<DiscOperator, kOperators> ops;
  SizedArray<double> c, start;               // profiles, row by row; row rows + 1 holds the bulk
  SizedArray<double> x;                      // right-hand sides of the elimination
  SizedArray<double> block;                  // the block being inverted
  SizedArray<double> c0, rhs, moved, shift;  // the surface system
  Block s0{};                                // the rows that conserve matter at the disc
  std::array<Block, kMaxDiscColumns> s{};    // each column's surface rows
  // A single node in the one-dimensional layout, for the terms of second-order reactions.
  SpeciesNode node{};
  NodeSpecies noDiagonal{};
  NodeBlocks nodeBlock{};
};

}  // namespace vorex
