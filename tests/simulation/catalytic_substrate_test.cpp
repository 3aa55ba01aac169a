// Mechanism 16, B + C = A + D with C in large excess, against mechanism 9 at the same
// pseudo-first-order rate and against the closed form of the catalytic step.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/theoretical_peaks.h"
#include "experiment/capture.h"
#include "support/started_program.h"

namespace vorex {
namespace {

// Delahay and Stiehl (1952), the catalytic current of a potential step at a plane:
//   I = nFAC sqrt(D k) [erf sqrt(k t) + exp(-k t) / sqrt(pi k t)];
// 10 uM of A (1e-8 mol/cm3), D 1e-5 cm2/s, n = 1.
double CatalyticStep(double k, double t, double area) {
  const double x = k * t;
  return 96484.6 * area * 1e-8 * std::sqrt(1e-5 * k) *
         (std::erf(std::sqrt(x)) + std::exp(-x) / std::sqrt(M_PI * x));
}

class CatalyticSubstrate : public testing::StartedProgram {
 protected:
  // DC voltammetry in the digital mode, td 1 s, from A alone at 10 uM.
  void SetUp() override {
    AnalyticalConcentrations();
    Type(Expr().C(1), "1e-5");
    Analytical(2);
    FormTech& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), true);
    Type(Expr().V(), "0.005");
  }
  // The plateau at -0.3 V (0.4 V beyond E0) of mechanism 9 or 16 at kf k, kb 0; mechanism 16
  // with C at 1 M, the largest concentration, so that kf = k Cmax is k' = k C(C). Each A turns
  // over some sqrt(k t) times in the reaction layer, so C stays in excess only while C(C)/C(A)
  // is far above sqrt(k t): 1e5 here against 32 at most, C falling by some 0.05 %.
  double Plateau(int mechanism, double k) {
    program->experiment.formMech.Click(program->experiment.formMech.mech(mechanism));
    Type(Expr().kf(1), std::to_string(k));
    Type(Expr().kb(1), "0");
    if (mechanism == 16) Type(Expr().C(3), "1");
    EXPECT_TRUE(Invoke("mnuSimulate"));
    return Total(Curves().PointCount);
  }
  double Area() const { return program->experiment.parameterSet.Area; }
};

TEST_F(CatalyticSubstrate, PlateauIsThatOfMechanism9AtTheSameRate) {
  // kt from 10 to 1000. The reaction ran twice over in mechanism 16 (its linearised terms carried
  // the whole Jacobian without its constant part): sqrt(2) times this plateau in a sweep, and
  // worse in these extrapolated steps.
  for (double k : {10.0, 100.0, 1000.0}) {
    const double first = Plateau(9, k);
    const double second = Plateau(16, k);
    EXPECT_NEAR(second / first, 1, 1e-3) << k;
    EXPECT_NEAR(first / CatalyticStep(k, 1, Area()), 1, 0.01) << k;
    EXPECT_NEAR(second / CatalyticStep(k, 1, Area()), 1, 0.01) << k;
  }
}

TEST_F(CatalyticSubstrate, TheoreticalPlateauTakesKfAsKTimesCmax) {
  // Savéant and Vianello's plateau nFAC sqrt(D k') with k' = kf C(C) / Cmax.
  Plateau(16, 100);
  Type(Expr().C(3), "0.5");
  Type(Expr().C(4), "1");  // D is now the largest: k' = 100 x 0.5 / 1 = 50 /s
  ASSERT_TRUE(CaptureParameters(program->experiment));
  const TheoreticalValues v = TheoreticalPeakValues(program->experiment.parameterSet, 1);
  ASSERT_TRUE(v.Irev);
  EXPECT_NEAR(*v.Irev / (96.4846 * 1e-5 * Area() * std::sqrt(1e-5 * 50)), 1, 1e-9);
}

}  // namespace
}  // namespace vorex
