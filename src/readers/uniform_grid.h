#pragma once

#include <cstddef>
#include <vector>

namespace vorex {

// A measured record on the uniform potential step the curve store wants.
struct UniformRecord {
  std::vector<double> potential;  // [V]
  std::vector<double> current;    // [A]
  bool resampled = false;         // the steps were not uniform to 1 %: interpolated
  double step = 0;                // |dE| of the result [V]
  double smallestStep = 0;        // the record's own smallest and largest |dE| [V]
  double largestStep = 0;
  double pointCount = 0;  // points the uniform record has, or would have when refused
};

// The record as it is when every |dE| is within 1 % of their median; otherwise each monotonic
// sweep of it resampled by linear interpolation onto the median step, from the sweep's first
// potential towards its last. A record of fewer than two points, or whose median step is 0, is
// kept as it is. A resampling that would give more than `limit` points is not made: the record
// comes back empty with the count it would have had, since one stray potential in a file can ask
// for more points than memory holds.
UniformRecord MakeUniform(const std::vector<double>& potential, const std::vector<double>& current,
                          std::size_t limit);

}  // namespace vorex
