#include "simulation/radial_sweep.h"

#include <cstddef>

#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {

void AccumulateRadialSweep(ElectrodeShape shape, double rootD, double radius, double dt,
                           double tStep, ColumnRef stepCurrent, int m, RadialSweepWork& w) {
  if (m < 0 || m > kMaxPoints) throw RuntimeFault(kSubscriptOutOfRange);
  // A planar step current at tStep is n dC sqrt(D) / sqrt(pi tStep) for the surface change dC;
  // times sqrt(pi tStep) it is n dC sqrt(D), which g turns into the radial current.
  const double toAmplitude = CheckedSqrt(kPi * tStep);
  double before = 0;
  for (int k = 1; k <= m; ++k) {
    const auto u = static_cast<std::size_t>(k);
    w.kernel[u] = RadialTerm(shape, rootD, radius, Finite(k * dt));
    w.change[u] = Finite(toAmplitude * (stepCurrent[k] - before));
    before = stepCurrent[k];
  }
  for (int i = 1; i <= m; ++i) {
    double radial = 0;
    for (int k = 1; k <= i; ++k) {
      radial +=
          w.change[static_cast<std::size_t>(k)] * w.kernel[static_cast<std::size_t>(i - k + 1)];
    }
    const auto u = static_cast<std::size_t>(i);
    w.sum[u] = Finite(w.sum[u] + radial);
  }
}

}  // namespace vorex
