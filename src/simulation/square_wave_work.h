#pragma once

#include <array>

#include "simulation/staircase_convolution.h"

namespace vorex {

// The half periods of a square wave: two per point, index 0 the rest before the first.
struct SquareWaveWork {
  std::array<double, kMaxHalfSteps + 1> steady{};
  std::array<double, kMaxHalfSteps + 1> change{};
  std::array<double, kMaxHalfSteps + 1> history{};
};

}  // namespace vorex
