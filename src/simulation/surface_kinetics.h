#pragma once

#include <array>
#include <cmath>

#include "base/runtime_fault.h"
#include "experiment/parameter_set.h"
#include "simulation/implicit_solver.h"
#include "simulation/reaction_terms.h"

// The charge transfers at the electrode: their rate constants at a potential, and how the
// surface rows of the implicit step move with those rate constants.
namespace vorex {

// Butler-Volmer rate constants of reactions 1..nh at potential e [V]: kred reduces, kox
// oxidises [cm/s]. Raises "Overflow" when an exponent or a rate constant is not finite, checked
// once for all of them: an ohmic step computes them for every trial potential.
inline void RateConstantsAt(const ParameterSet& p, int nh, double e, double* kred, double* kox) {
  bool finite = true;
  for (int k = 1; k <= nh; ++k) {
    const double eta = p.N(k) * p.FOverRT * (e - p.E0(k));
    const double down = -p.Alpha(k) * eta, up = (1 - p.Alpha(k)) * eta;
    kred[k] = p.Ks(k) * std::exp(down);
    kox[k] = p.Ks(k) * std::exp(up);
    finite = finite && std::isfinite(down) && std::isfinite(up) && std::isfinite(kred[k]) &&
             std::isfinite(kox[k]);
  }
  if (!finite) throw RuntimeFault(kOverflow);
}

// The surface rows are affine in the rate constants (see KineticEntries): S = S_fixed +
// sum_k (kred_k red[k] + kox_k ox[k]). These are the two blocks of each reaction k = 1..nh.
struct SurfaceSlopes {
  std::array<Block, kTransferSlots> red{}, ox{};
};
void SurfaceSlopesFor(const Chemistry& chemistry, int nh, const double* g, SurfaceSlopes& slopes);

}  // namespace vorex
