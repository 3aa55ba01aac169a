#include "analysis/half_wave.h"

#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {

double ArrayMax(const AbscissaArray& a, int m) {
  double top = a(1);
  for (int i = 2; i <= m; ++i) {
    if (a(i) > top) top = a(i);
  }
  return top;
}

double ArrayMin(const AbscissaArray& a, int m) {
  double bottom = a(1);
  for (int i = 2; i <= m; ++i) {
    if (a(i) < bottom) bottom = a(i);
  }
  return bottom;
}

HalfWaveResult HalfWave(const AbscissaArray& x, const AbscissaArray& y, int m) {
  // Without a point there is no height; ArrayMax would read the unused point 1.
  if (m < 1 || m > kMaxPoints) throw RuntimeFault(kSubscriptOutOfRange);
  AbscissaArray a;
  for (int i = 1; i <= m; ++i) a(i) = std::fabs(y(i));
  const double top = ArrayMax(a, m), bottom = ArrayMin(a, m);
  const double half = (top - bottom) / 2, lower = 0.95 * half, upper = 1.05 * half;
  HalfWaveResult wave;
  for (int i = 1; i <= m && !wave.halfWavePotential; ++i) {
    const double rise = a(i) - bottom;
    if (lower <= rise && rise <= upper) wave.halfWavePotential = x(i);
  }
  wave.height = top - bottom;
  return wave;
}

}  // namespace vorex
