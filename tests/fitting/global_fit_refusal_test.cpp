#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fitting/global_fit.h"
#include "support/simulated_curves.h"

namespace vorex {
namespace {

using testing::CyclicExperiment;
using testing::SimulatedCurve;

// Two short curves and E0 shared: a set in order, spoilt one way by each test. In 10 mV steps
// a sweep from 0.6 V to -0.2 V has 81 points, both ends counted; the way back as many again
// (the vertex twice): 162.
struct Refusals : ::testing::Test {
  Refusals() {
    for (const char* v : {"0.1", "0.2"}) {
      curves.push_back(SimulatedCurve(CyclicExperiment({{"scan_rate", v}, {"E_step", "0.01"}})));
    }
    setup.parameters = {{11, false, -0.2, 0.6}};
  }
  // The refusal, which RunGlobalFit raises too, with the same words.
  std::string Why() {
    const auto why = RefusedGlobalFit(curves, setup);
    if (!why) return "";
    try {
      RunGlobalFit(curves, setup);
      ADD_FAILURE() << "RunGlobalFit fitted a set RefusedGlobalFit refuses";
    } catch (const FitAborted& aborted) {
      EXPECT_EQ(aborted.message, *why);
    }
    return *why;
  }
  std::vector<GlobalCurve> curves;
  GlobalFitSetup setup;
};

#define EXPECT_SAYS(text, part) \
  EXPECT_NE((text).find(part), std::string::npos) << "the message: " << (text)

TEST_F(Refusals, TheSetInOrderIsTaken) {
  ASSERT_EQ(curves[0].current.size(), 162u);
  EXPECT_EQ(Why(), "");
}

TEST_F(Refusals, CurvesOfAnotherMechanism) {
  curves[1].parameters.Mechanism = MechanismCode::EE;
  const std::string why = Why();
  EXPECT_SAYS(why, "curve 2");
  EXPECT_SAYS(why, "another mechanism than curve 1");
}

TEST_F(Refusals, ACurveWhosePointsAreNotItsProgrammes) {
  curves[1].current.pop_back();
  curves[1].potential.pop_back();
  const std::string why = Why();
  EXPECT_SAYS(why, "curve 2");
  EXPECT_SAYS(why, "has 161 points but its settings give 162");
}

TEST_F(Refusals, ACurveWithoutPointsOrWithACurrentThatIsNoNumber) {
  curves[0].potential.pop_back();  // one potential fewer than currents
  EXPECT_SAYS(Why(), "curve 1");
  curves[0].potential = curves[1].potential;
  curves[0].current[40] = std::nan("");
  EXPECT_SAYS(Why(), "not a number");
}

TEST_F(Refusals, ASlotTheMechanismDoesNotHave) {
  // Mechanism E has one electron transfer and no homogeneous reaction: kf of reaction 1 (14),
  // E0 of reaction 2 (12), the concentration of a third species (3) and the slots of a written
  // mechanism's rows (26 C(E), 33 kf(4)) are none of its.
  for (int slot : {14, 12, 3, 26, 33}) {
    setup.parameters = {{slot, false, 0, 1}};
    EXPECT_SAYS(Why(), "is not a parameter of the curves' mechanism") << slot;
  }
  setup.parameters = {{39, false, 0, 1}};
  EXPECT_SAYS(Why(), "no fit index 1..38");
}

TEST_F(Refusals, BoundsReversedOrWithoutMeaning) {
  setup.parameters = {{11, false, 0.6, -0.2}};
  EXPECT_SAYS(Why(), "reversed");
  setup.parameters = {{11, false, -0.2, INFINITY}};
  EXPECT_SAYS(Why(), "reversed or not numbers");
  setup.parameters = {{8, false, 0.1, 1.5}};  // alpha beyond 1
  EXPECT_SAYS(Why(), "without meaning");
}

TEST_F(Refusals, AParameterNamedTwiceOrNone) {
  setup.parameters = {{11, false, -0.2, 0.6}, {11, true, -0.2, 0.6}};
  EXPECT_SAYS(Why(), "fitted twice");
  setup.parameters.clear();
  EXPECT_SAYS(Why(), "No parameter");
}

TEST_F(Refusals, NoCurveOrMoreThanSixteen) {
  const std::vector<GlobalCurve> two = curves;
  curves.clear();
  EXPECT_SAYS(Why(), "no curve");
  for (int c = 0; c < 17; ++c) curves.push_back(two[0]);
  EXPECT_SAYS(Why(), "at most 16 curves, not 17");
}

TEST_F(Refusals, MoreJointParametersThanAFitTakes) {
  // Per-curve parameters count once per curve: 16 curves with three of them are 48, as many as a
  // fit takes; a fourth makes 64.
  for (int c = 2; c < 16; ++c) curves.push_back(curves[0]);
  setup.parameters = {{11, true, -0.2, 0.6}, {5, true, 1e-6, 1}, {8, true, 0.1, 0.9}};
  EXPECT_EQ(Why(), "");
  setup.parameters.push_back({20, true, 1e-7, 1e-4});
  EXPECT_SAYS(Why(), "would fit 64 parameters");
  // Shared, the same four are four.
  for (GlobalParameter& g : setup.parameters) g.perCurve = false;
  EXPECT_EQ(Why(), "");
}

}  // namespace
}  // namespace vorex
