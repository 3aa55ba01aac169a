// The closed forms away from 25 degrees C, n = 1 and alpha = 0.5, against hand calculations
// (F 96484.6 C/mol, R 8.31441 J/(mol K), 0 degrees C = 273.14 K) and against their own limits.
#include <gtest/gtest.h>

#include <cmath>

#include "validation/closed_forms.h"
#include "validation/figures_of_merit.h"
#include "validation/ohmic_reference.h"
#include "validation/program_constants.h"
#include "validation/pulse_superposition.h"

namespace vorex::validation {
namespace {

TEST(AwayClosedForms, TemperatureAndElectronNumber) {
  // 0.4463 * 2F * 1e-6 * sqrt(2 * F/(R 333.14 K) * 0.1 V/s * 1e-5 cm2/s), by hand.
  EXPECT_NEAR(RandlesSevcikPeak(2, 1, kC, kD, 0.1, FrtAt(60)), 7.18836e-4, 0.00001e-4);
  // -1.109 RT/3F at 278.14 K = -8.8603 mV.
  EXPECT_NEAR(ReversiblePeakOffset(3, FrtAt(5)), -8.8603e-3, 1e-7);
  // (RT/2F) ln sqrt(48) at 333.14 K = 27.783 mV.
  EXPECT_NEAR(ReversibleHalfWave(0, 2, 5e-7, 2.4e-5, FrtAt(60)), 27.783e-3, 1e-6);
}

TEST(AwayClosedForms, IrreversibleSweepAtOtherAlpha) {
  // b = 0.3 F v/RT = 1.1677 /s; E0 - (RT/0.3F)(0.780 + ln(sqrt(1e-5 b)/1e-6)) = -0.66361 V.
  EXPECT_NEAR(IrreversiblePeakPotential(kE0, 0.3, kD, 1e-6, 0.1), -0.66361, 1e-5);
  // 0.4958 F 1e-6 sqrt(0.7 F/(R 333.14 K) 0.1 1e-5) = 2.36218e-4 A.
  EXPECT_NEAR(IrreversiblePeak(0.7, 1, kC, kD, 0.1, FrtAt(60)), 2.36218e-4, 0.00001e-4);
}

TEST(AwayClosedForms, ScaledErfcOnBothSidesOfItsSwitch) {
  // exp(x^2) erfc(x), computed directly in double where it does not overflow.
  EXPECT_NEAR(ScaledErfc(0), 1, 1e-15);
  EXPECT_NEAR(ScaledErfc(1), 0.427583576155807, 1e-14);
  EXPECT_NEAR(ScaledErfc(9.999) / (std::exp(9.999 * 9.999) * std::erfc(9.999)), 1, 1e-7);
  EXPECT_NEAR(ScaledErfc(20), 0.02817434874105132, 1e-10);
  // Far out it is 1/(x sqrt pi).
  EXPECT_NEAR(ScaledErfc(1e6) * 1e6 * std::sqrt(kPi), 1, 1e-12);
}

TEST(AwayClosedForms, KineticDcWaveMeetsBothLimits) {
  // Fast: the reversible half-wave (Heyrovsky & Ilkovic) at n = 2 and unequal D.
  StepKinetics fast;
  fast.n = 2;
  fast.ks = 1e4;
  fast.dRed = 4 * kD;
  fast.frt = FrtAt(60);
  EXPECT_NEAR(KineticDcHalfWave(fast, kE0, 1), ReversibleHalfWave(kE0, 2, kD, 4 * kD, FrtAt(60)),
              1e-6);
  // Slow: Delahay's irreversible wave, where the back reaction no longer counts.
  for (double alpha : {0.3, 0.7}) {
    StepKinetics slow;
    slow.ks = 1e-7;
    slow.alpha = alpha;
    EXPECT_NEAR(KineticDcHalfWave(slow, kE0, 1), IrreversibleDcHalfWave(kE0, alpha, kD, 1e-7, 1),
                1e-6)
        << alpha;
  }
  // Far beyond E0 the step is Cottrell's.
  StepKinetics k;
  k.alpha = 0.3;
  EXPECT_NEAR(KineticStep(k, 1, kC, -1.5, 1) / Cottrell(1, 1, kC, kD, 1), 1, 1e-6);
}

TEST(AwayClosedForms, KineticStepAgreesWithTheVolterraSolver) {
  // pulse_superposition.h solves the same step by product integration, at 25 degrees C.
  Couple couple;
  couple.n = 2;
  couple.dRed = 2.4e-5;
  for (double alpha : {0.3, 0.7}) {
    StepKinetics k;
    k.n = 2;
    k.ks = 1e-3;
    k.alpha = alpha;
    k.dRed = 2.4e-5;
    for (double e : {0.14, 0.1, 0.06}) {
      const double solved = KineticStaircase(couple, {1e-3, alpha}, {e}, {1.0}, 96)[0];
      EXPECT_NEAR(KineticStep(k, 1, kC, e - couple.e0, 1) / solved, 1, 1e-4) << alpha << e;
    }
  }
}

TEST(AwayClosedForms, OhmicReferenceCarriesElectronsAndTemperature) {
  // Without resistance it is the reversible sweep of n = 2 at 60 degrees C.
  OhmicCycle cyc;
  cyc.n = 2;
  cyc.frt = FrtAt(60);
  const Curve c = OhmicCycleCurve(cyc, 2e-4);
  const Peak peak = ParabolicPeak(c, 0, c.pointsPerSweep, 1);
  EXPECT_NEAR(peak.current / RandlesSevcikPeak(2, 1, kC, kD, cyc.v, FrtAt(60)), 1, 2e-4);
  EXPECT_NEAR(peak.potential, ReversiblePeakOffset(2, FrtAt(60)), 5e-5);
  // In units of RT/nF and of time RT/nFv the drop enters only as n^2 F^2 A C sqrt(pi D nFv/RT)
  // Ru / RT (Nicholson & Shain 1964): n = 2 at half the rate, with the potentials halved, is
  // n = 1 at four times the resistance, with its separation halved.
  OhmicCycle one, two;
  two.n = 2;
  two.ru = 50;
  two.eStart = one.eStart / 2;
  two.eSwitch = one.eSwitch / 2;
  two.v = one.v / 2;
  one.ru = 4 * two.ru;
  EXPECT_NEAR(OhmicCycleSeparation(two), OhmicCycleSeparation(one) / 2, 2e-5);
}

}  // namespace
}  // namespace vorex::validation
