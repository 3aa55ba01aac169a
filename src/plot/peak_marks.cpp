#include "plot/peak_marks.h"

#include <string>

#include "base/number_format.h"

namespace vorex {
namespace {

// The mark's peak still stands where it was found: the curve was neither replaced, nor
// transformed, scaled or cut since.
bool StillOnItsCurve(const PeakMark& m, const CurveStore& c, int first, int last) {
  return m.curve >= 1 && m.curve <= c.CurveCount && m.point >= first && m.point <= last &&
         c.Abscissa(m.point) == m.potential && c.Ordinate(m.point, m.curve) == m.ordinate;
}

}  // namespace

int PeakPoint(const CurveStore& c, int curve, int first, int last, double potential,
              double ordinate) {
  for (int i = first; i <= last; ++i) {
    if (c.Abscissa(i) == potential && c.Ordinate(i, curve) == ordinate) return i;
  }
  return 0;
}

void DrawPeakMarks(const PlotState& plot, const CurveStore& c, PlotSurface& s, int first, int last,
                   double dx, double dy) {
  const double hx = 0.01 * dx, hy = 0.015 * dy;
  for (const PeakMark& m : plot.PeakMarks) {
    if (!StillOnItsCurve(m, c, first, last)) continue;
    const double x = m.potential, y = m.ordinate;
    s.Line(x - hx, y - hy, x + hx, y + hy);
    s.Line(x - hx, y + hy, x + hx, y - hy);
    // The label stands on the side away from the zero line, clear of the curve's own peak.
    s.SetTextCursor(x + hx, y >= 0 ? y + 4 * hy : y - hy);
    s.PrintText(FormatDecimals(x, 4) + " V");
  }
}

}  // namespace vorex
