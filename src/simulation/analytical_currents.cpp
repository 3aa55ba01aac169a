#include "simulation/analytical_currents.h"

#include "base/checked_math.h"
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

}  // namespace

double StepCurrentPlanar(const CurrentContext& c, const Couple& k, double e, double tA) {
  const Kinetics r = RateConstants(c, k, e);
  const double h = Finite(CheckedDivide(r.kf, k.dOx) + CheckedDivide(r.kb, k.dRed));
  const double lambda = Finite(h * CheckedSqrt(tA));
  return Finite(r.q * ExpErfc(lambda));
}

double StepCurrentSpherical(const CurrentContext& c, const Couple& k, double e, double tA) {
  const Kinetics r = RateConstants(c, k, e);
  const double g = CheckedDivide(k.dOx, c.radius);
  const double h = Finite(g + CheckedDivide(r.kb, k.dRed) + CheckedDivide(r.kf, k.dOx));
  const double rho = CheckedDivide(g, h);
  const double lambda = Finite(h * CheckedSqrt(tA));
  return Finite(r.q * (rho + (1 - rho) * ExpErfc(lambda)));
}

double RotatingDiskCurrent(const CurrentContext& c, const Couple& k, double e) {
  const Kinetics r = RateConstants(c, k, e);
  const double levich =
      Finite(0.62 * CheckedPow(c.viscosity, -1.0 / 6.0) * CheckedSqrt(c.rotationRate));
  const double resistance = Finite(r.kf * CheckedPow(k.dOx, -2.0 / 3.0) +
                                   r.kb * CheckedPow(k.dRed, -2.0 / 3.0));
  return CheckedDivide(r.q, Finite(1 + CheckedDivide(resistance, levich)));
}

double DifferentialPulseCurrentPlanar(const CurrentContext& c, const Couple& k, double e,
                                      double tA, double tB, double pulse) {
  const double i1 = StepCurrentPlanar(c, k, e, tA);
  const double stretched = Finite(tA * CheckedPow(CheckedDivide(tA + tB, tB), 0.15));
  const double i2 = StepCurrentPlanar(c, k, e + pulse, stretched);
  return Finite(i2 - i1);
}

double DifferentialPulseCurrentSpherical(const CurrentContext& c, const Couple& k, double e,
                                         double tA, double tB, double pulse) {
  const double base = CheckedDivide(tA * (tB + 1), 1 + tA + tB);
  const double i1 = StepCurrentSpherical(c, k, e, base);
  const double i2 = StepCurrentSpherical(c, k, e + pulse, tA);
  return Finite(i2 - i1);
}

double SquareWaveCurrentPlanar(const CurrentContext& c, const Couple& k, double e, double tA,
                               double pulse) {
  return Finite(StepCurrentPlanar(c, k, e + pulse, tA) - StepCurrentPlanar(c, k, e, tA));
}

double SquareWaveCurrentSpherical(const CurrentContext& c, const Couple& k, double e, double tA,
                                  double pulse) {
  return Finite(StepCurrentSpherical(c, k, e + pulse, tA) - StepCurrentSpherical(c, k, e, tA));
}

}  // namespace vorex
