#pragma once

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
// sqrt(D) g C (g from RadialTerm, at the same time tA); g = 0 is the planar electrode.
double StepCurrentRadial(const Couple& k, double e, double tA, double g, const CurrentContext& c);
// The same current as the part that follows the potential at once (the radial, steady part)
// and the transient part, which decays like Cottrell's current.
struct StepParts {
  double steady = 0;
  double transient = 0;
};
StepParts StepCurrentParts(const Couple& k, double e, double tA, double g, const CurrentContext& c);
double RotatingDiskCurrent(const CurrentContext& c, const Couple& k, double e);

}  // namespace vorex
