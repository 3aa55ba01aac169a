#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "analysis/half_wave.h"
#include "analysis/theoretical_peaks.h"
#include "base/constants.h"
#include "base/number_format.h"
#include "experiment/capture.h"
#include "shell/analysis_reports.h"
#include "support/started_program.h"

namespace vorex {
namespace {

constexpr double kF = 96484.6 / 8.31441 / 298.14;

// Curves written straight into the store, with the range the plot would have set.
struct Analysis : testing::StartedProgram {
  void Points(int m, double yMax, double yMin = 0) {
    CurveStore& c = Curves();
    c.PointCount = m;
    c.FirstPoint = 1;
    c.LastPoint = m;
    c.PointsPerSweep = m;
    c.CurveCount = 1;
    c.YMax = yMax;
    c.YMin = yMin;
    for (int i = 1; i <= m; ++i) c.Abscissa(i) = 0.3 - 0.005 * (i - 1);
  }
  void Peak(int at, double height, double width, int curve = 1) {
    for (int i = 1; i <= Curves().PointCount; ++i) {
      Curves().Ordinate(i, curve) += height * std::exp(-std::pow((i - at) / width, 2));
    }
  }
  std::vector<std::string> Find() {
    program->formResult.Clear();
    FindPeaks(program->links, program->peaks, Curves().FirstPoint + 2, Curves().LastPoint - 2);
    return program->formResult.Lines();
  }
};

TEST_F(Analysis, PeaksOfASingleSweepAndTheirArea) {
  Points(100, 1);
  Peak(30, 0.8, 4);
  Peak(70, -0.5, 4);  // a cathodic peak is found by its magnitude
  const auto lines = Find();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Curve  1 :");
  // Zones at columns 1, 15, 29: "Peak  1 :" is 9 characters, "Ep =  0.1550 " 13; Ep in V to
  // four decimals, Ip to four significant digits.
  EXPECT_EQ(lines[1], "Peak  1 :" + std::string(5, ' ') + "Ep =  0.1550 " + std::string(1, ' ') +
                          "Ip =  8.000E-01 ");  // 0.3 - 0.005 x 29
  EXPECT_EQ(lines[2], "Peak  2 :" + std::string(5, ' ') + "Ep = -0.0450 " + std::string(1, ' ') +
                          "Ip = -5.000E-01 ");  // 0.3 - 0.005 x 69
  double sum = 0;                               // 0.005 x the sum of magnitudes over points 3..98
  for (int j = 3; j <= 98; ++j) sum += std::fabs(Curves().Ordinate(j, 1));
  EXPECT_EQ(lines[3], "Peak Area =   " + FormatGeneral(0.005 * sum));
  EXPECT_EQ(program->peaks.PeakCount, 2);
}

TEST_F(Analysis, PeakValuesAreRoundedToTenthsOfAMillivoltAndFourDigits) {
  // The peak's point stands at 0.123456 V and 12.34567 uA: 0.12346 V rounds to 0.1235 V, the
  // current to 1.235E-05 A; a peak below zero keeps its sign in the place of the blank.
  Points(100, 2e-5, -2e-5);
  Peak(30, 1.234567e-5, 4);
  Peak(70, -2.2e-6, 4);
  Curves().Abscissa(30) = 0.123456;
  const auto lines = Find();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(lines[1].find("Ep =  0.1235 "), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("Ip =  1.235E-05 "), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("Ep = -0.0450 "), std::string::npos) << lines[2];  // 0.3 - 0.005 x 69
  EXPECT_NE(lines[2].find("Ip = -2.200E-06 "), std::string::npos) << lines[2];
}

TEST_F(Analysis, TheAreaUsesTheCurvesOwnSpacingNotTheTypedStep) {
  // A triangle on 0..0.2 V at 10 mV, 10 high at 0.1 V: its rectangle sum over all 21 points,
  // 0.01 x (2 x (0 + 1 + ... + 9) + 10) = 1, is its area 0.2 x 10 / 2.
  Points(21, 10);
  program->experiment.parameterSet.ScanCount = 0.5;
  for (int i = 1; i <= 21; ++i) {
    Curves().Abscissa(i) = 0.01 * (i - 1);
    Curves().Ordinate(i, 1) = 10 - std::abs(i - 11);
  }
  for (double typed : {0.037, 0.005}) {
    program->experiment.parameterSet.EStep = typed;
    program->formResult.Clear();
    FindPeaks(program->links, program->peaks, 1, 21);
    EXPECT_EQ(program->formResult.Lines().back(), "Peak Area =   " + FormatGeneral(1.0)) << typed;
  }
}

TEST_F(Analysis, AnAreaThatOverflowsIsAFaultNotAZero) {
  Points(100, 1e308);
  Peak(50, 1e308, 20);  // the magnitudes sum to about 1e308 x 20 x sqrt(pi): beyond a double
  program->mdiForm1.EnableCurveMenus();
  Invoke("mnuFindPeak");
  EXPECT_EQ(host.messages, std::vector<std::string>{"Find Peak Error: Overflow"});
  for (const std::string& line : program->formResult.Lines()) {
    EXPECT_EQ(line.find("Peak Area"), std::string::npos) << line;
  }
}

TEST_F(Analysis, FlatTopsThresholdAndGuards) {
  Points(60, 1);
  for (int i = 1; i <= 60; ++i) Curves().Ordinate(i, 1) = 0;
  const double shape[] = {0.1, 0.2, 0.4, 0.6, 0.9, 0.9, 0.6, 0.4, 0.2, 0.1};
  for (int k = 0; k < 10; ++k) Curves().Ordinate(20 + k, 1) = shape[k];  // equal maxima at 24, 25
  for (int k = 0; k < 10; ++k) Curves().Ordinate(40 + k, 1) = 0.019 * shape[k] / 0.9;  // below 2 %
  Peak(5, 0.5, 1.5);  // too near the start to be tested
  EXPECT_EQ(Find().size(), 4u);
  EXPECT_EQ(program->peaks.PeakPotential(1, 1), Curves().Abscissa(24));
  EXPECT_EQ(program->peaks.PeakPotential(2, 1), Curves().Abscissa(25));
}

TEST_F(Analysis, CyclicRatioAndSeparation) {
  Points(100, 1, -1);
  Curves().PointsPerSweep = 50;
  for (int i = 51; i <= 100; ++i) Curves().Abscissa(i) = Curves().Abscissa(101 - i);
  program->experiment.parameterSet.ScanCount = 1;
  Peak(20, 1.0, 3);
  Peak(80, -0.6, 3);
  for (int i = 1; i <= 100; ++i) Curves().Ordinate(i, 1) += 0.1;  // Isp = Y(50)
  program->experiment.parameterSet.EStep =
      0.02;  // the area takes the curve's 5 mV, not the typed step
  const auto lines = Find();
  ASSERT_EQ(lines.size(), 6u);
  const double ip1 = Curves().Ordinate(20, 1), ip2 = Curves().Ordinate(80, 1),
               isp = Curves().Ordinate(50, 1);
  EXPECT_EQ(lines[3], "I pc/I pa = " + FormatGeneral(std::fabs(ip2 / ip1) +
                                                     0.485 * std::fabs(isp / ip1) + 0.08));
  EXPECT_EQ(lines[4],
            "Ep2 - Ep1 = " + FormatGeneral(Curves().Abscissa(80) - Curves().Abscissa(20)));
  double forward = 0, reverse = 0;  // the switching point counts in both sums
  for (int j = 3; j <= 50; ++j) forward += Curves().Ordinate(j, 1);
  for (int j = 50; j <= 98; ++j) reverse += Curves().Ordinate(j, 1);
  EXPECT_EQ(lines[5], "Peak Area =   " + FormatGeneral(0.005 * (forward - reverse)));
}

TEST_F(Analysis, MoreThanTwentyPeaksKeepTheFirstTwentyAndSaySo) {
  Points(400, 1);
  for (int k = 0; k < 25; ++k) Peak(10 + 15 * k, 0.5, 2);
  const auto lines = Find();
  ASSERT_EQ(lines.size(), 1u + 20 + 1 + 1);
  EXPECT_EQ(lines[21], "Peaks not listed: 5 (only the first 20 are kept)");
  EXPECT_EQ(program->peaks.PeakCount, 20);
}

// A cycle over 0..0.1 V and back at 10 mV, the triangles 5 - |i - 6| forward and
// -(4 - |i - 15|) / 2 back, zero elsewhere, straight into arrays: no window or parameter set.
TEST(PeakSearch, APlainCycleHasItsClosedFormRatioSeparationAndArea) {
  AbscissaArray x, y;
  for (int i = 1; i <= 21; ++i) {
    x(i) = i <= 11 ? 0.01 * (i - 1) : 0.01 * (21 - i);
    if (i <= 11) y(i) = 5 - std::abs(i - 6);
    if (i >= 11 && i <= 19) y(i) = -(4 - std::abs(i - 15)) / 2.0;
  }
  const CurvePeaks found = SearchPeaks(
      x, y,
      {.first = 1, .last = 21, .pointsPerSweep = 11, .oneCycleSweep = true, .yMax = 5, .yMin = -2});
  ASSERT_EQ(found.peaks.size(), 2u);
  EXPECT_EQ(found.peaks[0].current, 5);
  EXPECT_EQ(found.peaks[1].current, -2);
  // |Ipc / Ipa| + 0.485 |Isp / Ipa| + 0.08 with Isp = Y(11) = 0; Ep2 - Ep1 = 0.06 - 0.05.
  EXPECT_DOUBLE_EQ(*found.ratio, 0.4 + 0.08);
  EXPECT_NEAR(*found.separation, 0.01, 1e-15);
  // 0.01 x (forward 25 less reverse -8), the switching point in both sums.
  EXPECT_NEAR(found.area, 0.33, 1e-15);
}

// Find Peak prints the lines before the area and only then faults on it, so the search must not.
TEST(PeakSearch, AnOverflowingAreaIsReturnedForTheReportToRefuse) {
  AbscissaArray x, y;
  for (int i = 1; i <= 10; ++i) {
    x(i) = 0.01 * i;
    y(i) = 1e308;
  }
  const CurvePeaks found =
      SearchPeaks(x, y, {.first = 1, .last = 10, .singleSweep = true, .yMax = 1e308});
  EXPECT_TRUE(found.peaks.empty());
  EXPECT_TRUE(std::isinf(found.area));
}

// A straight wave 0..10 in magnitude over 11 points has half its height at its middle point.
TEST(HalfWaveOfArrays, AStraightWaveAndNoPoints) {
  AbscissaArray x, y;
  for (int i = 1; i <= 11; ++i) {
    x(i) = -0.1 * (i - 1);
    y(i) = -(i - 1.0);
  }
  const HalfWaveResult wave = HalfWave(x, y, 11);
  EXPECT_EQ(wave.height, 10);
  EXPECT_EQ(wave.halfWavePotential, x(6));
  EXPECT_THROW(HalfWave(x, y, 0), RuntimeFault);
}

TEST_F(Analysis, HalfWavePotentialOfADcWave) {
  // A reduction wave -1e-5 / (1 + exp(f (E - E1/2))) with E1/2 = 0.05 V: the first point within
  // 5 % of half the height is the one at E1/2 itself (0.3 - 0.005 x 50).
  Points(121, 0, -1e-5);
  for (int i = 1; i <= 121; ++i) {
    Curves().Ordinate(i, 1) = -1e-5 / (1 + std::exp(kF * (Curves().Abscissa(i) - 0.05)));
  }
  FindHalfWave(program->links);
  const double height = std::fabs(Curves().Ordinate(121, 1)) - std::fabs(Curves().Ordinate(1, 1));
  EXPECT_EQ(program->formResult.Lines().back(), "Peak  1 : " + std::string(4, ' ') +
                                                    "E1/2 =  .05 " + std::string(2, ' ') +
                                                    "Id = " + FormatGeneral(height));
}

TEST_F(Analysis, HalfWaveOfACoarseWaveAndOfAConstant) {
  Points(3, 1);
  Curves().Ordinate(1, 1) = 0;
  Curves().Ordinate(2, 1) = 0.8;
  Curves().Ordinate(3, 1) = 1;
  FindHalfWave(program->links);
  EXPECT_EQ(program->formResult.Lines().back(),
            "Peak  1 : " + std::string(4, ' ') + "E1/2 = " + std::string(7, ' ') + "Id =  1 ");
  for (int i = 1; i <= 3; ++i) Curves().Ordinate(i, 1) = 0.5;
  FindHalfWave(program->links);
  EXPECT_EQ(program->formResult.Lines().back(),
            "Peak  1 : " + std::string(4, ' ') + "E1/2 =  .3 " + std::string(3, ' ') + "Id =  0 ");
}

TEST_F(Analysis, TheoreticalValuesOfTheLinearSweep) {
  AnalyticalConcentrations();
  ASSERT_TRUE(CaptureParameters(program->experiment));
  const ParameterSet& p = program->experiment.parameterSet;
  const TheoreticalValues v = TheoreticalPeakValues(p, 1);
  // Randles-Sevcik with Q = C A F: 0.4463 x 96.4846e-3 x sqrt(f v D); Erev = E0 - 1.109 RT/F,
  // 28.5 mV below E0 at 25 degrees C.
  EXPECT_NEAR(*v.Irev, 0.4463 * 1e-3 * 96.4846 * std::sqrt(kF * 0.01 * 1e-5), 1e-18);
  EXPECT_NEAR(*v.Erev, 0.1 - 0.0285, 1e-4);
  EXPECT_NEAR(*v.Iirr, 0.4958 * 1e-3 * 96.4846 * std::sqrt(0.5 * kF * 0.01 * 1e-5), 1e-18);
  ASSERT_TRUE(v.Eirr);
}

TEST_F(Analysis, TheoreticalLimitsOfDiscAndCylinder) {
  AnalyticalConcentrations();
  ASSERT_TRUE(CaptureParameters(program->experiment));
  ParameterSet p = program->experiment.parameterSet;
  ASSERT_EQ(p.CInit(1), 1e-3);
  ASSERT_EQ(p.D(1), 1e-5);
  p.Technique = TechniqueCode::LinearSweep;
  p.Electrode = ElectrodeCode::Microdisc;
  p.Radius = 5e-4;
  // A disc's steady state 4nFDCr, C = 1e-6 mol/cm3.
  const double steady = 4 * 96484.6 * 1e-5 * 1e-6 * 5e-4;
  EXPECT_NEAR(*TheoreticalPeakValues(p, 1).Irev, steady, 1e-12 * steady);
  p.Technique = TechniqueCode::DC;
  p.TDrop = 0.5;
  // Shoup and Szabo at tau = 4 D td / r^2 = 80.
  const double s = 1 / std::sqrt(80.0);
  EXPECT_NEAR(*TheoreticalPeakValues(p, 1).Irev,
              steady * (0.7854 + 0.8862 * s + 0.2146 * std::exp(-0.7823 * s)), 1e-12 * steady);
  // A cylinder at tau = D td / r^2 = 1e-3, where the short-time series K1/(q K0) inverted,
  // (pi tau)^-1/2 + 1/2 - (tau/pi)^1/2 / 4 + tau/8 - (25/96) (tau^3/pi)^1/2, is good to its next
  // term (13/64) tau^2 = 2e-7 in 18.3: n F A C D f / r.
  p.Electrode = ElectrodeCode::Cylindrical;
  p.Radius = 0.1;
  p.TDrop = 1;
  const double tau = 1e-3;
  const double f = 1 / std::sqrt(kPi * tau) + 0.5 - 0.25 * std::sqrt(tau / kPi) + tau / 8 -
                   25.0 / 96 * std::sqrt(tau * tau * tau / kPi);
  const double cylinder = 96484.6 * p.Area * 1e-6 * 1e-5 * f / 0.1;
  EXPECT_NEAR(*TheoreticalPeakValues(p, 1).Irev, cylinder, 2e-8 * cylinder);
}

TEST_F(Analysis, TheoreticalLinesByTechniqueAndMechanism) {
  AnalyticalConcentrations();
  program->mdiForm1.EnableCurveMenus();
  program->experiment.formTech.Click(program->experiment.formTech.optTech(2));
  Invoke("mnuCompId");
  const auto& lines = program->formResult.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Theoretical limiting current:");
  // DC at the planar electrode: n Q sqrt(D / (pi td)) in both lines, E1/2 = E0.
  const std::string id = FormatGeneral(1e-3 * 96.4846 * std::sqrt(1e-5 / 3.141592654 / 0.5));
  // "Rev Peak  1 :" is 13 characters, "E1/2 =  .1 " 11.
  EXPECT_EQ(lines[1], "Rev Peak  1 : E1/2 =  .1 " + std::string(3, ' ') + "Id = " + id);
  EXPECT_EQ(lines[2].substr(lines[2].size() - id.size()), id);
  program->experiment.formMech.Click(program->experiment.formMech.mech(2));
  Invoke("mnuCompId");
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[4], "Rev Peak  1 : E1/2 = " + std::string(7, ' ') + "Id = ");
  // "Irrev Peak  2 :" is 15 characters: the next zone starts at column 29.
  EXPECT_EQ(lines[7],
            "Irrev Peak  2 :" + std::string(13, ' ') + "E1/2 = " + std::string(7, ' ') + "Id = ");
}

TEST_F(Analysis, TheoreticalValuesWithAFaultPrintEmpty) {
  ASSERT_TRUE(CaptureParameters(program->experiment));
  program->experiment.parameterSet.D(2) =
      0;  // ln(D(B) / D(A)) of E1/2 fails; capture would refuse it
  const TheoreticalValues v = TheoreticalPeakValues(program->experiment.parameterSet, 1);
  EXPECT_FALSE(v.Erev);
  EXPECT_TRUE(v.Irev);
}

}  // namespace
}  // namespace vorex
