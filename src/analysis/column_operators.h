#pragma once

#include "base/fixed_storage.h"
#include "curves/curve_store.h"

// Transforms of one column of an ordinate matrix over points 1..M, with the spacing
// h = |X(2) - X(1)| of the first two abscissas taken for every point. New values are formed in
// work storage from the unchanged column and copied back only when every one of them is finite;
// otherwise "Overflow" is raised and the column keeps its values.
namespace vorex {

using AbscissaArray = FixedArray<double, kMaxPoints>;

// One column of a points x columns matrix, addressed by point 0..4000.
class ColumnRef {
 public:
  template <class T, int RowHi, int ColHi>
  ColumnRef(FixedMatrix<T, RowHi, ColHi>& matrix, int column)
      : base_(&matrix(0, column)), stride_(ColHi + 1) {}
  double& operator[](int point) const { return base_[static_cast<std::ptrdiff_t>(point) * stride_]; }

 private:
  double* base_;
  int stride_;
};

// The semi-derivative: S(i) = c0 (Y(i) + sum over k = 1..i-1 of Y(k) w(i-k)) for i = 3..M-1,
// c0 = 0.25 / sqrt(pi h), w(m) = sqrt(m+1) - 2 sqrt(m) + sqrt(m-1); S(M) = S(M-1),
// S(1) = S(2) = S(3). Returns false, leaving the column as it was, when h = 0 and the
// result depends on h (M of 4 or more).
bool SemiDifferentiate(const AbscissaArray& x, ColumnRef y, int pointCount);

// The running rectangle sum h (Y(1) + ... + Y(i)).
void Integrate(const AbscissaArray& x, ColumnRef y, int pointCount);

// Central differences, one-sided at the ends. Returns false, leaving the column as it was, when
// h = 0 and there are two points or more; a single point has slope 0.
bool Differentiate(const AbscissaArray& x, ColumnRef y, int pointCount);

}  // namespace vorex
