#include "base/checked_math.h"

#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {

double Finite(double x) {
  if (!std::isfinite(x)) throw RuntimeFault(kOverflow);
  return x;
}

double CheckedDivide(double numerator, double denominator) {
  if (denominator == 0.0) throw RuntimeFault(kDivisionByZero);
  return Finite(numerator / denominator);
}

double CheckedExp(double x) {
  return Finite(std::exp(Finite(x)));
}

double CheckedLog(double x) {
  if (!(x > 0.0)) throw RuntimeFault(kInvalidCall);
  return Finite(std::log(x));
}

double CheckedSqrt(double x) {
  if (!(x >= 0.0)) throw RuntimeFault(kInvalidCall);
  return Finite(std::sqrt(x));
}

double CheckedPow(double base, double exponent) {
  Finite(base);
  Finite(exponent);
  if (base < 0.0 && std::trunc(exponent) != exponent) throw RuntimeFault(kInvalidCall);
  if (base == 0.0 && exponent < 0.0) throw RuntimeFault(kDivisionByZero);
  return Finite(std::pow(base, exponent));
}

std::int16_t ToInt16(double x) {
  // nearbyint rounds in the default mode, to nearest with halves to even.
  const double rounded = std::nearbyint(Finite(x));
  if (rounded < -32768.0 || rounded > 32767.0) throw RuntimeFault(kOverflow);
  return static_cast<std::int16_t>(rounded);
}

}  // namespace vorex
