#pragma once

#include "simulation/disc_surface.h"
#include "simulation/ohmic_step.h"

// A step of the microdisc behind the uncompensated resistance Ru: the same balance as at the
// other electrodes (see ohmic_step.h), F(u) = u - E - Ru (I_f(u) - C (u - u_before) / dt) = 0,
// solved by Newton's method bounded by bisection. Only the disc's surface system depends on u.
namespace vorex {

// Advances the profile c by one step of op with the disc at the potential its own current
// leaves; demand.lead is not used (the disc's steps are extrapolated). Raises RuntimeFault when
// no potential within reach balances the drop.
OhmicOutcome SolveDiscOhmicStep(const DiscCell& cell, double ru, const OhmicDemand& demand,
                                DiscWork& w, DiscOperator& op, double* c, SolverReport& report);

}  // namespace vorex
