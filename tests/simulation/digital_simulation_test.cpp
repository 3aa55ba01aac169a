#include "simulation/digital_simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/started_program.h"

namespace vorex {
namespace {

using Digital = testing::StartedProgram;
constexpr double kF = 96484.6 / 8.31441 / 298.14;

TEST(DigitalGrid, NodesForTheDefaultsAndForACycle) {
  ParameterSet p;
  // lambda = 10; N_real = 2 + ln(1 + 6 (e - 1) sqrt(10 x 121)) = 7.885: N = 8, J = 8.
  DigitalGrid g = DigitalGridFor(p, 121);
  EXPECT_EQ(g.lambda, 10);
  EXPECT_NEAR(g.nReal, 2 + std::log(1 + 6 * (std::exp(1.0) - 1) * std::sqrt(1210.0)), 1e-12);
  EXPECT_NEAR(g.nReal, 7.885, 1e-3);
  EXPECT_EQ(g.nodes, 8);
  EXPECT_EQ(g.cells, 8);
  g = DigitalGridFor(p, 242);  // 8.230: N = 8, J = 9
  EXPECT_NEAR(g.nReal, 8.230, 1e-3);
  EXPECT_EQ(g.nodes, 8);
  EXPECT_EQ(g.cells, 9);
  // With a homogeneous reaction only reaction 1 sizes the grid: (kf + kb) RT / (F dE).
  p.HomogeneousReactionCount = 1;
  p.Kf(1) = 10;
  p.Kb(1) = 0.01;
  p.Temperature = 298.14;
  p.EStep = 0.005;
  EXPECT_NEAR(DigitalGridFor(p, 121).lambda, 10.01 / kF / 0.005, 1e-9);
  EXPECT_NEAR(NodePosition(1), 0.3775, 1e-4);
  EXPECT_NEAR(NodePosition(2), 2.0262, 1e-4);
  EXPECT_EQ(CellBoundary(1), 0.0);
  EXPECT_NEAR(CellBoundary(2), 1.0, 1e-15);
}

TEST(DigitalSteps, PerTechnique) {
  ParameterSet p;
  p.TDrop = 0.5;
  p.TPulse = 0.05;
  p.Technique = TechniqueCode::NormalPulse;
  DigitalSteps s = DigitalStepsFor(p);
  EXPECT_DOUBLE_EQ(s.dt, 0.005);
  EXPECT_DOUBLE_EQ(s.k, 100);
  EXPECT_DOUBLE_EQ(s.first, 91);
  p.Technique = TechniqueCode::DifferentialPulse;
  s = DigitalStepsFor(p);
  EXPECT_DOUBLE_EQ(s.dt, 0.0125);
  EXPECT_DOUBLE_EQ(s.k, 40);
  // Quarter pulse times before the pulse: (td - tp) / (tp / 4). (It was 35, a pulse of 1.25 tp:
  // the test encoded the fault.)
  EXPECT_DOUBLE_EQ(s.pre, 36);
  p.Technique = TechniqueCode::SquareWave;
  EXPECT_EQ(DigitalStepsFor(p).k, 2);
  p.Technique = TechniqueCode::DC;
  EXPECT_DOUBLE_EQ(DigitalStepsFor(p).dt, 0.05);
}

int Peak(CurveStore& c, int from, int to, bool largest) {
  int best = from;
  for (int i = from; i <= to; ++i) {
    const double y = c.SimulatedCurrent(i, 2), b = c.SimulatedCurrent(best, 2);
    if (largest ? y > b : y < b) best = i;
  }
  return best;
}

TEST_F(Digital, EqualDiffusionConservesTheCoupleAtTheSurface) {
  Invoke("mnuSimulate");
  // What the run starts with: A and B at their Nernst ratio at E start, 9.996e-4 and 4.159e-7 M
  // to the four digits the dialog shows.
  const double start = 9.996e-4 + 4.159e-7;
  for (int i = 1; i <= 121; ++i) {
    const double sum = Curves().SurfaceConcentration(i, 1) + Curves().SurfaceConcentration(i, 2);
    // Only rounding: with ks = 1e4 the kinetic rows are some 1e7 times the net flux.
    ASSERT_NEAR(sum, start, 1e-12) << i;
  }
  EXPECT_LT(Curves().SurfaceConcentration(121, 1), 1e-9);  // A is used up at -0.3 V
}

TEST_F(Digital, GeometriesThatShareAnOperatorShareTheCurrentPerArea) {
  const auto perArea = [&](int electrode) {
    program->experiment.formExpr.Click(Expr().optElectrode(electrode));
    Invoke("mnuSimulate");
    return Total(80) / program->experiment.parameterSet.Area;
  };
  const double planar = perArea(1);
  EXPECT_DOUBLE_EQ(perArea(7), planar);
  EXPECT_DOUBLE_EQ(perArea(8), planar);
  EXPECT_DOUBLE_EQ(perArea(3), perArea(2));
  EXPECT_DOUBLE_EQ(perArea(6), perArea(5));
  EXPECT_GT(perArea(2), planar);  // radial diffusion adds to the flux
}

TEST_F(Digital, OhmicDropMovesTheWave) {
  Invoke("mnuSimulate");
  const int p1 = Peak(Curves(), 1, 121, true);
  const double e1 = Curves().Abscissa(p1), i1 = Total(p1);
  Type(Expr().Ru(), "300");
  Invoke("mnuSimulate");
  const int p2 = Peak(Curves(), 1, 121, true);
  // A cathodic current raises the electrode above the programme by i Ru (8.5e-5 A x 300 ohm =
  // 25 mV at the peak), so the wave comes later on the sweep, lower and broader; the broadening
  // moves the maximum by somewhat more than ip Ru.
  EXPECT_LE(Curves().Abscissa(p2), e1 - 0.005);
  EXPECT_GE(Curves().Abscissa(p2), e1 - 0.05);
  EXPECT_LT(Total(p2), i1);
}

TEST_F(Digital, NormalPulseDependsOnThePulseTimeAlone) {
  // Each pulse meets a fresh drop at rest, so the drop time does not enter, whether or not it
  // holds a whole number of pulse times; the plateau is Cottrell's current at tp.
  Analytical(3);
  program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
  Type(Expr().tp(), "0.03");
  Invoke("mnuSimulate");  // t drop 0.5 s: 16.7 pulse times
  std::vector<double> first;
  for (int i = 1; i <= Curves().PointCount; ++i) first.push_back(Total(i));
  Type(Expr().V(), "0.0166666666666667");  // t drop 0.3 s: 10 pulse times
  Invoke("mnuSimulate");
  ASSERT_EQ(first.size(), static_cast<std::size_t>(Curves().PointCount));
  for (int i = 1; i <= Curves().PointCount; ++i) EXPECT_EQ(Total(i), first[i - 1]) << i;
  const double cottrell = 96484.6 * 1e-6 * std::sqrt(1e-5 / (3.141592654 * 0.03));
  EXPECT_NEAR(first.back() / cottrell, 1, 0.005);
}

TEST_F(Digital, EverySelectableMechanismAndTechniqueGivesAFiniteCurve) {
  for (int mechanism : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) {
    program->experiment.formMech.Click(program->experiment.formMech.mech(mechanism));
    Type(Expr().C(3), mechanism == 17 ? "1e-3" : "0");
    for (int technique = 1; technique <= 5; ++technique) {
      program->experiment.formTech.Click(program->experiment.formTech.optTech(technique));
      host.messages.clear();
      Invoke("mnuSimulate");
      const bool ok =
          std::none_of(host.messages.begin(), host.messages.end(), [](const std::string& m) {
            return m.find("Error:") != std::string::npos && m != "Error: No data!";
          });
      EXPECT_TRUE(ok) << mechanism << "/" << technique << ": " << host.messages[0];
      for (int i = 1; i <= Curves().PointCount; ++i) ASSERT_TRUE(std::isfinite(Total(i)));
    }
  }
}

TEST_F(Digital, InputsThatCannotBeSimulatedEndTheRun) {
  Type(Expr().C(1), "0");
  Invoke("mnuSimulate");  // every initial concentration 0
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(
      host.messages[0],
      "Analytical simulation Error: Division by zero! Please try again by other initial values.");
  Type(Expr().C(1), "1e-3");
  Type(Expr().D(2), "0");
  Invoke("mnuSimulate");
  EXPECT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(Curves().PointCount, 0);
  Type(Expr().D(2), "1e-5");
  Analytical(3);
  program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
  Type(Expr().tp(), "0.0002");  // a pulse of 1/2500 of the drop: runs
  Type(Expr().Estep(), "0.05");
  Type(Expr().V(), "0.1");  // t drop = 0.05 / 0.1 = 0.5 s
  Invoke("mnuSimulate");
  EXPECT_EQ(host.messages.size(), 2u) << host.messages.back();
  program->experiment.formTech.Click(program->experiment.formTech.optTech(4));
  Type(Expr().tp(), "0.00005");  // 4 x 0.5 / 0.00005 = 40000 quarter pulses: past 32767
  Invoke("mnuSimulate");
  EXPECT_EQ(host.messages.back(),
            "Analytical simulation Error: Overflow! Please try again by other initial values.");
}

TEST_F(Digital, AGridBeyondTheStorageIsRefusedInWords) {
  // A following reaction of 1e60 per second has a reaction layer of 3e-33 cm: no grid of 100
  // nodes reaches from there to the bulk.
  program->experiment.formMech.Click(program->experiment.formMech.mech(7));
  program->experiment.formTech.Click(program->experiment.formTech.optTech(2));
  Type(Expr().kf(1), "1e60");
  Invoke("mnuSimulate");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(
      host.messages[0],
      "Analytical simulation Error: The diffusion grid would need more than 100 nodes! Please try "
      "again by other initial values.");
  EXPECT_EQ(Curves().PointCount, 0);
}

}  // namespace
}  // namespace vorex
