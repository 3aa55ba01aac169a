#include "simulation/microdisc_blend.h"

#include <cmath>

#include "base/checked_math.h"

namespace vorex {

double MicrodiscWeight(double d, double t, double radius) {
  if (!(t > 0)) return 0;
  const double tau = CheckedDivide(4 * d * t, radius * radius);
  return std::exp(-0.7823 / std::sqrt(tau));
}

}  // namespace vorex
