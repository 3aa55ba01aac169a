#include "simulation/noise.h"

#include <cmath>

namespace vorex {

double NoiseGenerator::Next() {
  const double t = 24298 * u_ + 99991;
  u_ = t + 1 - 199017 * std::floor(t / 199017);
  return u_;
}

double NoiseGenerator::Gaussian() {
  const double u1 = Next();
  const double u2 = Next();
  return std::sqrt(2 * std::log(199017 / u1)) * std::cos(6.283185308 * u2 / 199017);
}

}  // namespace vorex
