// DC voltammetry of a reversible couple whose forms diffuse at different rates, at a sphere and a
// microdisc: the half-wave potential moves from the planar (RT/nF) ln sqrt(D_B/D_A) towards the
// steady state's (RT/nF) ln(D_B/D_A) as the radial flux takes over.
#include <cmath>

#include "validation/case_helpers.h"
#include "validation/program_constants.h"
#include "validation/sphere_reversible.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Reversible DC waves with unequal D at a sphere and a microdisc";

// DC from 0.3 to -0.2 V in 1 mV steps, the drop time td, B diffusing at dB.
Setup Wave(int electrode, double radius, double td, double dB) {
  const double step = 0.001;
  Setup s = Programme(2, 0.3, -0.2, step, step / td);
  s.electrode = electrode;
  return s.Set("radius", Text(radius)).Set("D(2)", Text(dB));
}

double HalfWave(const Curve& c) {
  return HalfWavePotential(c, LastCurrent(c));
}

void AddSphere(std::vector<Case>& cases, double radius, double td, double ratio, double tolerance) {
  const double tau = kD * td / (radius * radius);
  cases.push_back(
      {.name = "unequal.sphere.tau" + Num(tau) + ".ratio" + Num(ratio) + ".e12",
       .group = kGroup,
       .setting = "DC, sphere r " + Num(radius) + " cm, td " + Num(td) +
                  " s (D t / r^2 = " + Num(tau) + "), D(B) = " + Num(ratio) + " D(A), E step 1 mV",
       .merit = "half-wave potential",
       .unit = Unit::Potential,
       .theory = kE0 + kRtf * std::log(SphereHalfWaveTheta(kD, ratio * kD, radius, td)),
       .source = "Laplace transform of the reversible step at a sphere, inverted on Talbot's "
                 "contour (derived in sphere_reversible.h)",
       .tolerance = tolerance,
       .measure = Read(Wave(2, radius, td, ratio * kD), HalfWave),
       .required = kBoth,
       .quick = true});
}

// A microdisc so small and a drop so long (4 D t / r^2 = 4e5) that Shoup and Szabo's transient
// term moves the half-wave potential by 0.05 mV from the steady state's.
void AddDisc(std::vector<Case>& cases, double ratio) {
  const double radius = 1e-4, td = 100;
  cases.push_back(
      {.name = "unequal.disc.steady.ratio" + Num(ratio) + ".e12",
       .group = kGroup,
       .setting = "DC, microdisc r 1e-4 cm, td 100 s, D(B) = " + Num(ratio) + " D(A), E step 1 mV",
       .merit = "half-wave potential",
       .unit = Unit::Potential,
       .theory = kE0 + kRtf * std::log(ratio),
       .source = "steady state at an inlaid disc: D_A C_A + D_B C_B is harmonic and "
                 "constant, so E1/2 = E0 + (RT/nF) ln(D_B/D_A)",
       .tolerance = 0.0005,
       .measure = Read(Wave(4, radius, td, ratio * kD), HalfWave),
       .required = kBoth,
       .quick = true});
}

}  // namespace

void AddUnequalDiffusionCases(std::vector<Case>& cases) {
  // D t / r^2 = 4000: near the steady state; and 4, where the analytical form is furthest from
  // the exact transform (0.27 mV at most over every time).
  for (double ratio : {4.0, 0.25}) {
    AddSphere(cases, 5e-4, 100, ratio, 0.0005);
    AddSphere(cases, 5e-4, 0.1, ratio, 0.0005);
    AddDisc(cases, ratio);
  }
}

}  // namespace vorex::validation
