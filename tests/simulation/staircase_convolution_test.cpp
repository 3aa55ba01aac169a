#include "simulation/staircase_convolution.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

using Column = std::array<double, kMaxHalfSteps + 1>;

// The change of the amplitude at each half-step of a square wave: the pulse flips by twice its
// height every half-step and the staircase climbs on every second one. The jitter is a fixed
// linear congruential sequence so that no two changes are alike.
void SquareWaveChanges(Column& delta) {
  unsigned state = 12345;
  for (int k = 1; k <= kMaxHalfSteps; ++k) {
    state = state * 1103515245u + 12345u;
    const double jitter = static_cast<double>(state >> 8) / (1u << 24) - 0.5;
    delta[k] = (k % 2 == 0 ? -0.05 : 0.05) + (k % 2 == 0 ? 0.0 : 0.005) + 0.01 * jitter;
  }
  delta[1] = 0.3;  // the jump from rest to the first potential
}

TEST(StaircaseConvolution, ASingleChangeAtTheStartDecaysAsTheInverseSquareRoot) {
  // out[j] = 1/sqrt(j): one change sees every lag from 1 to kMaxHalfSteps, so this holds the
  // exponential sum to its bound over the whole range it covers, not only at a few lags.
  static Column delta{}, out{};
  delta[1] = 1;
  StaircaseConvolution(delta.data(), kMaxHalfSteps, out.data());
  double worst = 0;
  for (int j = 1; j <= kMaxHalfSteps; ++j) {
    worst = std::fmax(worst, std::fabs(out[j] * std::sqrt(static_cast<double>(j)) - 1));
  }
  std::printf("largest relative error against 1/sqrt(j): %.3g\n", worst);
  EXPECT_LT(worst, 1e-9);
  for (int j = 1; j <= 32; ++j) EXPECT_EQ(out[j], 1 / std::sqrt(static_cast<double>(j))) << j;
}

TEST(StaircaseConvolution, AgreesWithTheDirectSumForASquareWave) {
  // Direct summation of the definition. The error is bounded by the kernel's relative error
  // times the sum of the magnitudes (the alternating changes nearly cancel, so not by out[j]).
  static Column delta{}, out{};
  SquareWaveChanges(delta);
  StaircaseConvolution(delta.data(), kMaxHalfSteps, out.data());
  static Column kernel{};
  for (int m = 1; m <= kMaxHalfSteps; ++m) kernel[m] = 1 / std::sqrt(static_cast<double>(m));
  double worst = 0;
  for (int j = 1; j <= kMaxHalfSteps; ++j) {
    double direct = 0, magnitude = 0;
    for (int k = 1; k <= j; ++k) {
      direct += delta[k] * kernel[j - k + 1];
      magnitude += std::fabs(delta[k]) * kernel[j - k + 1];
    }
    worst = std::fmax(worst, std::fabs(out[j] - direct) / magnitude);
  }
  std::printf("largest error relative to the sum of magnitudes: %.3g\n", worst);
  EXPECT_LT(worst, 1e-9);
}

TEST(StaircaseConvolution, ACountOutsideTheStaircaseIsRefused) {
  static Column delta{}, out{};
  EXPECT_THROW(StaircaseConvolution(delta.data(), -1, out.data()), RuntimeFault);
  EXPECT_THROW(StaircaseConvolution(delta.data(), kMaxHalfSteps + 1, out.data()), RuntimeFault);
}

}  // namespace
}  // namespace vorex
