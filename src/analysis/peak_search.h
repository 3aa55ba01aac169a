#pragma once

#include <optional>
#include <vector>

#include "analysis/column_operators.h"
#include "base/fixed_storage.h"

namespace vorex {

inline constexpr int kMaxPeaks = 20;

// The peaks found by the last Find Peak, per curve.
struct PeakTables {
  FixedMatrix<double, kMaxPeaks, 5> PeakPotential;  // [V]
  FixedMatrix<double, kMaxPeaks, 5> PeakCurrent;    // signed ordinate
  int PeakCount = 0;                                // of the curve searched last
};

// What a peak search needs to know of the record beyond its points.
struct PeakSearchSettings {
  int first = 0;  // points first..last are searched and summed
  int last = 0;
  int pointsPerSweep = 0;      // the switching point of a record swept there and back
  bool singleSweep = false;    // ScanCount 0.5: there is no switching point
  bool oneCycleSweep = false;  // a linear sweep there and back once: the cyclic ratio applies
  double yMax = 0;             // the plotted range, whose 2 % a peak must exceed
  double yMin = 0;
};

struct FoundPeak {
  double potential = 0;  // [V]
  double current = 0;    // signed ordinate
};

// The values are left unchecked because a report prints the lines before a non-finite one and
// only then fails on it; sums of very large ordinates do overflow.
struct CurvePeaks {
  std::vector<FoundPeak> peaks;  // in point order, at most kMaxPeaks
  int notListed = 0;             // found beyond the first kMaxPeaks
  // Only for a one-cycle linear sweep with exactly two peaks.
  std::optional<double> ratio;       // I pc/I pa, with the switching current's correction
  std::optional<double> separation;  // Ep2 - Ep1 [V]
  double area = 0;
};

// The peaks of one curve y(first..last) over x by the nine-point shape test on magnitudes, the
// cyclic ratio and separation, and the area: |y| summed over a single sweep, the forward sweep
// less the reverse one otherwise (the switching point in both), times |x(2) - x(1)|.
CurvePeaks SearchPeaks(const AbscissaArray& x, const AbscissaArray& y,
                       const PeakSearchSettings& settings);

}  // namespace vorex
