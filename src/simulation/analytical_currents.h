#pragma once

#include "simulation/radial_diffusion.h"

// The closed-form currents of one charge-transfer couple with Butler-Volmer kinetics, all built
// on the potential-step current at a chosen time. Each returns the current divided by
// F x area x 0.001 (mol/L x cm/s), positive for net reduction, and raises RuntimeFault when
// its arithmetic fails (an overflowing exponential, a zero diffusion term, a negative time).
namespace vorex {

// What the functions read from the parameter set.
struct CurrentContext {
  double fOverRT = 0;       // F / (R T) [1/V]
  double radius = 0;        // electrode radius [cm]
  double rotationRate = 0;  // [rad/s]
  double viscosity = 0;     // kinematic viscosity [cm2/s]
};

// One couple as the driver sets it up.
struct Couple {
  double ks = 0;     // standard heterogeneous rate constant [cm/s]
  double alpha = 0;  // transfer coefficient
  double n = 0;      // electron number
  double e0 = 0;     // effective formal potential E0* [V]
  double cOx = 0;    // oxidised-side concentration [mol/L]
  double dOx = 0;    // sqrt(D) [cm/s^1/2] (D itself [cm2/s] for the rotating disk)
  double cRed = 0;   // reduced-side concentration [mol/L]
  double dRed = 0;   // as dOx, reduced side
};

double StepCurrentPlanar(const CurrentContext& c, const Couple& k, double e, double tA);
double StepCurrentSpherical(const CurrentContext& c, const Couple& k, double e, double tA);
// The step current at a curved electrode whose diffusion-limited flux beyond Cottrell's is
// sqrt(D) g C for each form at its own D (g from RadialTerm, at the same time tA); g = 0 is the
// planar electrode.
//
// A reversible couple (fast ks) gets each form's own transport. With f_s(t) = sqrt(D_s/(pi t))
// + sqrt(D_s) g_s the diffusion-limited flux of form s per concentration, the surface values
// that satisfy Nernst (C_O(0) = theta C_R(0), theta = exp(nf(E - E0))) and balance the fluxes,
// f_O (C_O* - C_O(0)) = f_R (C_R(0) - C_R*), give
//   I / nFA = f_O f_R (C_O* - theta C_R*) / (f_R + theta f_O).
// At a sphere the exact current is the inverse Laplace transform of the same expression with
// F_s(p) = sqrt(D_s p) + D_s / r in place of f_s, divided by p: with equal D it is the one
// above at every time; with unequal D the ratio F_O/F_R changes with p, the surface values drift
// during the step, and the form above is exact only in its two limits, the planar one (E1/2 at
// (RT/nF) ln sqrt(D_R/D_O)) and the steady state ((RT/nF) ln(D_R/D_O)). Between them it lies
// within 0.31 % of the limiting current of the exact inverse at D_R/D_O = 4 or 1/4 at every
// D t / r^2 and potential (fixed-Talbot inversion, the test's). The microdisc takes Shoup and
// Szabo's current per form in the same way, exact at steady state. The kinetic terms enter
// through h = g_O + kf/sqrt(D_O) + (kb/sqrt(D_R)) w, w = (1 + g_O sqrt(pi t))/(1 + g_R sqrt(pi t)),
// which gives the form above as ks grows, the irreversible step as kb vanishes, and the
// equal-D current whatever ks.
double StepCurrentRadial(const Couple& k, double e, double tA, RadialTerms g,
                         const CurrentContext& c);
// The same current as the part that follows the potential at once (the radial, steady part)
// and the transient part, which decays like Cottrell's current.
struct StepParts {
  double steady = 0;
  double transient = 0;
};
StepParts StepCurrentParts(const Couple& k, double e, double tA, RadialTerms g,
                           const CurrentContext& c);
double RotatingDiskCurrent(const CurrentContext& c, const Couple& k, double e);

}  // namespace vorex
