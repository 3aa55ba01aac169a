#include "base/sweep_segments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/staircase.h"

namespace vorex {
namespace {

using testing::Staircase;

TEST(SweepSegments, FindsTheVerticesOfANoisyTwoVertexCycle) {
  // 0.69 -> -0.1 is 395 steps, -0.1 -> 0.70 400 more, then 5 back to 0.69.
  const auto e = Staircase({0.69, -0.1, 0.70, 0.69});
  EXPECT_EQ(FindVertices(e), (std::vector<int>{395, 795}));
  const auto segments = SweepSegments(e);
  ASSERT_EQ(segments.size(), 3u);
  EXPECT_EQ(segments[1].first, 395);
  EXPECT_EQ(segments[2].last, 800);
  // The start is 0.01 V inside the upper vertex: one cycle, the whole record.
  const auto cycles = CycleRanges(e);
  ASSERT_EQ(cycles.size(), 1u);
  EXPECT_EQ(cycles[0].Count(), 801);
}

TEST(SweepSegments, CutsCyclesAtTheStartPotentialOfAMidRangeStart) {
  // 0.3 -> 0.6 (150 steps) -> 0.0 (300) -> 0.6 (300) -> 0.0 (300) -> 0.3 (150): the potential
  // passes 0.3 upwards again at point 150 + 300 + 150 = 600 and ends there at 1200.
  const auto e = Staircase({0.3, 0.6, 0.0, 0.6, 0.0, 0.3}, 0);
  const auto cycles = CycleRanges(e);
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(cycles[0].first, 0);
  EXPECT_EQ(cycles[0].last, 600);
  EXPECT_EQ(cycles[1].first, 600);
  EXPECT_EQ(cycles[1].last, 1200);
}

TEST(SweepSegments, ACycleFromAnExtremeEndsAtItsSecondVertex) {
  // -0.1 -> 0.5 -> -0.1 -> 0.5 -> -0.1, 300 steps a sweep: two cycles of 600 steps.
  const auto e = Staircase({-0.1, 0.5, -0.1, 0.5, -0.1});
  const auto cycles = CycleRanges(e);
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(cycles[0].last, 600);
  EXPECT_EQ(cycles[1].last, 1200);
}

TEST(SweepSegments, AMonotonicRecordIsOneSegmentAndOneCycle) {
  const auto e = Staircase({0.5, -0.3});
  EXPECT_TRUE(FindVertices(e).empty());
  EXPECT_EQ(SweepSegments(e).size(), 1u);
  EXPECT_EQ(CycleRanges(e).size(), 1u);
  EXPECT_TRUE(FindVertices(std::vector<double>{0.1, 0.1, 0.1}).empty());
}

TEST(SweepSegments, AWindowIsOneRunOrARefusal) {
  const auto sweep = Staircase({0.0, 0.4}, 0);  // 0.000, 0.002, ... 0.400
  const auto window = WindowRange(sweep, 0.1, 0.2);
  ASSERT_TRUE(std::holds_alternative<PointRange>(window));
  EXPECT_EQ(std::get<PointRange>(window).first, 50);
  EXPECT_EQ(std::get<PointRange>(window).last, 100);

  const auto cycle = Staircase({0.0, 0.4, 0.0}, 0);
  const auto cut = WindowRange(cycle, 0.1, 0.2);
  ASSERT_TRUE(std::holds_alternative<std::string>(cut));
  EXPECT_NE(std::get<std::string>(cut).find("separate pieces"), std::string::npos);
  EXPECT_TRUE(std::holds_alternative<std::string>(WindowRange(cycle, 1.0, 2.0)));
  EXPECT_TRUE(std::holds_alternative<std::string>(WindowRange(cycle, 0.2, 0.1)));
}

}  // namespace
}  // namespace vorex
