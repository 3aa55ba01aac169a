#pragma once

#include "simulation/disc_work.h"
#include "simulation/reaction_terms.h"

// One fully implicit time step on the microdisc's grid. Ordered row by row along gamma the
// system is block tridiagonal, rows coupled only through the diagonal conductances along gamma:
// it is eliminated from the bulk towards the disc, keeping the inverse of each eliminated block
// (constant while the couplings are), and closed at the disc by the dense system of all surface
// values, S_i c_i(0) = S0 c_i(1) in each column i, whose kinetic rows move with the potential.
namespace vorex {

// Sizes the work for ns species on `grid`; `coupled` puts all species into one block.
void ShapeDiscWork(DiscWork& w, const DiscGrid& grid, int species, bool coupled, bool secondOrder);

// The couplings of step length dt [s] for diffusion coefficients d [cm2/s] on a disc of radius
// a [cm], with the constant reaction entries of the mechanism at these rates.
void SetDiscOperator(DiscOperator& op, const Chemistry& chemistry, const DiscWork& w,
                     const double* d, double a, double dt, const StepRates& rates);

// The surface rows at these rate constants [cm/s] of the charge transfers, column by column
// (the disc's reach of each column over D_s takes the place of the planar g_s).
void SetDiscSurfaceRows(DiscWork& w, const Chemistry& chemistry, const double* kred,
                        const double* kox, const double* d);

// The part of a step that does not depend on the surface rows: the elimination when it is not
// kept (second-order terms are linearised on the profile c first) and the right-hand sides.
// Row rows + 1 of c holds the bulk. A written mechanism's second-order terms move the constant
// part of their linearisation into rows 1..rows of c (see ConcentrationSources), which the step
// then overwrites.
void PrepareDiscStep(DiscWork& w, DiscOperator& op, const Chemistry& chemistry, double* c,
                     SolverReport& report);
// The surface values for the surface rows set last, into w.c0; `key` names those rows (their
// potential), so that the factors are kept while it stays.
void CloseDiscSurface(DiscWork& w, DiscOperator& op, double key, SolverReport& report);
// After a closure: the change of the surface values when the surface rows change by ds
// (column by column) is -K^-1 ds c0, to first order; into w.shift.
void ShiftDiscSurface(DiscWork& w, const DiscOperator& op,
                      const std::array<Block, kMaxDiscColumns>& ds);
// The substitution out from the surface values in w.c0; c takes the new profile.
void FinishDiscStep(DiscWork& w, const DiscOperator& op, double* c);

}  // namespace vorex
