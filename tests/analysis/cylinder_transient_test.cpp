#include "analysis/cylinder_transient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/constants.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

// Pi is the program's ten digits throughout, as in the function; it moves f by 1e-10.
constexpr double kGamma = 0.57721566490153286;

TEST(CylinderTransient, ShortTimesFollowThePlaneWithItsCurvatureTerms) {
  // The Laplace-domain current K1(q) / (q K0(q)), q = sqrt(s), expands from the Hankel series
  // as 1/q + 1/(2q^2) - 1/(8q^3) + 1/(8q^4) - 25/(128q^5) + 13/(32q^6) - ...; inverted term by
  // term the first five give the series below; twice the sixth, (13/64) tau^2, bounds the rest.
  for (double tau : {1e-4, 1e-3, 1e-2}) {
    const double series = 1 / std::sqrt(kPi * tau) + 0.5 - 0.25 * std::sqrt(tau / kPi) + tau / 8 -
                          25.0 / 96 * std::sqrt(tau * tau * tau / kPi);
    EXPECT_NEAR(CylinderCurrentFactor(tau), series, 2 * 13.0 / 64 * tau * tau) << tau;
  }
}

TEST(CylinderTransient, LongTimesFollowTheLogarithmicAsymptote) {
  // At small s the current is 2 / (s (ln(1/s) + ln 4 - 2 gamma)); writing 1/(ln(1/s) + A) as
  // Int_0^inf s^v e^(-vA) dv and inverting s^(v-1) into t^-v / Gamma(1 - v) gives, with
  // 1/Gamma(1 - v) = 1 - gamma v + (gamma^2/2 - pi^2/12) v^2 + 0.042 v^3 + 0.167 v^4 ...,
  //   f = 2/L - 2 gamma/L^2 + (2 gamma^2 - pi^2/3)/L^3 + 0.50/L^4 + 8.0/L^5 ...
  // L = ln(4 tau) - 2 gamma. At tau = 1e6 (L = 14.05) the two-term form is 0.7 % high; the
  // third term takes it to within the next two, 2.8e-5.
  const double tau = 1e6, L = std::log(4 * tau) - 2 * kGamma;
  const double asymptote =
      2 / L - 2 * kGamma / (L * L) + (2 * kGamma * kGamma - kPi * kPi / 3) / (L * L * L);
  EXPECT_NEAR(CylinderCurrentFactor(tau), asymptote, 4e-5);
}

TEST(CylinderTransient, AgreesWithTheIntegralOverTheLibraryBesselFunctions) {
  // Jaeger's integral by a fine midpoint rule in ln u on the library's J0 and Y0, below
  // u = e^-30 by its small-argument form (2/pi)(atan w + pi/2), w = (2/pi)(ln(u/2) + gamma).
  for (double tau : {0.1, 1.0, 10.0}) {
    const double h = 0.02, x0 = -30, x1 = 0.5 * std::log(60 / tau);
    double sum = 0;
    for (double x = x0; x < x1; x += h) {
      const double u = std::exp(x + h / 2);  // midpoints
      const double j = std::cyl_bessel_j(0.0, u), y = std::cyl_neumann(0.0, u);
      sum += std::exp(-tau * u * u) / (j * j + y * y);
    }
    const double w0 = 2 / kPi * (x0 - std::log(2.0) + kGamma);
    const double exact = 2 / kPi * (std::atan(w0) + kPi / 2) + 4 / (kPi * kPi) * h * sum;
    EXPECT_NEAR(CylinderCurrentFactor(tau) / exact, 1.0, 1e-8) << tau;
  }
}

TEST(CylinderTransient, OnlyPositiveFiniteTimes) {
  for (double tau : {0.0, -1.0, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(CylinderCurrentFactor(tau), RuntimeFault) << tau;
  }
}

}  // namespace
}  // namespace vorex
