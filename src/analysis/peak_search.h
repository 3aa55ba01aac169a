#pragma once

#include "base/fixed_storage.h"
#include "curves/curve_links.h"

namespace vorex {

inline constexpr int kMaxPeaks = 20;

// The peaks found by the last Find Peak, per curve.
struct PeakTables {
  FixedMatrix<double, kMaxPeaks, 5> PeakPotential;  // [V]
  FixedMatrix<double, kMaxPeaks, 5> PeakCurrent;    // signed ordinate
  int PeakCount = 0;                                // of the curve searched last
};

// The peaks of every curve between points s and e by the nine-point shape test on magnitudes,
// with the cyclic ratio and separation and the area, printed into the result window.
void FindPeaks(CurveLinks& links, PeakTables& peaks, int s, int e);

}  // namespace vorex
