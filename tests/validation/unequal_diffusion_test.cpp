// The exact reversible step at a sphere with unequal D (the Laplace transform inverted on
// Talbot's contour) against its own limits, and the analytical mode's current against it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "simulation/analytical_currents.h"
#include "validation/sphere_reversible.h"

namespace vorex::validation {
namespace {

constexpr double kPiHere = 3.14159265358979323846;

TEST(SphereTransform, EqualDiffusionIsTheClosedForm) {
  // Equal D: the surface values are constant, and the flux is D (1/sqrt(pi D t) + 1/a) / (1 +
  // theta) (Bard and Faulkner 2001, 5.2.2, with the Nernst fraction).
  const double d = 1e-5, a = 5e-4;
  for (double t : {1e-3, 0.1, 10.0, 1e3}) {
    for (double theta : {0.0, 0.5, 3.0}) {
      const double exact = d * (1 / std::sqrt(kPiHere * d * t) + 1 / a) / (1 + theta);
      EXPECT_NEAR(SphereReversibleFlux(d, d, a, t, theta) / exact, 1, 1e-8) << t << " " << theta;
    }
  }
}

TEST(SphereTransform, HalfWaveGoesFromThePlanarToTheSteadyShift) {
  // Planar: theta(1/2) = sqrt(D_B/D_A); steady state: D_B/D_A. At D t / a^2 = 1e-8 the radial
  // flux is 1e-4 of the planar one; at 1e6, the planar flux 6e-4 of the radial one.
  const double d = 1e-5, a = 5e-4;
  for (double ratio : {4.0, 0.25}) {
    const double shortTime = 1e-8 * a * a / d, longTime = 1e6 * a * a / d;
    EXPECT_NEAR(SphereHalfWaveTheta(d, ratio * d, a, shortTime) / std::sqrt(ratio), 1, 2e-4);
    EXPECT_NEAR(SphereHalfWaveTheta(d, ratio * d, a, longTime) / ratio, 1, 2e-3);
  }
}

TEST(UnequalDiffusion, AnalyticalSphereCurrentHoldsItsStatedAccuracy) {
  // The analytical mode weights each form's transport by its own flux f_s(t); the exact current
  // lies within 0.31 % of the limiting current of it at D_B/D_A = 4 and 1/4 (see
  // analytical_currents.h). ks 1e8 cm/s makes the couple reversible at every time here.
  const double dA = 1e-5, a = 5e-4, f = 96484.6 / 8.31441 / 298.14;
  const CurrentContext context{f, a, 0, 0};
  for (double ratio : {4.0, 0.25}) {
    vorex::Couple k;
    k.ks = 1e8;
    k.alpha = 0.5;
    k.n = 1;
    k.e0 = 0;
    k.cOx = 1;
    k.dOx = std::sqrt(dA);
    k.dRed = std::sqrt(ratio * dA);
    double worst = 0;
    for (double tau : {0.01, 0.1, 0.3, 1.0, 3.0, 10.0, 100.0, 4000.0}) {
      const double t = tau * a * a / dA;
      const double limit = SphereReversibleFlux(dA, ratio * dA, a, t, 0);
      for (double theta : {0.1, 0.3, 1.0, 2.0, 4.0, 10.0}) {
        const double e = std::log(theta) / f;
        const double exact = SphereReversibleFlux(dA, ratio * dA, a, t, theta);
        worst = std::max(worst, std::fabs(StepCurrentSpherical(context, k, e, t) - exact) / limit);
      }
    }
    EXPECT_LT(worst, 3.2e-3) << ratio;
  }
}

}  // namespace
}  // namespace vorex::validation
