#include "validation/cylinder_current.h"

#include <cmath>

#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

// With u = e^x the integral becomes (4/pi^2) Int exp(-tau e^2x) / (J0^2 + Y0^2) dx, smooth on
// the whole line. Below x0 the small-argument forms J0 = 1, Y0 = (2/pi)(ln(u/2) + gamma) are
// exact to far below the quadrature's error, and exp(-tau u^2) = 1, so that part is the
// closed form (2/pi)(atan(w0) + pi/2) with w0 = (2/pi)(x0 - ln 2 + gamma).
constexpr double kX0 = -40;

double Integrand(double x, double tau) {
  const double u = std::exp(x);
  const double j0 = std::cyl_bessel_j(0.0, u);
  const double y0 = std::cyl_neumann(0.0, u);
  return std::exp(-tau * u * u) / (j0 * j0 + y0 * y0);
}

double SmallArgumentPart() {
  const double w0 = 2 / kPi * (kX0 - std::log(2.0) + kEuler);
  return 2 / kPi * (std::atan(w0) + kPi / 2);
}

// Composite Simpson from x0 to where exp(-tau u^2) < 1e-30.
double QuadraturePart(double tau) {
  const double x1 = 0.5 * std::log(70 / tau);
  const int steps = 2 * static_cast<int>(std::ceil((x1 - kX0) / 0.004 / 2));
  const double h = (x1 - kX0) / steps;
  double sum = Integrand(kX0, tau) + Integrand(x1, tau);
  for (int i = 1; i < steps; ++i) sum += (i % 2 == 1 ? 4 : 2) * Integrand(kX0 + i * h, tau);
  return 4 / (kPi * kPi) * sum * h / 3;
}

}  // namespace

double CylinderFactor(double tau) {
  return SmallArgumentPart() + QuadraturePart(tau);
}

double CylinderFactorShortTime(double tau) {
  return 1 / std::sqrt(kPi * tau) + 0.5 - 0.25 * std::sqrt(tau / kPi) + tau / 8;
}

double CylinderFactorLongTime(double tau) {
  const double l = std::log(4 * tau) - 2 * kEuler;
  return 2 / l - 2 * kEuler / (l * l);
}

}  // namespace vorex::validation
