#include "simulation/analytical_currents.h"

#include "base/checked_math.h"
#include "base/constants.h"
#include "simulation/exp_erfc.h"

namespace vorex {
namespace {

// The rate constants of reduction and oxidation at potential e, and the net flux term
// Q = n (kf COx - kb CRed).
struct Kinetics {
  double kf;
  double kb;
  double q;
};

Kinetics RateConstants(const CurrentContext& c, const Couple& k, double e) {
  const double eta = c.fOverRT * k.n * (e - k.e0);
  const double kf = Finite(k.ks * CheckedExp(-k.alpha * eta));
  const double kb = Finite(k.ks * CheckedExp((1 - k.alpha) * eta));
  return {kf, kb, Finite(k.n * (kf * k.cOx - kb * k.cRed))};
}

// The step current's factors: Q, the steady share rho and exp(lambda^2) erfc(lambda).
struct StepFactors {
  double q;
  double rho;
  double decay;
};

// The reduced form's transport relative to the oxidised form's, beyond their sqrt(D) (see
// StepCurrentRadial): 1 at a plane and whenever the two D are equal.
double ReducedWeight(RadialTerms g, double tA) {
  if (g.ox == g.red) return 1;
  const double root = CheckedSqrt(kPi * tA);
  return CheckedDivide(1 + g.ox * root, 1 + g.red * root);
}

StepFactors Factors(const Couple& k, double e, double tA, RadialTerms g, const CurrentContext& c) {
  const Kinetics r = RateConstants(c, k, e);
  const double back = Finite(CheckedDivide(r.kb, k.dRed) * ReducedWeight(g, tA));
  const double h = Finite(g.ox + back + CheckedDivide(r.kf, k.dOx));
  const double lambda = Finite(h * CheckedSqrt(tA));
  return {r.q, CheckedDivide(g.ox, h), ExpErfc(lambda)};
}

}  // namespace

double StepCurrentPlanar(const CurrentContext& c, const Couple& k, double e, double tA) {
  const Kinetics r = RateConstants(c, k, e);
  const double h = Finite(CheckedDivide(r.kf, k.dOx) + CheckedDivide(r.kb, k.dRed));
  const double lambda = Finite(h * CheckedSqrt(tA));
  return Finite(r.q * ExpErfc(lambda));
}

StepParts StepCurrentParts(const Couple& k, double e, double tA, RadialTerms g,
                           const CurrentContext& c) {
  const StepFactors f = Factors(k, e, tA, g, c);
  return {Finite(f.q * f.rho), Finite(f.q * ((1 - f.rho) * f.decay))};
}

double StepCurrentRadial(const Couple& k, double e, double tA, RadialTerms g,
                         const CurrentContext& c) {
  const StepFactors f = Factors(k, e, tA, g, c);
  return Finite(f.q * (f.rho + (1 - f.rho) * f.decay));
}

double StepCurrentSpherical(const CurrentContext& c, const Couple& k, double e, double tA) {
  const RadialTerms g{CheckedDivide(k.dOx, c.radius), CheckedDivide(k.dRed, c.radius)};
  return StepCurrentRadial(k, e, tA, g, c);
}

double RotatingDiskCurrent(const CurrentContext& c, const Couple& k, double e) {
  const Kinetics r = RateConstants(c, k, e);
  const double levich =
      Finite(0.62 * CheckedPow(c.viscosity, -1.0 / 6.0) * CheckedSqrt(c.rotationRate));
  const double resistance =
      Finite(r.kf * CheckedPow(k.dOx, -2.0 / 3.0) + r.kb * CheckedPow(k.dRed, -2.0 / 3.0));
  return CheckedDivide(r.q, Finite(1 + CheckedDivide(resistance, levich)));
}

}  // namespace vorex
