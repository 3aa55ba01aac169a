#include "curves/kept_points.h"

#include "curves/curve_store.h"

namespace vorex {
namespace {

// Row `from` of a point-major matrix into row `to`; `to` is never after `from`, so a forward
// pass never reads a row it has already written.
template <class Matrix>
void MoveRow(Matrix& m, int from, int to) {
  for (int col = 0; col <= Matrix::kColUpper; ++col) m.Unchecked(to, col) = m.Unchecked(from, col);
}

template <class Matrix>
void ClearRow(Matrix& m, int row) {
  for (int col = 0; col <= Matrix::kColUpper; ++col) m.Unchecked(row, col) = 0;
}

}  // namespace

void KeepPoints(CurveStore& c, int first, int last) {
  if (first < 1 || last > c.PointCount || last < first) throw RuntimeFault(kSubscriptOutOfRange);
  const int count = last - first + 1;
  for (int i = 1; i <= count; ++i) {
    const int from = first + i - 1;
    c.Abscissa.Unchecked(i) = c.Abscissa.Unchecked(from);
    MoveRow(c.Ordinate, from, i);
    MoveRow(c.SimulatedCurrent, from, i);
    MoveRow(c.SurfaceConcentration, from, i);
  }
  for (int i = count + 1; i <= c.PointCount; ++i) {
    c.Abscissa.Unchecked(i) = 0;
    ClearRow(c.Ordinate, i);
    ClearRow(c.SimulatedCurrent, i);
    ClearRow(c.SurfaceConcentration, i);
  }
  c.PointCount = count;
  c.FirstPoint = 1;
  c.LastPoint = count;
}

}  // namespace vorex
