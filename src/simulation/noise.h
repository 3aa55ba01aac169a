#pragma once

namespace vorex {

// The uniform generator of the simulated noise: u <- (24298 u + 99991) mod 199017, plus one, so
// that u lies in 1..259017. It starts from 2 x PointCount, so equal runs get equal noise.
class NoiseGenerator {
 public:
  explicit NoiseGenerator(int pointCount) : u_(2.0 * pointCount) {}
  double Next();
  // A Gaussian deviate from two draws (Box-Muller): sqrt(2 ln(199017 / u1)) cos(2 pi u2 / 199017).
  double Gaussian();

 private:
  double u_;
};

}  // namespace vorex
