#pragma once

#include <array>

#include "curves/curve_store.h"

// A microdisc has no one-dimensional diffusion operator. Its diffusion-limited current is, to
// Shoup and Szabo's 0.6 % (J. Electroanal. Chem. 140 (1982) 237),
//   i = 4nFDCr [0.7854 + 0.8862 tau^-1/2 + 0.2146 exp(-0.7823 tau^-1/2)],  tau = 4Dt/r^2,
// and a sphere of radius R gives over the disc's area pi r^2
//   i = 4nFDCr [0.8862 tau^-1/2 + pi r / (4R)].
// The sphere of radius r has the disc's short-time current (Cottrell plus the edge term
// 0.7854), the sphere of radius pi r / 4 its steady state 4nFDCr. The disc is simulated as
// both, and every sample is (1 - w) times the first plus w times the second with
// w = exp(-0.7823 tau^-1/2), which is Shoup and Szabo's current at every tau for the limiting
// current, and a weighting of two consistent simulations wherever kinetics or chemistry
// enter.
namespace vorex {

// w at the time t [s] since the profile left the bulk, for diffusion coefficient d [cm2/s].
double MicrodiscWeight(double d, double t, double radius);

// The samples of the first run: per data point and segment, the reactions' currents (1..3)
// and the species' surface concentrations (4..7).
struct MicrodiscSamples {
  std::array<std::array<double, 8>, 2 * (kMaxPoints + 1)> values{};
  std::array<double, 8>& At(int point, int segment) { return values[2 * point + segment]; }
};

}  // namespace vorex
