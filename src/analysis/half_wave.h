#pragma once

#include <optional>

#include "analysis/column_operators.h"

namespace vorex {

// The largest and smallest of a(1..m), replacing the running value only by a strictly larger or
// smaller one.
double ArrayMax(const AbscissaArray& a, int m);
double ArrayMin(const AbscissaArray& a, int m);

struct HalfWaveResult {
  std::optional<double> halfWavePotential;  // E1/2 [V]; none when no point is near half height
  double height = 0;                        // Id, in the unit of the ordinates
};

// The wave height of |y(1..m)| and the half-wave potential: x at the first point within
// 0.95..1.05 of half the height above the smallest magnitude. "Subscript out of range" unless
// 1 <= m <= kMaxPoints.
HalfWaveResult HalfWave(const AbscissaArray& x, const AbscissaArray& y, int m);

}  // namespace vorex
