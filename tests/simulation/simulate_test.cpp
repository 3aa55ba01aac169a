#include <gtest/gtest.h>

#include <cmath>

#include "simulation/noise.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using Simulation = testing::StartedProgram;
constexpr double kF = 96484.6 / 8.31441 / 298.14;

TEST_F(Simulation, ASimulationEnablesTheCurveMenus) {
  // Its numbers are the validation suite's (sweep.reversible.*).
  Analytical();
  Invoke("mnuSimulate");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_TRUE(Menu("mnuDisplay").Enabled());
  EXPECT_TRUE(Menu("mnuData").Enabled());
}

TEST_F(Simulation, AFailedRunKeepsTheCurvesAsTheyWere) {
  Analytical();
  Invoke("mnuSimulate");
  const double before = Curves().Ordinate(50, 1), x50 = Curves().Abscissa(50);
  Type(Expr().Eend(), "-0.5");
  Type(Expr().Eze(1), "50");  // exp(0.5 x 38.9 x 50) overflows in the rate constants
  Invoke("mnuSimulate");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            "Analytical simulation Error: Overflow! Please try again by other initial values.");
  EXPECT_EQ(Curves().PointCount, 121);
  EXPECT_EQ(Curves().Abscissa(50), x50);
  EXPECT_EQ(Curves().Ordinate(50, 1), before);
  Type(Expr().Eze(1), "0.1");
  Type(Expr().Estep(), "0");  // refused before the run: a step of 0 gives no programme
  Invoke("mnuSimulate");
  EXPECT_EQ(host.messages.back(), "E step (V): \"0\" must be greater than 0.");
  Type(Expr().Estep(), "0.0001");
  program->experiment.formExpr.Choose(Expr().ComboScan(),
                                      2);  // 4 x 8001 points: beyond the storage
  Invoke("mnuSimulate");
  EXPECT_EQ(host.messages.back(),
            "Analytical simulation Error: Subscript out of range! Please try again by other "
            "initial values.");
  EXPECT_EQ(Curves().PointCount, 121);
}

TEST_F(Simulation, ChargingCurrentFollowsEachSweep) {
  Analytical();
  Type(Expr().C(1), "0");
  Type(Expr().Cdl(), "2e-6");
  program->experiment.formExpr.Choose(Expr().ComboScan(), 1);
  Invoke("mnuSimulate");
  const double ic = 2e-6 * 1 * 0.01;  // Cdl A v
  // Reduction positive: the cathodic forward sweep carries +Ic, the reverse sweep -Ic.
  EXPECT_NEAR(Total(1), ic, 1e-20);
  EXPECT_NEAR(Total(121), ic, 1e-20);
  EXPECT_NEAR(Total(122), -ic, 1e-20);
  EXPECT_NEAR(Total(242), -ic, 1e-20);
  Analytical(2);  // DC voltammetry, single sweep: Ic (E1 - E)
  program->experiment.formExpr.Choose(Expr().ComboScan(), 0);
  Invoke("mnuSimulate");
  EXPECT_NEAR(Total(121), ic * 0.6, 1e-18);
  EXPECT_EQ(Total(1), 0.0);
}

TEST_F(Simulation, NoiseIsTheSameEveryRunAndFollowsTheGenerator) {
  // By hand, for PointCount = 1: u = 2 -> 24298 x 2 + 99991 + 1 = 148588, then
  // 24298 x 148588 + 99991 = 3610491215 = 18141 x 199017 + 123818 -> 123819.
  NoiseGenerator g(1);
  EXPECT_EQ(g.Next(), 148588.0);
  EXPECT_EQ(g.Next(), 123819.0);
  NoiseGenerator h(1);
  EXPECT_DOUBLE_EQ(h.Gaussian(), std::sqrt(2 * std::log(199017 / 148588.0)) *
                                     std::cos(6.283185308 * 123819 / 199017));

  Analytical();
  Invoke("mnuSimulate");
  const double clean = Total(60);
  Type(Expr().Noise(), "5");
  Invoke("mnuSimulate");
  const double noisy = Total(60);
  Invoke("mnuSimulate");
  EXPECT_EQ(Total(60), noisy);
  EXPECT_NE(noisy, clean);
  program->fit.fitting = true;  // a fit never sees noise
  Invoke("mnuSimulate");
  EXPECT_EQ(Total(60), clean);
  EXPECT_EQ(Curves().CurrentCurve, 2);
}

