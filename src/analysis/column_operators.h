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
  double& operator[](int point) const {
    return base_[static_cast<std::ptrdiff_t>(point) * stride_];
  }

 private:
  double* base_;
  int stride_;
};

// The half-order transforms work along time: a record swept at `scanRate` [V/s] has its points
// dt = h / scanRate apart. The semi-derivative [unit of Y per s^1/2] is the L1 sum of
// Riemann-Liouville calculus with the leading term of its error expansion removed:
//   S(i) = (Y(i) + sum over k = 1..i-1 of Y(k) w(i-k)) / (G sqrt(dt))
//          - zeta(-1/2) (Y(i) - 2 Y(i-1) + Y(i-2)) / (G sqrt(dt))
// for i = 3..M-1, G = Gamma(3/2) = sqrt(pi)/2, w(m) = sqrt(m+1) - 2 sqrt(m) + sqrt(m-1);
// S(M) = S(M-1), S(1) = S(2) = S(3). It is exact for a record that starts at zero and is linear
// in time, and second order for a smooth one. Returns false, leaving the column as it was, when
// dt is zero, negative or not finite and the result depends on it (M of 4 or more).
bool SemiDifferentiate(const AbscissaArray& x, ColumnRef y, int pointCount, double scanRate);

// The same for points dt apart in time whatever their potentials (a measured programme, whose
// potentials turn and wander but whose samples come at a constant rate).
bool SemiDifferentiateInTime(ColumnRef y, int pointCount, double dt);

// The semi-integral [unit of Y times s^1/2]: the semi-derivative of the running time integral
// dt (Y(1) + ... + Y(i)). Returns false as SemiDifferentiate does.
bool SemiIntegrate(const AbscissaArray& x, ColumnRef y, int pointCount, double scanRate);

// The running rectangle sum h (Y(1) + ... + Y(i)).
void Integrate(const AbscissaArray& x, ColumnRef y, int pointCount);

// Central differences, one-sided at the ends. Returns false, leaving the column as it was, when
// h = 0 and there are two points or more; a single point has slope 0.
bool Differentiate(const AbscissaArray& x, ColumnRef y, int pointCount);

}  // namespace vorex
