// A measured record onto the store's uniform step: its vertices and ends kept exactly, thinned to
// the store's size with them kept, and its step shown as the data carry it.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "readers/measured_step.h"
#include "readers/uniform_grid.h"

namespace vorex {
namespace {

// A staircase through `corners` in `step` steps, every 4th point of a sweep (never a corner) 0.05
// mV further along it. Its steps are then 2 mV, 2 mV, 2.05 mV, 1.95 mV in turn: uneven by 2.5 %,
// their median still the 2 mV of half of them.
std::vector<double> UnevenStaircase(const std::vector<double>& corners, double step) {
  std::vector<double> e{corners[0]};
  for (std::size_t c = 1; c < corners.size(); ++c) {
    const double from = corners[c - 1], to = corners[c], d = to > from ? 1 : -1;
    const int steps = static_cast<int>(std::lround(std::fabs(to - from) / step));
    for (int k = 1; k < steps; ++k) e.push_back(from + d * step * k + (k % 4 == 3 ? d * 5e-5 : 0));
    e.push_back(to);
  }
  return e;
}

TEST(UniformGrid, EverySweepOfAThreeSegmentCycleKeepsItsEndsExactly) {
  // 0.93 -> -0.01 -> 1.69 -> 0.97 V: 470, 850 and 360 steps of 2 mV.
  const std::vector<double> corners{0.93, -0.01, 1.69, 0.97};
  const std::vector<double> e = UnevenStaircase(corners, 0.002);
  std::vector<double> i;
  for (double x : e) i.push_back(3 * x + 1);  // a line: interpolation is exact on it
  const UniformRecord u = MakeUniform(e, i, 100000);
  ASSERT_TRUE(u.resampled);
  ASSERT_EQ(u.potential.size(), 1681u);
  EXPECT_EQ(u.vertices, (std::vector<std::size_t>{470, 1320}));
  EXPECT_EQ(u.potential[0], 0.93);
  EXPECT_EQ(u.potential[470], -0.01);
  EXPECT_EQ(u.potential[1320], 1.69);
  EXPECT_EQ(u.potential[1680], 0.97);
  // Each sweep on its span over its steps: 0.94 / 470, 1.7 / 850, 0.72 / 360, all 2 mV.
  for (std::size_t k = 1; k < u.potential.size(); ++k) {
    ASSERT_NEAR(std::fabs(u.potential[k] - u.potential[k - 1]), 0.002, 1e-15) << k;
    ASSERT_NEAR(u.current[k], 3 * u.potential[k] + 1, 1e-14) << k;
  }
}

TEST(UniformGrid, ASweepThatIsNoWholeNumberOfStepsIsDividedEvenly) {
  // 0 -> 0.1003 V in 1 mV steps and a last one of 0.3 mV: 100.3 median steps, so 100 equal ones
  // of 1.003 mV, the end 0.1003 V as measured; a stub step beside it would be 0.3 mV.
  std::vector<double> e, i;
  for (int k = 0; k <= 100; ++k) e.push_back(0.001 * k), i.push_back(0);
  e.push_back(0.1003), i.push_back(0);
  const UniformRecord u = MakeUniform(e, i, 4000);
  ASSERT_TRUE(u.resampled);
  ASSERT_EQ(u.potential.size(), 101u);
  EXPECT_EQ(u.potential.back(), 0.1003);
  for (std::size_t k = 1; k < u.potential.size(); ++k) {
    ASSERT_NEAR(u.potential[k] - u.potential[k - 1], 0.001003, 1e-15) << k;
  }
}

TEST(UniformGrid, ARecordLargerThanTheStoreIsThinnedKeepingItsVertices) {
  // 0 -> 0.6 V -> 0 in 0.1 mV steps: 12001 points. Every 2nd point would be 6001; every 3rd is
  // 2000 + 2000 steps, 4001 points: the record as measured at points 0, 3, 6, ...
  std::vector<double> e, i;
  for (int k = 0; k <= 12000; ++k) {
    e.push_back(1e-4 * (k <= 6000 ? k : 12000 - k));
    i.push_back(std::sin(10 * e.back()) + (k <= 6000 ? 0 : 0.5));
  }
  const UniformRecord u = MakeUniform(e, i, 100000, 4001);
  EXPECT_FALSE(u.resampled);  // the steps were even: only thinned
  EXPECT_EQ(u.every, 3u);
  ASSERT_EQ(u.potential.size(), 4001u);
  EXPECT_EQ(u.vertices, std::vector<std::size_t>{2000});
  EXPECT_EQ(u.potential[2000], e[6000]);
  EXPECT_EQ(u.current[2000], i[6000]);
  EXPECT_EQ(u.potential.back(), e.back());
  for (std::size_t j = 0; j < u.potential.size(); ++j) {
    ASSERT_NEAR(u.potential[j], e[3 * j], 1e-15) << j;
    ASSERT_NEAR(u.current[j], i[3 * j], 1e-12) << j;
  }
}

TEST(UniformGrid, WhatCannotBeThinnedToFitIsRefusedNotCut) {
  // Four sweeps of three steps: their ends and vertices alone are 5 points, more than 4.
  const std::vector<double> zigzag{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0};
  const UniformRecord turns = MakeUniform(zigzag, std::vector<double>(13, 1), 1000, 4);
  EXPECT_TRUE(turns.potential.empty());
  // A potential that never moves has no step to thin along.
  const std::vector<double> still(10, 0.2);
  EXPECT_TRUE(MakeUniform(still, std::vector<double>(10, 1), 1000, 5).potential.empty());
}

TEST(MeasuredStep, TheStepAsTheDataCarryIt) {
  // 0.252 - 0.250 is 0.00199999999999978 in doubles; the data carry 0.002.
  EXPECT_EQ(DecimalStep(0.252 - 0.250), 0.002);
  EXPECT_EQ(DecimalStep(0.00195312400000003), 0.001953124);  // a converter's step keeps its digits
  EXPECT_EQ(DecimalStep(0.1 * 3), 0.3);
  EXPECT_EQ(DecimalStep(0.0), 0.0);
  // A measured potential's wander leaves its median step known to its standard error only.
  EXPECT_EQ(DecimalStep(0.00199928, 1.3e-6), 0.002);
  EXPECT_EQ(DecimalStep(0.00199928, 1e-7), 0.0019993);
  // A file's stated step wins where the data bear it out to 5 %, and only there.
  EXPECT_EQ(ShownStep(0.00195312400000003, 0.002), 0.002);   // 2.3 % off: a quantised step
  EXPECT_EQ(ShownStep(0.00244140625, 0.00244), 0.00244);     // NOVA's 2.44 mV
  EXPECT_EQ(ShownStep(0.006000000000000005, 0.002), 0.006);  // thinned to every 3rd point
  EXPECT_EQ(ShownStep(0.252 - 0.250, std::nullopt), 0.002);
}

}  // namespace
}  // namespace vorex
