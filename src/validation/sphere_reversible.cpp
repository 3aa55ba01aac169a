#include "validation/sphere_reversible.h"

#include <cmath>
#include <complex>

namespace vorex::validation {
namespace {

using Complex = std::complex<double>;

Complex Transform(double dOx, double dRed, double radius, double theta, Complex p) {
  const Complex fOx = std::sqrt(dOx * p) + dOx / radius;
  const Complex fRed = std::sqrt(dRed * p) + dRed / radius;
  return fOx * fRed / (p * (fRed + theta * fOx));
}

}  // namespace

double SphereReversibleFlux(double dOx, double dRed, double radius, double t, double theta) {
  constexpr int kNodes = 32;
  const double pi = std::acos(-1.0);
  const double r = 2.0 * kNodes / (5 * t);
  double sum = 0.5 * std::exp(r * t) * Transform(dOx, dRed, radius, theta, Complex(r)).real();
  for (int k = 1; k < kNodes; ++k) {
    const double phi = k * pi / kNodes;
    const double cot = 1 / std::tan(phi);
    const Complex s = r * phi * Complex(cot, 1);
    const double sigma = phi + (phi * cot - 1) * cot;
    sum += (std::exp(t * s) * Transform(dOx, dRed, radius, theta, s) * Complex(1, sigma)).real();
  }
  return r / kNodes * sum;
}

double SphereHalfWaveTheta(double dOx, double dRed, double radius, double t) {
  const double half = SphereReversibleFlux(dOx, dRed, radius, t, 0) / 2;
  double low = std::log(1e-3), high = std::log(1e3);
  for (int k = 0; k < 80; ++k) {
    const double mid = (low + high) / 2;
    // The flux falls as theta grows.
    (SphereReversibleFlux(dOx, dRed, radius, t, std::exp(mid)) > half ? low : high) = mid;
  }
  return std::exp((low + high) / 2);
}

}  // namespace vorex::validation
