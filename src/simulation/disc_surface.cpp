#include "simulation/disc_surface.h"

#include "simulation/disc_solver.h"
#include "simulation/reaction_terms.h"
#include "simulation/surface_kinetics.h"

namespace vorex {

void CloseDiscAt(const DiscCell& cell, DiscWork& w, DiscOperator& op, double e, double* kred,
                 double* kox, SolverReport& report) {
  RateConstantsAt(*cell.p, cell.nh, e, kred, kox);
  if (!(op.closed && op.closedAt == e)) SetDiscSurfaceRows(w, cell.chemistry, kred, kox, cell.d);
  CloseDiscSurface(w, op, e, report);
}

double DiscReactionCurrents(const DiscCell& cell, const DiscWork& w, const double* c0,
                            const double* kred, const double* kox, double* current) {
  const int n = w.grid.columns;
  double mean[kTransferSlots] = {};
  for (int i = 0; i < n; ++i) {
    SurfaceValues at{};
    for (int s = 0; s < w.species; ++s) at[s] = c0[s * n + i];
    double v[kTransferSlots] = {};
    NetRatesAt(cell.chemistry, at, kred, kox, v);
    for (int r = 1; r <= cell.nh; ++r) mean[r] += w.grid.share[i] * v[r];
  }
  double total = 0;
  for (int r = 1; r <= cell.nh; ++r) {
    current[r] = cell.p->N(r) * cell.q * mean[r];
    total += current[r];
  }
  return total;
}

}  // namespace vorex
