#include "validation/figures_of_merit.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace vorex::validation {

Peak ParabolicPeak(const Curve& c, int first, int last, int sign) {
  int m = first;
  for (int k = first; k < last; ++k) {
    if (sign * c.i[static_cast<std::size_t>(k)] > sign * c.i[static_cast<std::size_t>(m)]) m = k;
  }
  if (m == first || m == last - 1)
    throw std::runtime_error("the peak lies at the end of the sweep");
  const auto at = [&](int k) { return sign * c.i[static_cast<std::size_t>(k)]; };
  const double y0 = at(m - 1), y1 = at(m), y2 = at(m + 1);
  const double curvature = y0 - 2 * y1 + y2;
  const double shift = 0.5 * (y0 - y2) / curvature;  // in points, from m
  const double step = c.e[static_cast<std::size_t>(m + 1)] - c.e[static_cast<std::size_t>(m)];
  return {c.e[static_cast<std::size_t>(m)] + shift * step,
          sign * (y1 - 0.125 * (y0 - y2) * (y0 - y2) / curvature)};
}

Peak FivePointCathodicPeak(const Curve& c) {
  const int last = c.pointsPerSweep;
  int m = 0;
  for (int k = 0; k < last; ++k) {
    if (c.i[static_cast<std::size_t>(k)] > c.i[static_cast<std::size_t>(m)]) m = k;
  }
  if (m < 2 || m > last - 3) throw std::runtime_error("the peak lies at the end of the sweep");
  const auto y = [&](int j) { return c.i[static_cast<std::size_t>(m + j)]; };
  // p(x) = y(0) + a1 x + a2 x^2 + a3 x^3 + a4 x^4 through x = -2..2 (central differences).
  const double a1 = (y(-2) - 8 * y(-1) + 8 * y(1) - y(2)) / 12;
  const double a2 = (-y(-2) + 16 * y(-1) - 30 * y(0) + 16 * y(1) - y(2)) / 24;
  const double a3 = (-y(-2) + 2 * y(-1) - 2 * y(1) + y(2)) / 12;
  const double a4 = (y(-2) - 4 * y(-1) + 6 * y(0) - 4 * y(1) + y(2)) / 24;
  double x = -a1 / (2 * a2);  // the parabola's vertex, then Newton on p'(x) = 0
  for (int it = 0; it < 20; ++it) {
    const double slope = a1 + x * (2 * a2 + x * (3 * a3 + x * 4 * a4));
    const double curvature = 2 * a2 + x * (6 * a3 + x * 12 * a4);
    x -= slope / curvature;
  }
  const double step = c.e[static_cast<std::size_t>(m + 1)] - c.e[static_cast<std::size_t>(m)];
  return {c.e[static_cast<std::size_t>(m)] + x * step,
          y(0) + x * (a1 + x * (a2 + x * (a3 + x * a4)))};
}

Peak CathodicPeak(const Curve& c) {
  return ParabolicPeak(c, 0, c.pointsPerSweep, 1);
}

// The turning potential is held for two points, so the return sweep starts one point later.
Peak AnodicPeak(const Curve& c) {
  return ParabolicPeak(c, c.pointsPerSweep + 1, 2 * c.pointsPerSweep, -1);
}

double CurrentAt(const Curve& c, double e) {
  std::size_t best = 0;
  for (std::size_t k = 0; k < c.e.size(); ++k) {
    if (std::fabs(c.e[k] - e) < std::fabs(c.e[best] - e)) best = k;
  }
  return c.i[best];
}

double HalfWavePotential(const Curve& c, double limit) {
  const double half = limit / 2;
  for (std::size_t k = 1; k < static_cast<std::size_t>(c.pointsPerSweep); ++k) {
    const double a = c.i[k - 1] - half, b = c.i[k] - half;
    if ((a < 0) != (b < 0)) return c.e[k - 1] + (c.e[k] - c.e[k - 1]) * a / (a - b);
  }
  throw std::runtime_error("the current never crosses half the limit");
}

}  // namespace vorex::validation
