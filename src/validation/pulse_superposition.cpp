#include "validation/pulse_superposition.h"

#include <cmath>
#include <cstddef>

#include "validation/program_constants.h"

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
  const double tPulse = td - tp;
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

std::vector<double> KineticStaircase(const Couple& k, const Kinetics& kinetics,
                                     const std::vector<double>& e,
                                     const std::vector<double>& durations, int nodes) {
  std::vector<double> t, j, out;
  double start = 0;
  for (std::size_t level = 0; level < e.size(); ++level) {
    const double eta = k.n * kFrt * (e[level] - k.e0);
    const double kf = kinetics.ks * std::exp(-kinetics.alpha * eta);
    const double kb = kinetics.ks * std::exp((1 - kinetics.alpha) * eta);
    const double coupling = (kf / std::sqrt(k.dOx) + kb / std::sqrt(k.dRed)) / std::sqrt(kPi);
    // The first node of a level sits on the last of the one before: a piece of no length, across
    // which j jumps.
    for (int i = 0; i <= nodes; ++i) {
      const double s = static_cast<double>(i) / nodes;
      const double now = start + durations[level] * s * s;
      // J(now) from every piece before the last; the last piece's weight on the unknown j apart.
      double known = 0, own = 0;
      const std::size_t n = t.size();
      double ra = n > 0 ? std::sqrt(now - t[0]) : 0;
      for (std::size_t p = 1; p <= n; ++p) {
        const double b = p < n ? t[p] : now;
        const double rb = std::sqrt(now - b), h = b - t[p - 1];
        if (h > 0) {
          const double d = h / (ra + rb);  // sqrt(now - a) - sqrt(now - b), without cancelling
          const double wb = 2.0 / 3.0 * d * d * (2 * ra + rb) / h;
          known += (2 * d - wb) * j[p - 1];
          if (p < n)
            known += wb * j[p];
          else
            own = wb;
        }
        ra = rb;
      }
      t.push_back(now);
      j.push_back((kf * k.c - coupling * known) / (1 + coupling * own));
    }
    start += durations[level];
    out.push_back(k.n * kF * k.area * j.back());
  }
  return out;
}

std::vector<double> KineticDifferentialPulse(const Couple& k, const Kinetics& kinetics,
                                             const std::vector<double>& e, double ePulse, double td,
                                             double tp) {
  std::vector<double> out;
  for (double base : e) {
    const std::vector<double> i =
        KineticStaircase(k, kinetics, {base, base + ePulse}, {td - tp, tp});
    out.push_back(i[1] - i[0]);
  }
  return out;
}

std::vector<double> KineticSquareWave(const Couple& k, const Kinetics& kinetics,
                                      const std::vector<double>& e, double ePulse, double tp) {
  std::vector<double> halves;
  for (double base : e) {
    halves.push_back(base - ePulse / 2);
    halves.push_back(base + ePulse / 2);
  }
  const std::vector<double> i =
      KineticStaircase(k, kinetics, halves, std::vector<double>(halves.size(), tp));
  std::vector<double> out;
  for (std::size_t p = 0; p < e.size(); ++p) out.push_back(i[2 * p + 1] - i[2 * p]);
  return out;
}

}  // namespace vorex::validation
