// The differential pulse of a reversible couple at a plane, in both modes, against the current of
// a pulse that lasts t pulse, and Theoretical Peak against the simulated peak.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/theoretical_peaks.h"
#include "experiment/capture.h"
#include "support/started_program.h"

namespace vorex {
namespace {

constexpr double kF = 96484.6 / 8.31441 / 298.14;

// The exact current of one point, derived here: the surface follows Nernst, so with equal D the
// reduced fraction of the surface is theta(E) = 1 / (1 + exp(f (E - E0))) and the problem is
// linear in it. A fresh drop held at E from t = 0 and pulsed to E + dE at td - tp is the sum of
// two Cottrell responses, theta(E) from 0 and theta(E + dE) - theta(E) from td - tp:
//   I(t) = nFAC sqrt(D/pi) [theta1 / sqrt(t) + (theta2 - theta1) / sqrt(t - td + tp)],
// and the point is I(td) - I(td - tp), the second term not yet begun at the first sample.
double ExactPoint(double e, double dE, double td, double tp, double area) {
  const auto theta = [](double x) { return 1 / (1 + std::exp(kF * (x - 0.1))); };
  const double t1 = theta(e), t2 = theta(e + dE);
  const double scale = 96484.6 * area * 1e-6 * std::sqrt(1e-5 / M_PI);
  return scale * (t1 / std::sqrt(td) + (t2 - t1) / std::sqrt(tp) - t1 / std::sqrt(td - tp));
}

class DifferentialPulse : public testing::StartedProgram {
 protected:
  // Mechanism 1 from A alone at 1 mM, E0 0.1 V, D 1e-5 cm2/s, td = 5 mV / v.
  void SetUp() override {
    AnalyticalConcentrations();
    Analytical(4);
  }
  void Run(bool digital, double v) {
    FormTech& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), digital);
    Type(Expr().V(), std::to_string(v));
    ASSERT_TRUE(Invoke("mnuSimulate"));
  }
  int Points() const { return program->curves.PointCount; }
  double Area() const { return program->experiment.parameterSet.Area; }
  double Largest() {
    double top = 0;
    for (int i = 1; i <= Points(); ++i) top = std::max(top, Total(i));
    return top;
  }
};

TEST_F(DifferentialPulse, BothModesGiveThePulseOfTPulse) {
  // td 0.5 s, tp 0.05 s, E pulse -50 mV. A pulse of 1.25 tp would lower the peak by 11 %.
  for (bool digital : {false, true}) {
    Run(digital, 0.01);
    ASSERT_EQ(Points(), 121);
    const double top = Largest();
    // The analytical mode superposes step currents with ks 1e4 cm/s: exact but for a kinetic
    // term of order sqrt(D/t)/ks = 1e-6; the digital mode's pulse peaks hold within 0.4 %.
    const double tolerance = digital ? 5e-3 : 1e-4;
    for (int i = 1; i <= Points(); ++i) {
      const double e = Curves().Abscissa(i);
      EXPECT_NEAR(Total(i), ExactPoint(e, -0.05, 0.5, 0.05, Area()), tolerance * top)
          << (digital ? "digital " : "analytical ") << e;
    }
  }
}

TEST_F(DifferentialPulse, TheoreticalPeakIsTheSimulatedPeak) {
  // Parry and Osteryoung's peak assumes the base current does not change between the two samples;
  // with td = 1 s the base's own decay over the last tp lowers the exact peak by 0.35 % (from
  // ExactPoint's third term at theta1 = 0.27), the 5 mV staircase by less than 0.01 %.
  for (bool digital : {false, true}) {
    Run(digital, 0.005);
    ASSERT_TRUE(CaptureParameters(program->experiment));
    const TheoreticalValues v = TheoreticalPeakValues(program->experiment.parameterSet, 1);
    ASSERT_TRUE(v.Irev);
    EXPECT_NEAR(Largest() / *v.Irev, 1, 0.01) << (digital ? "digital" : "analytical");
  }
}

}  // namespace
}  // namespace vorex
