#include "plot/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vorex {
namespace {

// Tick indices beyond this lose the units digit in a double.
constexpr double kLargestIndex = 1e15;

// units x 10^e, rounded once where 10^|e| is exact (up to 10^22), which makes a tick of whole
// units the double nearest its decimal value.
double Scaled(double units, int e) {
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (e >= 0 && e <= 22) return units * kExact[e];
  if (e < 0 && e >= -22) return units / kExact[-e];
  return units * std::pow(10.0, e);
}

// The finest step of 1, 2 or 5 x 10^e, e >= minExponent, giving at most kMostIntervals over span.
bool ChooseStep(double span, int minExponent, AxisTicks& t) {
  if (!(span > 0) || !std::isfinite(span)) return false;
  int e =
      std::max(minExponent, static_cast<int>(std::floor(std::log10(span / kMostIntervals))) - 1);
  for (;; ++e) {
    for (int m : {1, 2, 5}) {
      if (span / Scaled(m, e) <= kMostIntervals * (1 + 1e-12)) {
        t.mantissa = m;
        t.exponent = e;
        return true;
      }
    }
  }
}

// The first tick index at or above `low` (inward) or at or below it (outward).
double IndexFrom(const AxisTicks& t, double low, bool inward) {
  double k = std::floor(low / t.Step());
  while (Scaled(k * t.mantissa, t.exponent) > low) k -= 1;
  while (Scaled((k + 1) * t.mantissa, t.exponent) <= low) k += 1;
  if (inward && Scaled(k * t.mantissa, t.exponent) < low) k += 1;
  return k;
}

// The last tick index at or below `high` (inward) or at or above it (outward).
double IndexTo(const AxisTicks& t, double high, bool inward) {
  double k = std::ceil(high / t.Step());
  while (Scaled(k * t.mantissa, t.exponent) < high) k += 1;
  while (Scaled((k - 1) * t.mantissa, t.exponent) >= high) k -= 1;
  if (inward && Scaled(k * t.mantissa, t.exponent) > high) k -= 1;
  return k;
}

AxisTicks Ticks(double low, double high, int minExponent, bool inward) {
  if (high < low) std::swap(low, high);
  AxisTicks t;
  if (!ChooseStep(high - low, minExponent, t)) return t;
  if (!(std::fmax(std::fabs(low), std::fabs(high)) / t.Step() < kLargestIndex)) return t;
  // Data a rounding error past a tick (a sweep's -0.30000000000000004 V) end on it.
  const double slack = inward ? 0 : 1e-9 * t.Step();
  const double from = IndexFrom(t, low + slack, inward), to = IndexTo(t, high - slack, inward);
  if (to < from) return t;
  t.first = from;
  t.count = static_cast<int>(to - from) + 1;
  return t;
}

// The power of ten of the largest magnitude: 10^p <= largest < 10^(p+1).
int PowerOf(double largest) {
  int p = static_cast<int>(std::floor(std::log10(largest)));
  if (Scaled(1, p) > largest) --p;
  if (Scaled(1, p + 1) <= largest) ++p;
  return p;
}

std::string Fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

double AxisTicks::Step() const {
  return Scaled(mantissa, exponent);
}

double AxisTicks::At(int k) const {
  return Scaled((first + k) * mantissa, exponent);
}

AxisTicks TicksWithin(double low, double high) {
  return Ticks(low, high, -400, true);
}

AxisTicks TicksAround(double low, double high) {
  return Ticks(low, high, -400, false);
}

AxisTicks WholeTicksWithin(double low, double high) {
  return Ticks(low, high, 0, true);
}

// Plain decimals read well from 0.01 to below 100000; beyond, the labels are the mantissas of
// a shared power of ten, with as many decimals as the step needs.
TickLabels LabelTicks(const AxisTicks& t) {
  TickLabels labels;
  if (t.count <= 0) return labels;
  const double largest = std::fmax(std::fabs(t.At(0)), std::fabs(t.Last()));
  const int power = largest > 0 && (largest < 1e-2 || largest >= 1e5) ? PowerOf(largest) : 0;
  const int decimals = std::max(0, power - t.exponent);
  for (int k = 0; k < t.count; ++k) {
    labels.texts.push_back(Fixed(Scaled((t.first + k) * t.mantissa, t.exponent - power), decimals));
  }
  if (power != 0) labels.power = "×1e" + std::to_string(power);
  return labels;
}

std::string DecadeLabel(double exponent) {
  return "1e" + Fixed(exponent, 0);
}

}  // namespace vorex
