#include "simulation/analytical_currents.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

constexpr double kF = 96484.6 / 8.31441 / 298.14;

CurrentContext Context() {
  return {kF, 0.01, 100 * 3.141592654 / 30, 0.01};
}

Couple Reversible(double cOx, double cRed) {
  Couple k;
  k.ks = 1;
  k.alpha = 0.5;
  k.n = 1;
  k.e0 = 0.1;
  k.cOx = cOx;
  k.cRed = cRed;
  k.dOx = k.dRed = std::sqrt(1e-5);
  return k;
}

TEST(AnalyticalCurrents, NoNetCurrentAtTheFormalPotentialWithEqualConcentrations) {
  const Couple k = Reversible(1e-3, 1e-3);
  EXPECT_EQ(StepCurrentPlanar(Context(), k, 0.1, 0.5), 0.0);
  EXPECT_EQ(StepCurrentSpherical(Context(), k, 0.1, 0.5), 0.0);
}

TEST(AnalyticalCurrents, FarOnTheReductionSideTheStepCurrentIsDiffusionLimited) {
  // Cottrell: n COx sqrt(D) / sqrt(pi t), whatever ks.
  for (double ks : {1e-2, 1.0, 1e4}) {
    Couple k = Reversible(1e-3, 0);
    k.ks = ks;
    const double t = 0.5;
    const double cottrell = 1e-3 * std::sqrt(1e-5) / std::sqrt(M_PI * t);
    EXPECT_NEAR(StepCurrentPlanar(Context(), k, 0.1 - 1.0, t) / cottrell, 1.0, 1e-6) << ks;
  }
}

TEST(AnalyticalCurrents, SphericalStepCurrentReachesItsSteadyState) {
  // Diffusion-limited at a sphere: the steady state n COx D / r, the Cottrell term decaying.
  const Couple k = Reversible(1e-3, 0);
  const CurrentContext c = Context();
  const double steady = 1e-3 * std::sqrt(1e-5) * std::sqrt(1e-5) / c.radius;
  // At every time the diffusion-limited current is the Cottrell term plus the steady state.
  for (double t : {0.01, 1.0, 1e6}) {
    const double expected = 1e-3 * std::sqrt(1e-5) / std::sqrt(M_PI * t) + steady;
    EXPECT_NEAR(StepCurrentSpherical(c, k, -0.9, t) / expected, 1.0, 1e-6) << t;
  }
}

TEST(AnalyticalCurrents, RotatingDiskReachesTheLevichLimit) {
  Couple k = Reversible(1e-3, 0);
  k.dOx = k.dRed = 1e-5;  // the rotating disk takes D itself
  const CurrentContext c = Context();
  const double levich = 1e-3 * 0.62 * std::pow(1e-5, 2.0 / 3.0) * std::pow(0.01, -1.0 / 6.0) *
                        std::sqrt(c.rotationRate);
  EXPECT_NEAR(RotatingDiskCurrent(c, k, -0.9) / levich, 1.0, 1e-6);
}

TEST(AnalyticalCurrents, ReversibleStepCurrentFollowsNernst) {
  // Fast kinetics: COx at the surface is c / (1 + theta) with theta = exp(-f (E - E0)), so the
  // planar step current is Cottrell times 1 / (1 + exp(f (E - E0))).
  Couple k = Reversible(1e-3, 0);
  k.ks = 1e4;
  const double t = 0.5, e = 0.12;
  const double expected =
      1e-3 * std::sqrt(1e-5) / std::sqrt(M_PI * t) / (1 + std::exp(kF * (e - 0.1)));
  EXPECT_NEAR(StepCurrentPlanar(Context(), k, e, t) / expected, 1.0, 1e-4);
}

// The potential at which the step current is half its limit (taken 1 V on the reduction side),
// by bisection, less E0.
template <class Current>
double HalfWaveShift(const Couple& k, Current current) {
  const double half = current(k.e0 - 1) / 2;
  double low = k.e0 - 0.3, high = k.e0 + 0.3;
  for (int i = 0; i < 100; ++i) {
    const double mid = (low + high) / 2;
    (current(mid) > half ? low : high) = mid;  // the current falls as E rises
  }
  return (low + high) / 2 - k.e0;
}

TEST(AnalyticalCurrents, ReversibleWaveAtASphereWithUnequalDiffusion) {
  // Where the planar flux rules, E1/2 - E0 = (RT/nF) ln sqrt(D_B/D_A) (Bard and Faulkner 5.4);
  // where the steady radial flux does, (RT/nF) ln(D_B/D_A) (the fluxes D_s C_s / r balance). At
  // r = 0.01 cm, t = 1e-6 s the radial term is 6e-4 of the planar one; at 1e8 s the planar term
  // 2e-4 of the radial one. ks 1e8 cm/s keeps the couple reversible at 1e-6 s.
  Couple k = Reversible(1e-3, 0);
  k.ks = 1e8;
  const CurrentContext c = Context();
  for (double ratio : {4.0, 0.25}) {
    k.dRed = std::sqrt(ratio * 1e-5);
    const auto at = [&](double t) {
      return [&, t](double e) { return StepCurrentSpherical(c, k, e, t); };
    };
    EXPECT_NEAR(HalfWaveShift(k, at(1e-6)), std::log(std::sqrt(ratio)) / kF, 5e-5) << ratio;
    EXPECT_NEAR(HalfWaveShift(k, at(1e8)), std::log(ratio) / kF, 1e-5) << ratio;
  }
}

TEST(AnalyticalCurrents, ReversibleWaveAtAMicrodiscWithUnequalDiffusion) {
  // At steady state D_A C_A + D_B C_B is harmonic and constant about an inlaid disc, so the wave
  // lies at (RT/nF) ln(D_B/D_A) as at a sphere. r = 5e-4 cm, t = 1e8 s: 4 D t / r^2 = 1.6e10.
  Couple k = Reversible(1e-3, 0);
  k.ks = 1e8;
  const CurrentContext c = Context();
  for (double ratio : {0.25, 4.0}) {
    k.dRed = std::sqrt(ratio * 1e-5);
    const double t = 1e8;
    const RadialTerms g = RadialTermsOf(ElectrodeShape::Disc, k.dOx, k.dRed, 5e-4, t);
    const auto current = [&](double e) { return StepCurrentRadial(k, e, t, g, c); };
    EXPECT_NEAR(HalfWaveShift(k, current), std::log(ratio) / kF, 1e-5) << ratio;
  }
}

TEST(AnalyticalCurrents, ArithmeticFailuresAreFaults) {
  Couple k = Reversible(1e-3, 0);
  EXPECT_THROW(StepCurrentPlanar(Context(), k, 0.1 - 100, 0.5), RuntimeFault);  // exp overflow
  EXPECT_THROW(StepCurrentPlanar(Context(), k, 0.1, -1), RuntimeFault);  // root of a negative time
  k.dOx = 0;
  EXPECT_THROW(StepCurrentPlanar(Context(), k, 0.1, 0.5), RuntimeFault);  // zero diffusion term
}

}  // namespace
}  // namespace vorex
