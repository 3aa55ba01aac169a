#include "analysis/background_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/staircase.h"

namespace vorex {
namespace {

using testing::Staircase;

BackgroundPolynomial Fit(const std::vector<double>& e, const std::vector<double>& y,
                         const BackgroundRequest& request) {
  auto fitted = FitBackground(e, y, request);
  if (const auto* why = std::get_if<std::string>(&fitted)) ADD_FAILURE() << *why;
  return std::get_if<BackgroundPolynomial>(&fitted) ? std::get<BackgroundPolynomial>(fitted)
                                                    : BackgroundPolynomial{};
}

std::string Refusal(const std::vector<double>& e, const std::vector<double>& y,
                    const BackgroundRequest& request) {
  auto fitted = FitBackground(e, y, request);
  const auto* why = std::get_if<std::string>(&fitted);
  return why ? *why : "fitted";
}

TEST(BackgroundFit, HandCalculatedLeastSquares) {
  // Through (0, 0), (1, 1), (2, 1), (3, 3). About u = E - 1.5 and q = u^2 - 1.25, which are
  // orthogonal to 1 and to each other over these points: the mean is 1.25, the slope
  // sum(u y) / sum(u^2) = 4.5 / 5 = 0.9, the parabola's share sum(q y) / sum(q^2) = 1 / 4. In
  // powers of E the line is -0.1 + 0.9 E and the parabola 0.15 + 0.15 E + 0.25 E^2.
  const std::vector<double> e{0, 1, 2, 3}, y{0, 1, 1, 3};
  const std::vector<PotentialRange> all{{-1, 4}};
  const BackgroundPolynomial mean = Fit(e, y, {all, 0});
  EXPECT_NEAR(mean.coefficients[0], 1.25, 1e-15);
  const BackgroundPolynomial line = Fit(e, y, {all, 1});
  EXPECT_NEAR(line.coefficients[0], -0.1, 1e-14);
  EXPECT_NEAR(line.coefficients[1], 0.9, 1e-14);
  EXPECT_EQ(line.pointCount, 4);
  const BackgroundPolynomial parabola = Fit(e, y, {all, 2});
  EXPECT_NEAR(parabola.coefficients[0], 0.15, 1e-14);
  EXPECT_NEAR(parabola.coefficients[1], 0.15, 1e-14);
  EXPECT_NEAR(parabola.coefficients[2], 0.25, 1e-14);
  // Subtracted, the line leaves the residuals 0.1 0.2 -0.7 0.4 the hand calculation gives.
  std::vector<double> corrected(4);
  ASSERT_TRUE(SubtractBackground(line, e, y, corrected));
  const double residuals[] = {0.1, 0.2, -0.7, 0.4};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(corrected[i], residuals[i], 1e-14) << i;
}

// A Gaussian peak of height h and width sigma at 0.3 V on a + b E + c E^2, at 2 mV steps from
// -0.1 V to 0.7 V.
struct PeakOnBackground {
  double a, b, c, h, sigma;
  std::vector<double> e = Staircase({-0.1, 0.7}, 0);
  std::vector<double> Currents() const {
    std::vector<double> y;
    for (double x : e) {
      const double u = (x - 0.3) / sigma;
      y.push_back(a + b * x + c * x * x + h * std::exp(-u * u / 2));
    }
    return y;
  }
};

TEST(BackgroundFit, RecoversALineUnderAPeakToWithinItsTails) {
  const PeakOnBackground curve{2e-6, 5e-6, 0, 1e-5, 0.025};
  // The ranges take the points 0.15 V or more from the peak on both sides, symmetric about it
  // (the half step of margin keeps each end point in). There the peak adds at most
  // G = h exp(-(0.15 / 0.025)^2 / 2) = h e^-18. About the points' mean (0.3 V) the line's
  // intercept moves by the mean of the tails, at most G; its slope by sum(u g) / sum(u^2), at
  // most G / 0.15 since every |u| >= 0.15 V; the intercept at E = 0 by at most
  // G + 0.3 G / 0.15 = 3 G. (0.149 V instead of 0.15 V covers the rounding of the mean.)
  const double G = 1e-5 * std::exp(-18.0);
  const BackgroundPolynomial p =
      Fit(curve.e, curve.Currents(), {{{-0.101, 0.151}, {0.449, 0.701}}, 1});
  EXPECT_EQ(p.pointCount, 252);  // 126 points a side, 0.15 V wide at 2 mV
  EXPECT_NEAR(p.coefficients[0], 2e-6, G + 0.3 * G / 0.149);
  EXPECT_NEAR(p.coefficients[1], 5e-6, G / 0.149);
  // Subtracted from the whole curve, the peak is left: at 0.3 V, the points' mean, the line is
  // off by the mean of the tails, at most G.
  std::vector<double> corrected(curve.e.size());
  ASSERT_TRUE(SubtractBackground(p, curve.e, curve.Currents(), corrected));
  const std::size_t top = 200;  // 0.3 V
  EXPECT_NEAR(corrected[top], 1e-5, G);
}

TEST(BackgroundFit, RecoversAParabolaWhereThePeakHasNoTail) {
  // 0.2 V or more from a peak of width 0.02 V its tail is below h e^-50, about 2e-27 A: the
  // coefficients are those added, to the rounding of sums of currents near 1e-6 A.
  const PeakOnBackground curve{1e-6, -2e-6, 3e-6, 1e-5, 0.02};
  const BackgroundPolynomial p =
      Fit(curve.e, curve.Currents(), {{{-0.101, 0.101}, {0.499, 0.701}}, 2});
  EXPECT_NEAR(p.coefficients[0], 1e-6, 1e-18);
  EXPECT_NEAR(p.coefficients[1], -2e-6, 1e-17);
  EXPECT_NEAR(p.coefficients[2], 3e-6, 1e-17);
}

TEST(BackgroundFit, OneSegmentsPointsOnly) {
  // 0.5 -> 0 -> 0.5 V: the charging current C is cathodic on the way down (segment 1) and
  // anodic on the way back (segment 2), on a + b E. In 0.1..0.5 V each segment sees only its own
  // sign; both together see the same potentials with either sign, and average it away.
  const auto e = Staircase({0.5, 0.0, 0.5}, 0);
  const double a = 1e-6, b = 2e-6, C = 3e-7;
  std::vector<double> y;
  for (std::size_t i = 0; i < e.size(); ++i) y.push_back(a + b * e[i] + (i <= 250 ? C : -C));
  const std::vector<PotentialRange> ranges{{0.099, 0.501}};
  const BackgroundPolynomial down = Fit(e, y, {ranges, 1, 1});
  EXPECT_NEAR(down.coefficients[0], a + C, 1e-19);
  EXPECT_NEAR(down.coefficients[1], b, 1e-18);
  EXPECT_EQ(down.pointCount, 201);
  EXPECT_NEAR(Fit(e, y, {ranges, 1, 2}).coefficients[0], a - C, 1e-19);
  EXPECT_NEAR(Fit(e, y, {ranges, 1, 0}).coefficients[0], a, 1e-19);
}

TEST(BackgroundFit, RefusesWhatCannotFixThePolynomial) {
  const auto e = Staircase({0.0, 0.2, 0.0}, 0);  // 0.1 V is points 50 and 150
  const std::vector<double> y(e.size(), 1e-6);
  EXPECT_EQ(Refusal(e, y, {{{0.0995, 0.1005}}, 1, 1}),
            "The ranges hold 1 point of segment 1; a background of degree 1 needs at least 2.");
  EXPECT_EQ(Refusal(e, y, {{{0.0995, 0.1005}}, 1}),
            "The points in the ranges lie at only 1 potential; a background of degree 1 needs 2 "
            "different potentials.");
  const std::vector<double> twice{0.1, 0.2, 0.1, 0.2}, close{0.0, 0.5, 0.5 + 1e-13};
  EXPECT_EQ(Refusal(twice, {1, 2, 3, 4}, {{{0, 1}}, 2}),
            "The points in the ranges lie at only 2 potentials; a background of degree 2 needs "
            "3 different potentials.");
  EXPECT_EQ(Refusal(close, {1, 2, 3}, {{{0, 1}}, 2}),
            "The points in the ranges lie too close together to fix a background of degree 2: "
            "mark ranges further apart, or choose a lower degree.");
  EXPECT_EQ(Refusal(e, y, {{{0.5, 0.6}}, 0}),
            "The ranges hold 0 points; a background of degree 0 needs at least 1.");
  EXPECT_EQ(Refusal(e, y, {{}, 1}), "Mark at least one potential range for the background.");
  EXPECT_EQ(Refusal(e, y, {{{0.2, 0.1}}, 1}),
            "The range from 0.2 V to 0.1 V: give its lower potential first.");
  EXPECT_EQ(Refusal(e, y, {{{0.1, INFINITY}}, 1}),
            "A background range needs two finite potentials.");
  EXPECT_EQ(Refusal(e, y, {{{0, 0.2}}, 3}), "The background's degree must be 0, 1 or 2, not 3.");
  EXPECT_EQ(Refusal(e, y, {{{0, 0.2}}, 1, 3}), "The curve has 2 segments; there is no segment 3.");
}

TEST(BackgroundFit, WritesThePolynomialInPowersOfE) {
  BackgroundPolynomial p;
  p.degree = 2;
  p.coefficients = {-1.234567e-6, -2.5e-7, 3e-6};
  EXPECT_EQ(DescribeBackground(p), "I = -1.2346e-6 - 2.5e-7·E + 3e-6·E² A");
  p.degree = 1;
  p.coefficients = {2e-6, 0, 0};
  EXPECT_EQ(DescribeBackground(p), "I = 2e-6 + 0e0·E A");
}

}  // namespace
}  // namespace vorex
