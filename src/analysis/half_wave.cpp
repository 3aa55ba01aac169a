#include "analysis/half_wave.h"

#include <cmath>
#include <optional>

#include "base/text_window.h"
#include "curves/curve_store.h"

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

void FindHalfWave(CurveLinks& l) {
  const CurveStore& c = l.curves;
  const int m = c.PointCount;
  if (m < 1 || m > kMaxPoints) return;
  AbscissaArray a;
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    for (int i = 1; i <= m; ++i) a(i) = std::fabs(c.Ordinate(i, curve));
    const double top = ArrayMax(a, m), bottom = ArrayMin(a, m);
    const double half = (top - bottom) / 2, lower = 0.95 * half, upper = 1.05 * half;
    std::optional<double> halfWave;
    for (int i = 1; i <= m && !halfWave; ++i) {
      const double rise = a(i) - bottom;
      if (lower <= rise && rise <= upper) halfWave = c.Abscissa(i);
    }
    l.formResult.Print(ResultLine().Text("Peak ").Number(curve).Text(": ").Zone().Text("E1/2 = ")
                           .Number(halfWave).Zone().Text("Id = ").Number(top - bottom));
  }
}

}  // namespace vorex
