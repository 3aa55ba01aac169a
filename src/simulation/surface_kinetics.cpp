#include "simulation/surface_kinetics.h"

#include "simulation/reaction_terms.h"

namespace vorex {

// Each block is the rows at a unit rate constant less the rows at none: the entries are linear
// in each rate constant, so the difference holds for any rate.
void SurfaceSlopesFor(const Chemistry& chemistry, int nh, const double* g, SurfaceSlopes& slopes) {
  const double none[kTransferSlots] = {};
  Block fixed{};
  KineticEntries(chemistry, none, none, g, fixed);
  for (int k = 1; k <= nh; ++k) {
    double unit[kTransferSlots] = {};
    unit[k] = 1;
    Block red{}, ox{};
    KineticEntries(chemistry, unit, none, g, red);
    KineticEntries(chemistry, none, unit, g, ox);
    for (int i = 0; i <= kMaxSolverSpecies; ++i) {
      for (int j = 0; j <= kMaxSolverSpecies; ++j) {
        slopes.red[k][i][j] = red[i][j] - fixed[i][j];
        slopes.ox[k][i][j] = ox[i][j] - fixed[i][j];
      }
    }
  }
}

}  // namespace vorex
