#include "simulation/potential_programme.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/sweep_segments.h"

namespace vorex {

namespace {

Programme MeasuredProgramme(const ParameterSet& p, AbscissaArray& x) {
  const std::span<const double> e = p.Measured.View();
  if (e.size() < 1 || e.size() > static_cast<std::size_t>(kMaxPoints))
    throw RuntimeFault(kSubscriptOutOfRange);
  Programme g;
  g.measured = true;
  g.pointCount = static_cast<int>(e.size());
  const std::vector<int> vertices = FindVertices(e);
  g.pointsPerSweep = vertices.empty() ? g.pointCount : vertices.front() + 1;
  for (int i = 1; i <= g.pointCount; ++i) x.Unchecked(i) = e[static_cast<std::size_t>(i - 1)];
  g.direction = SweepDirectionAt(x, g.pointCount, 1);
  return g;
}

}  // namespace

int SweepDirectionAt(const AbscissaArray& x, int n, int i) {
  if (i > 1 && x.Unchecked(i) != x.Unchecked(i - 1))
    return x.Unchecked(i) > x.Unchecked(i - 1) ? 1 : -1;
  for (int k = i; k < n; ++k) {
    if (x.Unchecked(k + 1) != x.Unchecked(k)) return x.Unchecked(k + 1) > x.Unchecked(k) ? 1 : -1;
  }
  return -1;
}

Programme BuildPotentialProgramme(const ParameterSet& p, AbscissaArray& x) {
  if (!p.Measured.Empty()) return MeasuredProgramme(p, x);
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
