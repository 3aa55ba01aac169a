#include "simulation/potential_programme.h"

#include <cmath>

#include "base/checked_math.h"

namespace vorex {

Programme BuildPotentialProgramme(const ParameterSet& p, AbscissaArray& x) {
  Programme g;
  const int rounded = ToInt16(CheckedDivide(std::fabs(p.EEnd - p.EStart), p.EStep));
  g.pointsPerSweep = ToInt16(rounded + 1.0);
  g.direction = p.EEnd > p.EStart ? 1 : -1;
  g.pointCount = ToInt16(p.ScanCount * 2 * g.pointsPerSweep);
  if (g.pointCount > kMaxPoints || g.pointCount < 1) throw RuntimeFault(kSubscriptOutOfRange);

  const int n = g.pointsPerSweep;
  for (int i = 1; i <= n; ++i) x.Unchecked(i) = p.EStart + g.direction * (i - 1) * p.EStep;
  if (p.ScanCount == 1 || p.ScanCount == 2) {
    for (int i = 1; i <= n; ++i) x.Unchecked(n + i) = x.Unchecked(n + 1 - i);
  }
  if (p.ScanCount == 2) {
    for (int i = 1; i <= 2 * n; ++i) x.Unchecked(2 * n + i) = x.Unchecked(i);
  }
  return g;
}

}  // namespace vorex
