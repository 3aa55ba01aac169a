#pragma once

#include "experiment/parameter_set.h"
#include "simulation/disc_work.h"
#include "simulation/reaction_terms.h"

// The charge transfers on the microdisc: each column of the disc has its own surface values and
// net rates, and the current is their sum weighted by the columns' shares of the disc's area.
namespace vorex {

// What stays through a run.
struct DiscCell {
  const ParameterSet* p = nullptr;
  int nh = 0;                 // charge reactions
  const double* d = nullptr;  // diffusion coefficient of each species [cm2/s]
  double q = 0;               // current per unit of mean net rate [A s/cm]
  Chemistry chemistry{MechanismCode::E};
};

// Closes a prepared step at electrode potential e [V]: the rate constants (into kred, kox), the
// surface rows and the surface values (into w.c0).
void CloseDiscAt(const DiscCell& cell, DiscWork& w, DiscOperator& op, double e, double* kred,
                 double* kox, SolverReport& report);

// The currents of reactions 1..nh [A] from the surface values c0 (laid out as a row of w) at
// the rate constants kred, kox; returns their sum.
double DiscReactionCurrents(const DiscCell& cell, const DiscWork& w, const double* c0,
                            const double* kred, const double* kox, double* current);

}  // namespace vorex
