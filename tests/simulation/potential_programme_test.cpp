#include "simulation/potential_programme.h"

#include <gtest/gtest.h>

namespace vorex {
namespace {

struct ProgrammeCase : ::testing::Test {
  Programme Build(double start, double end, double step, double scans) {
    p.EStart = start;
    p.EEnd = end;
    p.EStep = step;
    p.ScanCount = scans;
    return BuildPotentialProgramme(p, x);
  }
  ParameterSet p;
  AbscissaArray x;
};

TEST_F(ProgrammeCase, DefaultSingleSweep) {
  const Programme g = Build(0.3, -0.3, 0.005, 0.5);
  EXPECT_EQ(g.pointsPerSweep, 121);
  EXPECT_EQ(g.pointCount, 121);
  EXPECT_EQ(g.direction, -1);
  EXPECT_EQ(x(1), 0.3);
  EXPECT_NEAR(x(121), -0.3, 1e-15);
}

TEST_F(ProgrammeCase, TheLastPotentialNeedNotBeTheEnd) {
  const Programme g = Build(0, 0.1, 0.03, 0.5);  // round(3.33) + 1
  EXPECT_EQ(g.pointsPerSweep, 4);
  EXPECT_EQ(g.direction, 1);
  EXPECT_NEAR(x(4), 0.09, 1e-15);
}

TEST_F(ProgrammeCase, HalvesRoundToEven) {
  EXPECT_EQ(Build(0, 1.25, 0.5, 0.5).pointsPerSweep, 3);  // 2.5 -> 2
  EXPECT_EQ(Build(0, 1.75, 0.5, 0.5).pointsPerSweep, 5);  // 3.5 -> 4
}

TEST_F(ProgrammeCase, ACycleMirrorsTheSweepAndTwoCyclesRepeatIt) {
  Programme g = Build(0.3, -0.3, 0.005, 1);
  EXPECT_EQ(g.pointCount, 242);
  EXPECT_EQ(x(121), x(122));
  EXPECT_EQ(x(242), 0.3);
  EXPECT_EQ(x(130), x(113));
  g = Build(0.3, -0.3, 0.005, 2);
  EXPECT_EQ(g.pointCount, 484);
  EXPECT_EQ(x(243), 0.3);
  EXPECT_EQ(x(363), x(121));
  EXPECT_EQ(x(484), 0.3);
}

TEST_F(ProgrammeCase, EqualStartAndEndGiveOnePoint) {
  const Programme g = Build(0.2, 0.2, 0.005, 0.5);
  EXPECT_EQ(g.pointsPerSweep, 1);
  EXPECT_EQ(g.direction, -1);
}

TEST_F(ProgrammeCase, ProgrammesThatCannotBeHeldAreFaultsAndWriteNothing) {
  x(1) = 7;
  EXPECT_THROW(Build(0.3, -0.3, 0, 0.5), RuntimeFault);     // zero step
  EXPECT_THROW(Build(0.5, -0.5, 0.001, 2), RuntimeFault);   // 4 x 1001 points
  EXPECT_THROW(Build(0.3, -0.3, 1e-6, 0.5), RuntimeFault);  // 600001 points: 16-bit overflow
  EXPECT_EQ(x(1), 7.0);
}

}  // namespace
}  // namespace vorex
