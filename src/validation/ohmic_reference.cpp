#include "validation/ohmic_reference.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace vorex::validation {
namespace {

// sqrt(i + 1) - sqrt(i) and (i + 1)^3/2 - i^3/2 without the cancellation of the differences.
double RootStep(double i) {
  return 1 / (std::sqrt(i + 1) + std::sqrt(i));
}
double PowerStep(double i) {
  return (3 * i * i + 3 * i + 1) / ((i + 1) * std::sqrt(i + 1) + i * std::sqrt(i));
}

// Over one interval of the grid, i intervals before the present (unit spacing), the weights of
// the current at its later end (b) and its earlier end (a) in int I(tau) (t - tau)^-1/2 dtau.
double LaterWeight(double i) {
  return 2 * (i + 1) * RootStep(i) - 2.0 / 3 * PowerStep(i);
}
double EarlierWeight(double i) {
  return 2.0 / 3 * PowerStep(i) - 2 * i * RootStep(i);
}

// 1 / (1 + exp(x)) for any x.
double Logistic(double x) {
  if (x > 0) {
    const double e = std::exp(-x);
    return e / (1 + e);
  }
  return 1 / (1 + std::exp(x));
}

// The current I with scale (b0 I + history) = Logistic(nf (e + ru I - e0)), by Newton's method
// kept inside [low, high] where the left side runs from 0 to 1.
double SolveInstant(const OhmicCycle& cyc, double e, double scale, double b0, double history,
                    double guess) {
  double low = -history / b0, high = (1 / scale - history) / b0;
  double current = guess > low && guess < high ? guess : (low + high) / 2;
  for (int k = 0; k < 200; ++k) {
    const double x = cyc.n * cyc.frt * (e + cyc.ru * current - cyc.e0);
    const double nernst = Logistic(x);
    const double g = scale * (b0 * current + history) - nernst;
    const double slope = scale * b0 + cyc.ru * cyc.n * cyc.frt * nernst * (1 - nernst);
    (g > 0 ? high : low) = current;
    double next = current - g / slope;
    if (!(next > low && next < high)) next = (low + high) / 2;
    if (std::fabs(next - current) <= 1e-15 * std::fabs(current) + 1e-22) return next;
    current = next;
  }
  throw std::runtime_error("the reference current did not settle");
}

}  // namespace

Curve OhmicCycleCurve(const OhmicCycle& cyc, double step) {
  const double span = std::fabs(cyc.eStart - cyc.eSwitch);
  const int sweep = static_cast<int>(std::lround(span / step));
  if (sweep < 4 || std::fabs(sweep * step - span) > 1e-9 * span)
    throw std::invalid_argument("the step must divide the sweep");
  const int count = 2 * sweep;
  const double h = step / cyc.v;
  const double scale = 1 / (cyc.n * kF * cyc.area * cyc.c * std::sqrt(kPi * cyc.d) / std::sqrt(h));
  // weight[i]: the current i intervals before the present, for i >= 1.
  std::vector<double> weight(static_cast<std::size_t>(count) + 1);
  for (int i = 1; i <= count; ++i) weight[i] = LaterWeight(i) + EarlierWeight(i - 1);
  const double b0 = LaterWeight(0);
  const double direction = cyc.eSwitch < cyc.eStart ? -1 : 1;
  Curve curve;
  curve.pointsPerSweep = sweep + 1;
  curve.e.assign(static_cast<std::size_t>(count) + 1, 0);
  curve.i.assign(static_cast<std::size_t>(count) + 1, 0);
  curve.e[0] = cyc.eStart;
  for (int k = 1; k <= count; ++k) {
    const int along = k <= sweep ? k : 2 * sweep - k;
    const double e = cyc.eStart + direction * along * step;
    double history = 0;
    for (int j = 1; j < k; ++j) history += weight[k - j] * curve.i[j];
    curve.e[k] = e;
    curve.i[k] = SolveInstant(cyc, e, scale, b0, history, curve.i[k - 1]);
  }
  return curve;
}

double OhmicCycleSeparation(const OhmicCycle& cyc) {
  const Curve c = OhmicCycleCurve(cyc, 2e-4);
  const int sweep = c.pointsPerSweep, last = static_cast<int>(c.e.size());
  return ParabolicPeak(c, sweep, last, -1).potential - ParabolicPeak(c, 0, sweep, 1).potential;
}

}  // namespace vorex::validation
