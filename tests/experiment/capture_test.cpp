#include "started_experiment.h"

namespace vorex {
namespace {

using Capture = testing::StartedExperiment;

TEST_F(Capture, StartUpDefaults) {
  EXPECT_EQ(p.Technique, TechniqueCode::LinearSweep);
  EXPECT_EQ(p.Mechanism, MechanismCode::E);
  EXPECT_EQ(p.Electrode, ElectrodeCode::Planar);
  EXPECT_TRUE(p.Digital);
  EXPECT_EQ(p.ScanCount, 0.5);
  EXPECT_EQ(p.Temperature, 25 + 273.14);
  EXPECT_DOUBLE_EQ(p.FOverRT, 96484.6 / 8.31441 / 298.14);  // about 38.923 per volt
  EXPECT_NEAR(p.FOverRT, 38.923, 1e-3);
  EXPECT_DOUBLE_EQ(p.RTOverF, 1 / p.FOverRT);
  EXPECT_DOUBLE_EQ(p.RotationRate, 100 * 3.141592654 / 30);
  EXPECT_EQ(p.EStart, 0.3);
  EXPECT_EQ(p.EEnd, -0.3);
  EXPECT_EQ(p.EStep, 0.005);
  EXPECT_EQ(p.ScanRate, 0.01);
  EXPECT_EQ(p.TDrop, 0.5);
  EXPECT_EQ(p.Area, 1.0);
  EXPECT_EQ(p.ElectrodeVolume, 0.01);  // planar: area x L
  EXPECT_EQ(p.SpeciesCount, 2);
  EXPECT_EQ(p.ChargeReactionCount, 1);
  EXPECT_EQ(p.HomogeneousReactionCount, 0);
  // Pre-equilibrated at E start whether or not the dialog was ever shown: theta = exp(f (0.1 -
  // 0.3)) = 4.161e-4, A = 1e-3 / (1 + theta), four digits as the dialog shows them.
  EXPECT_EQ(p.CInit(1), 9.996e-4);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Capture, SignsAndPrefixes) {
  Type(form.Estep(), "-0.005");
  Type(form.V(), "-0.01");
  Type(form.Estart(), "0.3V");
  Type(form.Eend(), "1,5");
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_EQ(p.EStep, 0.005);
  EXPECT_EQ(p.ScanRate, 0.01);
  EXPECT_EQ(p.EPulse, -0.05);
  EXPECT_EQ(p.EStart, 0.3);
  EXPECT_EQ(p.EEnd, 1.0);
  Type(form.txttemp(), "abc");
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_EQ(p.Temperature, 273.14);
}

TEST_F(Capture, AStepThatIsNotANumberStopsTheCaptureAndKeepsTheLastOne) {
  Type(form.Eend(), "-0.5");
  Type(form.Estep(), "0.005V");
  EXPECT_FALSE(CaptureParameters(e));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("E step (V)"), std::string::npos);
  EXPECT_NE(host.messages[0].find("\"0.005V\""), std::string::npos);
  EXPECT_EQ(p.EEnd, -0.3);  // nothing of the refused capture was kept
  EXPECT_EQ(p.EStep, 0.005);
  Type(form.Estep(), "0.005");
  Type(form.V(), "");
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_NE(host.messages.back().find("v (V/s)"), std::string::npos);
}

TEST_F(Capture, ANumberTooLargeToHoldIsRefused) {
  Type(form.D(2), "1e999");
  EXPECT_FALSE(CaptureParameters(e));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("D(2)"), std::string::npos);
  Type(form.txttemp(), "-273.14");
  Type(form.D(2), "1e-5");
  EXPECT_FALSE(CaptureParameters(e));  // 0 K leaves F/RT undefined
}

TEST_F(Capture, ScanPatternAndCountsFollowTheDialogs) {
  form.Choose(form.ComboScan(), 2);
  ChooseMechanism(13);
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_EQ(p.ScanCount, 2.0);
  EXPECT_EQ(p.Mechanism, MechanismCode::SquareScheme);
  EXPECT_EQ(p.SpeciesCount, 4);
  EXPECT_EQ(p.ChargeReactionCount, 2);
  EXPECT_EQ(p.HomogeneousReactionCount, 2);
  form.Choose(form.ComboScan(), 1);
  ChooseMechanism(9);
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_EQ(p.ScanCount, 1.0);
  EXPECT_EQ(p.SpeciesCount, 2);
  EXPECT_EQ(p.ChargeReactionCount, 1);
  EXPECT_EQ(p.HomogeneousReactionCount, 1);
}

}  // namespace
}  // namespace vorex
