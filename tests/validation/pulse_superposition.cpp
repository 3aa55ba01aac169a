#include "pulse_superposition.h"

#include <cmath>
#include <cstddef>

#include "program_constants.h"

namespace vorex::validation {
namespace {

double Scale(const Couple& k) {
  return k.n * kF * k.area * k.c * std::sqrt(k.dOx / kPi);
}

// Current at time t after steps of theta at the given times (theta[i] from time starts[i]).
double Superposed(const Couple& k, const std::vector<double>& theta,
                  const std::vector<double>& starts, double t) {
  double sum = 0, before = 0;
  for (std::size_t i = 0; i < theta.size() && starts[i] < t; ++i) {
    sum += (theta[i] - before) / std::sqrt(t - starts[i]);
    before = theta[i];
  }
  return Scale(k) * sum;
}

}  // namespace

double NernstFraction(const Couple& k, double e) {
  const double xi = std::sqrt(k.dOx / k.dRed);
  return 1 / (1 + xi * std::exp(k.n * kFrt * (e - k.e0)));
}

std::vector<double> StaircaseCurrents(const Couple& k, const std::vector<double>& e, double dt) {
  std::vector<double> theta, starts, out;
  for (std::size_t i = 0; i < e.size(); ++i) {
    theta.push_back(NernstFraction(k, e[i]));
    starts.push_back(static_cast<double>(i) * dt);
    out.push_back(Superposed(k, theta, starts, static_cast<double>(i + 1) * dt));
  }
  return out;
}

std::vector<double> DifferentialPulse(const Couple& k, const std::vector<double>& e, double ePulse,
                                      double td, double tp) {
  const double tPulse = td - 1.25 * tp;
  std::vector<double> out;
  for (double base : e) {
    const std::vector<double> theta{NernstFraction(k, base), NernstFraction(k, base + ePulse)};
    const std::vector<double> starts{0, tPulse};
    out.push_back(Superposed(k, theta, starts, td) - Superposed(k, theta, starts, tPulse));
  }
  return out;
}

std::vector<double> SquareWave(const Couple& k, const std::vector<double>& e, double ePulse,
                               double tp) {
  std::vector<double> halves;
  for (double base : e) {
    halves.push_back(base - ePulse / 2);
    halves.push_back(base + ePulse / 2);
  }
  const std::vector<double> i = StaircaseCurrents(k, halves, tp);
  std::vector<double> out;
  for (std::size_t p = 0; p < e.size(); ++p) out.push_back(i[2 * p + 1] - i[2 * p]);
  return out;
}

}  // namespace vorex::validation
