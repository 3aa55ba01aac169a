#include "simulation/exp_erfc.h"

#include <cmath>

#include "base/checked_math.h"

namespace vorex {
namespace {

constexpr double kSqrt2 = 1.4142136;
constexpr double kSqrtPi = 1.7724539;

}  // namespace

double ExpErfc(double x) {
  const double x2 = x * x;
  if (std::fabs(x) < 1.5) {
    // Series of erf nested from the term of order K down to the first.
    double k = std::floor(9 * std::fabs(x)) + 2;
    double f = k / (k + x2);
    do {
      f = 1 + x2 * (0.5 - k) * f / ((k + 0.5) * k);
      k -= 1;
    } while (k != 0);
    const double erf = 2 * x * f / kSqrtPi;
    return Finite(CheckedExp(x2) * (1 - erf));
  }
  const bool reflected = x <= 0;
  const double y = reflected ? -x : x;
  double k = std::floor(32 / y) + 2;
  double f = 1 / (kSqrt2 * y);
  do {
    f = 1 / (kSqrt2 * y + k * f);
    k -= 1;
  } while (k != 0);
  const double g = kSqrt2 * f / kSqrtPi;
  return reflected ? Finite(2 * CheckedExp(x2) - g) : g;
}

}  // namespace vorex
