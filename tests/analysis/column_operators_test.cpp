#include "analysis/column_operators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace vorex {
namespace {

// A store with M points spaced h apart, in either direction.
struct Columns : ::testing::Test {
  void Points(int m, double h, double start = 0.3) {
    count = m;
    for (int i = 1; i <= m; ++i) store->Abscissa(i) = start + (i - 1) * h;
  }
  ColumnRef Column(int c = 1) { return ColumnRef(store->Ordinate, c); }
  double Y(int i, int c = 1) { return store->Ordinate(i, c); }
  std::unique_ptr<CurveStore> store = std::make_unique<CurveStore>();
  int count = 0;
};

TEST_F(Columns, IntegrateOfAConstantIsARamp) {
  Points(10, -0.005);
  for (int i = 1; i <= 10; ++i) store->Ordinate(i, 1) = 1;
  Integrate(store->Abscissa, Column(), count);
  for (int i = 1; i <= 10; ++i) EXPECT_NEAR(Y(i), 0.005 * i, 1e-15) << i;
}

TEST_F(Columns, DifferentiateOfALineIsItsSlopeWithTheSpacingAsAMagnitude) {
  for (double h : {0.01, -0.01}) {
    Points(7, h);
    for (int i = 1; i <= 7; ++i) store->Ordinate(i, 1) = 2 + 3 * store->Abscissa(i);
    ASSERT_TRUE(Differentiate(store->Abscissa, Column(), count));
    const double expected = h > 0 ? 3 : -3;  // dY per |dX|
    for (int i = 1; i <= 7; ++i) EXPECT_NEAR(Y(i), expected, 1e-12) << h << " " << i;
  }
}

// A record swept at v = 0.1 V/s with 4 mV between points has its points dt = 0.04 s apart.
constexpr double kScanRate = 0.1, kSpacing = 0.004, kDt = kSpacing / kScanRate;

TEST_F(Columns, SemiDifferentiateOfAConstant) {
  Points(50, kSpacing);
  for (int i = 1; i <= 50; ++i) store->Ordinate(i, 2) = 1;
  ASSERT_TRUE(SemiDifferentiate(store->Abscissa, Column(2), count, kScanRate));
  // The weights telescope: 1 + sum of w(m) for m < i is sqrt(i) - sqrt(i - 1); the constant is
  // 1 / (Gamma(3/2) sqrt(dt)) = 2 / sqrt(pi dt); the curvature correction vanishes.
  const double c0 = 2 / std::sqrt(3.141592653589793 * kDt);
  for (int i = 3; i <= 49; ++i) {
    EXPECT_NEAR(Y(i, 2), c0 * (std::sqrt(i) - std::sqrt(i - 1.0)), 1e-12) << i;
  }
  EXPECT_EQ(Y(50, 2), Y(49, 2));
  EXPECT_EQ(Y(1, 2), Y(3, 2));
  EXPECT_EQ(Y(2, 2), Y(3, 2));
  EXPECT_EQ(Y(1, 1), 0.0);  // other columns untouched
}

TEST_F(Columns, HalfOrderTransformsAreExactForARampInTime) {
  // Riemann-Liouville: the semi-derivative of t and the semi-integral of 1 are both
  // t^1/2 / Gamma(3/2) = 2 sqrt(t / pi); the sums are exact for records linear in time.
  const int m = 200;
  Points(m, -kSpacing);
  for (int i = 1; i <= m; ++i) store->Ordinate(i, 1) = i * kDt;
  for (int i = 1; i <= m; ++i) store->Ordinate(i, 2) = 1;
  ASSERT_TRUE(SemiDifferentiate(store->Abscissa, Column(1), m, kScanRate));
  ASSERT_TRUE(SemiIntegrate(store->Abscissa, Column(2), m, kScanRate));
  for (int i = 3; i <= m - 1; ++i) {
    const double expected = 2 * std::sqrt(i * kDt / 3.141592653589793);
    EXPECT_NEAR(Y(i, 1), expected, 1e-12 * expected) << i;
    EXPECT_NEAR(Y(i, 2), expected, 1e-12 * expected) << i;
  }
}

TEST_F(Columns, SemiDifferentiateOfFewPoints) {
  Points(3, 0.01);
  for (int i = 1; i <= 3; ++i) store->Ordinate(i, 1) = 5;
  ASSERT_TRUE(SemiDifferentiate(store->Abscissa, Column(), 3, kScanRate));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Y(i), 0.0);
  Points(4, 0.01);
  for (int i = 1; i <= 4; ++i) store->Ordinate(i, 1) = 5;
  ASSERT_TRUE(SemiDifferentiate(store->Abscissa, Column(), 4, kScanRate));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Y(i), Y(3));
  EXPECT_GT(Y(3), 0.0);
}

TEST_F(Columns, SemiDifferentiateMatchesThePointByPointSumsForLongColumns) {
  // The blocked sums must give, to the last bit, what one sum per point in order gives.
  const int m = 1000;
  Points(m, 0.001);
  for (int i = 1; i <= m; ++i) store->Ordinate(i, 1) = std::sin(0.01 * i) + 1e-3 * i;
  std::vector<double> expected(m + 1);
  const double h = std::fabs(store->Abscissa(2) - store->Abscissa(1));
  const double scale = 1 / (0.88622692545275801 * std::sqrt(h / kScanRate));
  auto w = [](int k) { return std::sqrt(k + 1.0) - 2 * std::sqrt(double(k)) + std::sqrt(k - 1.0); };
  for (int i = 3; i <= m - 1; ++i) {
    double s = Y(i);
    for (int k = 1; k <= i - 1; ++k) s += Y(k) * w(i - k);
    expected[i] = scale * s + 0.20788622497735457 * scale * (Y(i) - 2 * Y(i - 1) + Y(i - 2));
  }
  ASSERT_TRUE(SemiDifferentiate(store->Abscissa, Column(), m, kScanRate));
  for (int i = 3; i <= m - 1; ++i) ASSERT_EQ(Y(i), expected[i]) << i;
}

TEST_F(Columns, ZeroSpacingLeavesTheColumnUnchanged) {
  Points(6, 0.0);
  for (int i = 1; i <= 6; ++i) store->Ordinate(i, 1) = i;
  EXPECT_FALSE(SemiDifferentiate(store->Abscissa, Column(), 6, kScanRate));
  EXPECT_FALSE(SemiIntegrate(store->Abscissa, Column(), 6, kScanRate));
  EXPECT_FALSE(Differentiate(store->Abscissa, Column(), 6));
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(Y(i), i);
  Integrate(store->Abscissa, Column(), 6);
  EXPECT_EQ(Y(6), 0.0);
}

TEST_F(Columns, AnOverflowingResultLeavesTheColumnUnchanged) {
  Points(5, 1e-300, 0.0);
  for (int i = 1; i <= 5; ++i) store->Ordinate(i, 1) = 1e300 * i;
  EXPECT_THROW(Differentiate(store->Abscissa, Column(), 5), RuntimeFault);
  EXPECT_EQ(Y(5), 5e300);
}

}  // namespace
}  // namespace vorex
