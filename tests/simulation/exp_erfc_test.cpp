#include "simulation/exp_erfc.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

double Exact(double x) {
  return std::exp(x * x) * std::erfc(x);
}

TEST(ExpErfc, AgreesWithTheLibraryOverBothBranchesAndTheReflection) {
  // The eight-digit constants and the truncations limit the agreement to about 1e-6; the worst
  // case is the series just below the switch at 1.5 (8e-7).
  for (double x = -3; x <= 12; x += 0.01) {
    EXPECT_NEAR(ExpErfc(x) / Exact(x), 1.0, 1e-6) << x;
  }
  EXPECT_EQ(ExpErfc(0), 1.0);
  EXPECT_NEAR(ExpErfc(1.5), 0.3216, 1e-4);
  EXPECT_NEAR(ExpErfc(1.4999), ExpErfc(1.5), 1e-4 * 0.3216 + 2e-5);
}

TEST(ExpErfc, LargeArgumentsFollowTheAsymptote) {
  // x sqrt(pi) exp(x^2) erfc(x) = 1 - 1/(2x^2) + 3/(4x^4) - ..., where erfc itself underflows.
  for (double x : {30.0, 50.0, 1e3, 1e6}) {
    const double series = 1 - 1 / (2 * x * x) + 3 / (4 * x * x * x * x);
    EXPECT_NEAR(ExpErfc(x) * x * std::sqrt(M_PI), series, 1e-6) << x;
  }
}

TEST(ExpErfc, AVeryNegativeArgumentOverflows) {
  EXPECT_THROW(ExpErfc(-30), RuntimeFault);
}

}  // namespace
}  // namespace vorex
