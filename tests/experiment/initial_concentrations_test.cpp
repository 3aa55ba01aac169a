#include "experiment/initial_concentrations.h"

#include <cmath>

#include "base/number_format.h"

#include "started_experiment.h"

namespace vorex {
namespace {

using InitialConcentrations = testing::StartedExperiment;

constexpr double kF = 96484.6 / 8.31441 / 298.14;  // F/RT at 25 degrees C [1/V]

TEST(NernstSplit, KeepsTheSumAndSetsTheRatio) {
  const double theta = 3, ox = 2, red = 1;
  const double x = NernstSplit(theta, ox, red);
  EXPECT_DOUBLE_EQ((red + x) / (ox - x), theta);
  EXPECT_DOUBLE_EQ((ox - x) + (red + x), ox + red);
  EXPECT_THROW(NernstSplit(-1, 1, 1), RuntimeFault);
}

TEST_F(InitialConcentrations, DefaultsAfterOpeningTheDialog) {
  OpenExperimental();
  // theta = exp(f (0.1 - 0.3)) = 4.161e-4; A = c1 / (1 + theta), B = c1 theta / (1 + theta).
  EXPECT_EQ(form.Cinit(1).Caption(), "9.996e-4");
  EXPECT_EQ(form.Cinit(2).Caption(), "4.159e-7");
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_DOUBLE_EQ(p.CInit(1), 9.996e-4);
}

TEST_F(InitialConcentrations, WithoutPreEquilibrationTheyAreTheAnalyticalOnes) {
  OpenExperimental();
  Type(form.C(2), "2e-3");
  form.Click(form.CheckPreEqu());
  EXPECT_EQ(form.Cinit(1).Caption(), "1e-3");
  EXPECT_EQ(form.Cinit(2).Caption(), "2e-3");
  EXPECT_EQ(form.Cinit(3).Caption(), "0e0");
  EXPECT_EQ(form.Cinit(4).Caption(), "0e0");
}

TEST_F(InitialConcentrations, PreconcentrationFactorWithTheDefaults) {
  // P D^(2/3) A/V w^(1/2) nu^(-1/6) t / (1 + theta_pre): 10 * 4.6416e-4 * 100 * 3.2361 * 2.1544
  // * 600 / (1 + 1.7e-7) = 1941.6 for a planar electrode of 1 cm2 and 0.01 cm3, 200 pi / 60 rad/s.
  PreconcentrationInputs in{.ePre = -0.3,
                            .tPre = 600,
                            .pConst = 10,
                            .stirRpm = 100,
                            .e0 = 0.1,
                            .n = 1,
                            .dA = 1e-5,
                            .area = 1,
                            .volume = 0.01,
                            .viscosity = 0.01,
                            .temperature = 298.14};
  EXPECT_NEAR(PreconcentrationFactor(in), 1941.6, 0.1);
  form.Click(form.CheckPreCon());
  EXPECT_TRUE(form.FramePre().Visible());
  EXPECT_EQ(form.Cinit(2).Caption(), "1.942e0");
  Type(form.txtTPre(), "300");  // half the time, half the enrichment
  EXPECT_EQ(form.Cinit(2).Caption(), "9.708e-1");
}

TEST_F(InitialConcentrations, AFailingPreconcentrationLeavesTheEquilibratedValue) {
  OpenExperimental();
  Type(form.leng(), "0");  // planar volume becomes 0 at the capture below
  form.Click(form.CheckPreCon());
  EXPECT_EQ(form.Cinit(2).Caption(), "4.159e-7");
}

TEST_F(InitialConcentrations, PrecedingReactionMovesCToAFirst) {
  ChooseMechanism(5);
  OpenExperimental();
  Type(form.kb(1), "10");  // K1 = 1
  Type(form.C(1), "0");
  Type(form.C(3), "0.002");
  // z = (1 * 0.002 - 0) / 2 = 0.001 moves from C to A, then A splits with B at 0.3 V.
  const double theta = std::exp(kF * (0.1 - 0.3));
  EXPECT_EQ(form.Cinit(3).Caption(), "1e-3");
  EXPECT_EQ(form.Cinit(1).Caption(), FormatPattern(0.001 / (1 + theta), "0.###e-#"));
  EXPECT_EQ(form.Cinit(2).Caption(), FormatPattern(0.001 * theta / (1 + theta), "0.###e-#"));
}

TEST(PreEquilibrate, FollowingReactionWithAnEmptyConstantReturnsAllOfC) {
  EquilibriumInputs in;
  in.mechanism = static_cast<MechanismCode>(7);
  in.c = {0, 1e-3, 0, 5e-4, 0};
  in.n = {0, 1, 1, 1};
  in.e0 = {0, 0.1, 0, 0};
  in.startPotential = 0.3;
  in.fOverRT = kF;
  in.k1 = 0;  // an empty LabelKeq reads as 0: y = -c3
  const auto out = PreEquilibrate(in);
  const double x = NernstSplit(std::exp(kF * -0.2), 1e-3, 0);
  EXPECT_DOUBLE_EQ(*out[1], 1e-3 - x);
  EXPECT_DOUBLE_EQ(*out[2], x + 5e-4);
  EXPECT_DOUBLE_EQ(*out[3], 0);
  EXPECT_FALSE(out[4]);
}

TEST(PreEquilibrate, ConsecutiveCouplesConserveMatterAndMeetEachRatio) {
  EquilibriumInputs in;
  in.mechanism = static_cast<MechanismCode>(2);
  in.chargeReactions = 2;
  in.c = {0, 1e-3, 2e-4, 1e-4, 0};
  in.n = {0, 1, 2, 1};
  in.e0 = {0, 0.35, 0.25, 0};
  in.startPotential = 0.3;
  in.fOverRT = kF;
  const auto out = PreEquilibrate(in);
  ASSERT_TRUE(out[1] && out[2] && out[3]);
  EXPECT_FALSE(out[4]);
  EXPECT_NEAR(*out[1] + *out[2] + *out[3], 1.3e-3, 1e-18);
  // Couple 1 reaches its ratio; couple 2 splits what couple 1 handed on.
  const double theta1 = std::exp(kF * 0.05);
  const double b = 2e-4 + NernstSplit(theta1, 1e-3, 2e-4);
  EXPECT_NEAR(*out[1], 1e-3 - NernstSplit(theta1, 1e-3, 2e-4), 1e-15);
  const double theta2 = std::exp(2 * kF * -0.05);
  EXPECT_NEAR(*out[3], 1e-4 + NernstSplit(theta2, b, 1e-4), 1e-15);
}

TEST(PreEquilibrate, TwoSeparateCouples) {
  EquilibriumInputs in;
  in.mechanism = static_cast<MechanismCode>(4);
  in.chargeReactions = 2;
  in.c = {0, 1e-3, 0, 1e-3, 0};
  in.n = {0, 1, 1, 1};
  in.e0 = {0, 0.3, 0.3, 0};  // both at their standard potential: half and half
  in.startPotential = 0.3;
  in.fOverRT = kF;
  const auto out = PreEquilibrate(in);
  for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(*out[i], 5e-4) << i;
}

TEST(PreEquilibrate, ComplexReaction) {
  EquilibriumInputs in;
  in.mechanism = static_cast<MechanismCode>(17);
  in.c = {0, 0, 0, 1e-3, 0.1};
  in.k1 = 0.01;
  in.p = 2;
  // w = 0.01; x = (0.01 * 1e-3 - 0) / (0.01 + 0.01) = 5e-4; then [A] w / [C] = 5e-4*0.01/5e-4.
  const auto out = PreEquilibrate(in);
  EXPECT_DOUBLE_EQ(*out[1], 5e-4);
  EXPECT_DOUBLE_EQ(*out[3], 5e-4);
  EXPECT_FALSE(out[2]);
}

TEST(PreEquilibrate, AStartPotentialFarFromTheCoupleOverflows) {
  EquilibriumInputs in;
  in.c = {0, 1e-3, 0, 0, 0};
  in.n = {0, 3, 1, 1};
  in.e0 = {0, 10, 0, 0};
  in.fOverRT = kF;
  EXPECT_THROW(PreEquilibrate(in), RuntimeFault);
}

TEST_F(InitialConcentrations, AnEquilibriumThatOverflowsLeavesTheAnalyticalOnes) {
  OpenExperimental();
  Type(form.Eze(1), "20");  // theta = exp(38.9 * 19.7) overflows
  EXPECT_EQ(form.Cinit(1).Caption(), "1e-3");
  EXPECT_EQ(form.Cinit(2).Caption(), "0e0");
}

}  // namespace
}  // namespace vorex
