// The trial points of the Marquardt iteration: steps a bound cuts short, and steps in ln x.
#include "fitting/bounded_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace vorex {
namespace {

struct Trial : ::testing::Test {
  void Parameter(int i, double x, double lo, double hi, double step, bool log = false) {
    p->n = std::max(p->n, i);
    p->x(i) = x;
    p->xmin(i) = lo;
    p->xmax(i) = hi;
    p->logScale(i) = log;
    s.StepVector(i) = step;
  }
  void ExpectWithinBounds() {
    for (int i = 1; i <= p->n; ++i) {
      EXPECT_GE(s.TrialVector(i), p->xmin(i)) << i;
      EXPECT_LE(s.TrialVector(i), p->xmax(i)) << i;
    }
  }
  std::unique_ptr<FitProblem> p = std::make_unique<FitProblem>();
  FitState s;
};

TEST_F(Trial, AStepWithinTheBoundsIsTakenWhole) {
  Parameter(1, 0.3, 0, 1, 0.25);
  Parameter(2, -2, -5, 5, 1.5);
  BoundedTrial(*p, s);
  EXPECT_EQ(s.TrialVector(1), 0.3 + 0.25);
  EXPECT_EQ(s.TrialVector(2), -0.5);
  EXPECT_FALSE(s.TrialShortened);
}

TEST_F(Trial, AStepAcrossABoundIsShortenedAsAWholeAndStopsOnIt) {
  // Parameter 2 has 0.5 of room for a step of 2: every component takes a quarter of its step,
  // and parameter 2 lands on its bound exactly. Parameter 3's own limit (a third of its step)
  // lies beyond that quarter.
  Parameter(1, 1, -10, 10, 4);
  Parameter(2, 0.5, 0, 1, 2);
  Parameter(3, 0, -1, 1, -3);
  BoundedTrial(*p, s);
  EXPECT_TRUE(s.TrialShortened);
  EXPECT_DOUBLE_EQ(s.TrialVector(1), 2);
  EXPECT_EQ(s.TrialVector(2), 1.0);
  EXPECT_DOUBLE_EQ(s.TrialVector(3), -0.75);
  ExpectWithinBounds();
}

TEST_F(Trial, AParameterOnTheBoundItsStepHeadsForStaysAndTheRestGoesOn) {
  // No room at all for parameter 1: shortening the whole step to it would stop every parameter,
  // so it stays on its bound and parameter 2 takes its whole step. A parameter standing on the
  // bound is no shortening: the fit may end there.
  Parameter(1, 1, 0, 1, 0.4);
  Parameter(2, 3, 0, 10, -1);
  BoundedTrial(*p, s);
  EXPECT_EQ(s.TrialVector(1), 1.0);
  EXPECT_EQ(s.TrialVector(2), 2.0);
  EXPECT_FALSE(s.TrialShortened);
  // A step that would cross by a thousand times its room puts the parameter on the bound, and
  // lets the others go on as well.
  Parameter(1, 0.9999, 0, 1, 1);
  BoundedTrial(*p, s);
  EXPECT_EQ(s.TrialVector(1), 1.0);
  EXPECT_EQ(s.TrialVector(2), 2.0);
  EXPECT_TRUE(s.TrialShortened);
}

TEST_F(Trial, ALogarithmicStepMultipliesTheValue) {
  // A step of -ln 100 in u = ln x takes 1e-2 to 1e-4, two decades, whatever x's size.
  Parameter(1, 1e-2, 1e-6, 10, -std::log(100.0), true);
  BoundedTrial(*p, s);
  EXPECT_NEAR(s.TrialVector(1), 1e-4, 1e-4 * 1e-14);
  EXPECT_FALSE(s.TrialShortened);
  // -20 in u would reach 2e-11, below 1e-6: the room is ln(1e-6 / 1e-2) = -9.21, so the whole
  // step is cut to 9.21 / 20 of itself, and a linear companion moves by that share of its own.
  Parameter(1, 1e-2, 1e-6, 10, -20, true);
  Parameter(2, 0, -1, 1, 1);
  BoundedTrial(*p, s);
  EXPECT_EQ(s.TrialVector(1), 1e-6);
  EXPECT_NEAR(s.TrialVector(2), std::log(1e4) / 20, 1e-14);
  EXPECT_TRUE(s.TrialShortened);
  ExpectWithinBounds();
}

TEST(LogScale, ALowerBoundOfZeroBecomesAFloorTwelveDecadesDown) {
  EXPECT_EQ(LogScaleLowerBound(1e-4, 100, 1e-3), 1e-4);  // a positive bound is kept
  EXPECT_DOUBLE_EQ(LogScaleLowerBound(0, 100, 1e-3), 1e-10);
  EXPECT_EQ(LogScaleLowerBound(0, 100, 1e-11), 1e-11);  // never above the start
  EXPECT_EQ(LogScaleLowerBound(0, 1e-2, 0), 0.0);       // a start at 0: stepped linearly
  auto p = std::make_unique<FitProblem>();
  p->n = 2;
  p->logScale(1) = p->logScale(2) = true;
  p->xmin(1) = 1e-10;
  p->xmin(2) = 0;
  EXPECT_TRUE(LogStepped(*p, 1));
  EXPECT_FALSE(LogStepped(*p, 2));
}

}  // namespace
}  // namespace vorex