TEST_F(Simulation, OverlapFillsFiveCurvesThenStartsAgain) {
  Analytical();
  program->plot.formOption.SetCheck(program->plot.formOption.overlap(), true);
  const int expected[] = {2, 3, 4, 5, 1, 2};
  for (int run : expected) {
    Invoke("mnuSimulate");
    EXPECT_EQ(Curves().CurrentCurve, run);
    EXPECT_EQ(Curves().CurveCount, run);
  }
}

TEST_F(Simulation, NormalPulseAtAThinFilmHasNoFaradaicCurrent) {
  Analytical(3);
  program->experiment.formExpr.Click(Expr().optElectrode(7));
  Invoke("mnuSimulate");
  ASSERT_FALSE(program->experiment.parameterSet.Digital);
  for (int i = 1; i <= Curves().PointCount; ++i) ASSERT_EQ(Total(i), 0.0) << i;
  // A current of zero everywhere is a result, drawn as one, not "no data".
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Simulation, EveryTechniqueAndElectrodeGivesAFiniteCurve) {
  for (int technique = 1; technique <= 5; ++technique) {
    for (int electrode = 1; electrode <= 8; ++electrode) {
      Analytical(technique);
      program->experiment.formExpr.Click(Expr().optElectrode(electrode));
      host.messages.clear();
      Invoke("mnuSimulate");
      const int code = electrode + 10 * technique;
      ASSERT_EQ(CodeNumber(program->experiment.parameterSet.Electrode), electrode);
      ASSERT_EQ(CodeNumber(program->experiment.parameterSet.Technique), technique);
      const bool formula = !(technique >= 3 && electrode >= 7);
      if (formula) {
        EXPECT_TRUE(host.messages.empty()) << code << ": " << host.messages[0];
      }
      double largest = 0;
      for (int i = 1; i <= Curves().PointCount; ++i) {
        ASSERT_TRUE(std::isfinite(Total(i))) << code;
        largest = std::fmax(largest, std::fabs(Total(i)));
      }
      if (formula) {
        EXPECT_GT(largest, 1e-9) << code;
      }
    }
  }
}

TEST_F(Simulation, ComplexMechanismShiftsTheFormalPotential) {
  // C = A + pD ahead of A + ne = B: the DC wave of B/C sits at
  // E0* = E0 + RT/F (ln Keq - p ln [D]) and is, for fast kinetics, the Nernstian step current
  // n COx sqrt(D) / sqrt(pi td) / (1 + exp(f (E - E0*))) times F A 0.001.
  program->experiment.formMech.Click(program->experiment.formMech.mech(17));
  Analytical(2);
  program->experiment.formExpr.SetCheck(Expr().CheckPreEqu(), false);
  Type(Expr().kf(1), "10");  // Keq = 10 / 0.01 = 1000
  Type(Expr().C(2), "1e-3");
  Type(Expr().C(4), "0.1");
  Type(Expr().Estart(), "0.5");
  Type(Expr().Eend(), "0.2");
  Invoke("mnuSimulate");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const double rtf = 1 / kF;
  const double e0 = 0.1 + rtf * (std::log(1000.0) - std::log(0.1));
  for (int i = 1; i <= Curves().PointCount; ++i) {
    const double e = Curves().Abscissa(i);
    const double expected = 96484.6 * 0.001 * 1e-3 * std::sqrt(1e-5) / std::sqrt(M_PI * 0.5) /
                            (1 + std::exp(kF * (e - e0)));
    EXPECT_NEAR(Total(i) / expected, 1.0, 1e-3) << e;
  }
}

}  // namespace
}  // namespace vorex
