#pragma once

#include <cmath>
#include <vector>

namespace vorex::testing {

// A staircase through the given turning potentials in 2 mV steps, each corner once, with a
// deterministic wobble of +-0.2 mV standing in for a measured potential's noise.
inline std::vector<double> Staircase(const std::vector<double>& corners, double wobble = 0.0002) {
  std::vector<double> e{corners[0]};
  for (std::size_t c = 1; c < corners.size(); ++c) {
    const double from = corners[c - 1], to = corners[c];
    const int steps = static_cast<int>(std::lround(std::fabs(to - from) / 0.002));
    for (int k = 1; k <= steps; ++k) e.push_back(from + (to - from) * k / steps);
  }
  for (std::size_t i = 1; i + 1 < e.size(); ++i) e[i] += wobble * std::sin(2.1 * i);
  return e;
}

}  // namespace vorex::testing
