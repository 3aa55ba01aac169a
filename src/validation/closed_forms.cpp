#include "validation/closed_forms.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "validation/program_constants.h"

namespace vorex::validation {

double RandlesSevcikPeak(double n, double area, double c, double d, double v, double frt) {
  return 0.4463 * n * kF * area * c * std::sqrt(n * frt * v * d);
}

double ReversiblePeakOffset(double n, double frt) {
  return -1.109 / (n * frt);
}

double ReversibleHalfWave(double e0, double n, double dOx, double dRed, double frt) {
  return e0 + std::log(std::sqrt(dRed / dOx)) / (n * frt);
}

double IrreversiblePeak(double alpha, double area, double c, double d, double v, double frt) {
  return 0.4958 * kF * area * c * std::sqrt(alpha * frt * v * d);
}

double IrreversiblePeakPotential(double e0, double alpha, double d, double ks, double v,
                                 double frt) {
  return e0 - (0.780 + std::log(std::sqrt(d) / ks) + std::log(std::sqrt(alpha * frt * v))) /
                  (alpha * frt);
}

double IrreversibleDcHalfWaveLambda() {
  const auto fraction = [](double x) {
    return std::sqrt(kPi) * x * std::exp(x * x) * std::erfc(x);
  };
  double low = 0, high = 2;  // the fraction rises from 0 towards 1
  for (int k = 0; k < 60; ++k) (fraction((low + high) / 2) < 0.5 ? low : high) = (low + high) / 2;
  return (low + high) / 2;
}

double IrreversibleDcHalfWave(double e0, double alpha, double d, double ks, double td) {
  return e0 + kRtf / alpha * std::log(ks * std::sqrt(td / d) / IrreversibleDcHalfWaveLambda());
}

double ScaledErfc(double x) {
  // Below 10 erfc does not underflow nor exp(x^2) overflow; above, the asymptotic series to
  // x^-8 is within 1e-7.
  if (x < 10) return std::exp(x * x) * std::erfc(x);
  const double y = 1 / (2 * x * x);
  return (1 - y * (1 - 3 * y * (1 - 5 * y))) / (x * std::sqrt(kPi));
}

double KineticStep(const StepKinetics& k, double area, double c, double eta, double t) {
  const double nf = k.n * k.frt;
  const double kf = k.ks * std::exp(-k.alpha * nf * eta);
  const double kb = k.ks * std::exp((1 - k.alpha) * nf * eta);
  const double h = kf / std::sqrt(k.dOx) + kb / std::sqrt(k.dRed);
  return k.n * kF * area * c * kf * ScaledErfc(h * std::sqrt(t));
}

double KineticDcHalfWave(const StepKinetics& k, double e0, double td) {
  const double half = Cottrell(k.n, 1, 1, k.dOx, td) / 2;
  // The current falls as eta rises; 2 V either side holds any wave the cases make.
  double low = -2, high = 2;
  for (int i = 0; i < 80; ++i) {
    const double mid = (low + high) / 2;
    (KineticStep(k, 1, 1, mid, td) > half ? low : high) = mid;
  }
  return e0 + (low + high) / 2;
}

double Cottrell(double n, double area, double c, double d, double t) {
  return n * kF * area * c * std::sqrt(d / (kPi * t));
}

double SphereStep(double n, double area, double c, double d, double r, double t) {
  return n * kF * area * d * c * (1 / std::sqrt(kPi * d * t) + 1 / r);
}

double SaitoSteadyState(double n, double c, double d, double r) {
  return 4 * n * kF * d * c * r;
}

double ShoupSzaboFactor(double tau) {
  const double s = 1 / std::sqrt(tau);
  return 0.7854 + 0.8862 * s + 0.2146 * std::exp(-0.7823 * s);
}

double ShoupSzabo(double n, double c, double d, double r, double t) {
  return SaitoSteadyState(n, c, d, r) * ShoupSzaboFactor(4 * d * t / (r * r));
}

double DiscStepSeries(double tau) {
  const double pi = 3.14159265358979323846;
  if (tau <= 1) return std::sqrt(pi) / 2 / std::sqrt(tau) + pi / 4 + 0.094 * std::sqrt(tau);
  const double s = 1 / std::sqrt(tau);
  return 1 + 0.71835 * s + 0.05626 * s * s * s - 0.00646 * s * s * s * s * s;
}

double DialogDiscArea(double r) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2e", kPi * r * r);
  return std::strtod(text, nullptr);
}

double Levich(double n, double area, double c, double d, double omega, double nu) {
  return 0.620 * n * kF * area * std::pow(d, 2.0 / 3.0) * std::sqrt(omega) *
         std::pow(nu, -1.0 / 6.0) * c;
}

double ThinLayerPeak(double n, double volume, double c, double v) {
  return n * n * kF * kFrt * v * volume * c / 4;
}

double CatalyticStep(double n, double area, double c, double d, double k, double t) {
  const double kt = k * t;
  return CatalyticPlateau(n, area, c, d, k) *
         (std::erf(std::sqrt(kt)) + std::exp(-kt) / std::sqrt(kPi * kt));
}

double CatalyticPlateau(double n, double area, double c, double d, double k) {
  return n * kF * area * c * std::sqrt(d * k);
}

double FollowingReactionPeakOffset(double n, double k, double v) {
  const double lambda = k * kRtf / (n * v);
  return -kRtf / n * (0.780 - std::log(std::sqrt(lambda)));
}

}  // namespace vorex::validation
