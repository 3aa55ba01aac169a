#include "analysis/cylinder_transient.h"

#include <cmath>

#include "base/constants.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

constexpr double kEulerGamma = 0.57721566490153286;
constexpr double kLn2 = 0.69314718055994531;

// Trapezoid step in x = ln u. The integrand is analytic within about pi/4 of the real axis and
// dies doubly exponentially on the right, so the rule converges like exp(-2 pi (pi/4) / h):
// 0.1 is already at the rounding level, and 0.2 would still give 1e-10.
constexpr double kStep = 0.1;

// Below this the four-term short-time series is good to (25/96) tau^2 relative, 3e-13, while
// the integral would need ever larger u, up to 1/sqrt(tau).
constexpr double kShortTime = 1e-6;

// J0(u)^2 + Y0(u)^2 for u = e^x. Up to u = 12 the ascending series of J0 and Y0 lose at most
// three digits to cancellation; above it the asymptotic series of the modulus, taken up to its
// smallest term, is good to 1e-11, and needs neither Bessel function nor their phase.
double HankelModulusSquared(double u, double x) {
  if (u <= 12) {
    const double s = -u * u / 4;
    double term = 1, j0 = 1, tail = 0, harmonic = 0;
    for (int k = 1; k < 60; ++k) {
      term *= s / (k * k);
      harmonic += 1.0 / k;
      j0 += term;
      tail += harmonic * term;
      if (std::fabs(harmonic * term) < 1e-17 * (1 + std::fabs(tail))) break;
    }
    const double y0 = (2 / kPi) * ((x - kLn2 + kEulerGamma) * j0 - tail);
    return j0 * j0 + y0 * y0;
  }
  const double over = 1 / (8 * u * u);
  double term = 1, sum = 1;
  for (int k = 1; k < 30; ++k) {
    const double odd = 2 * k - 1;
    const double next = -term * odd * odd * odd * over / k;
    if (std::fabs(next) >= std::fabs(term)) break;
    term = next;
    sum += term;
    if (std::fabs(term) < 1e-17) break;
  }
  return 2 / (kPi * u) * sum;
}

}  // namespace

double CylinderCurrentFactor(double tau) {
  if (!(tau > 0) || !std::isfinite(tau)) throw RuntimeFault(kInvalidCall);
  if (tau < kShortTime) {
    return 1 / std::sqrt(kPi * tau) + 0.5 - 0.25 * std::sqrt(tau / kPi) + tau / 8;
  }
  // With u = e^x the integrand is exp(-tau e^2x) / (J0^2 + Y0^2). Left of x0, where u is below
  // 1e-8 and tau u^2 below 1e-12, J0 = 1, Y0 = (2/pi)(x - ln 2 + gamma) and the exponential is
  // 1, so that part is an arctangent; right of x1 the exponential is below e^-60.
  const double x0 = std::fmin(-20.0, 0.5 * std::log(1e-12 / tau));
  const double x1 = 0.5 * std::log(60 / tau);
  const int steps = static_cast<int>(std::ceil((x1 - x0) / kStep));
  const auto integrand = [tau](double x) {
    const double u = std::exp(x);
    return std::exp(-tau * u * u) / HankelModulusSquared(u, x);
  };
  double sum = 0.5 * integrand(x0);
  for (int i = 1; i <= steps; ++i) sum += integrand(x0 + i * kStep);
  // The integrand has not vanished at x0 but is 1 / (1 + w^2) there, w = (2/pi)(x - ln 2 +
  // gamma); its Euler-Maclaurin end correction h^2/12 g'(x0) brings the cut to the rounding
  // level.
  const double w0 = (2 / kPi) * (x0 - kLn2 + kEulerGamma);
  const double slope = -2 * w0 * (2 / kPi) / ((1 + w0 * w0) * (1 + w0 * w0));
  const double body = kStep * sum + kStep * kStep / 12 * slope;
  // (4/pi^2) Int_-inf^x0 dx / (1 + w^2) = (2/pi)(atan w0 + pi/2), as atan2 to keep its digits
  // when w0 is large and negative.
  return (2 / kPi) * std::atan2(1.0, -w0) + 4 / (kPi * kPi) * body;
}

}  // namespace vorex
