#pragma once

#include "validation/program_constants.h"

// Closed-form currents and potentials of textbook voltammetry, each with its source. Currents in
// A for n electrons, area A [cm2], concentration C [mol/cm3], D [cm2/s]; potentials in V. Those
// that depend on the temperature take F/RT [1/V] last, 25 degrees C unless given.
namespace vorex::validation {

// Reversible linear sweep (Nicholson & Shain 1964, Table I: pi^1/2 chi max = 0.4463).
double RandlesSevcikPeak(double n, double area, double c, double d, double v, double frt = kFrt);
// Ep - E1/2 of the reversible sweep, -1.109 RT/nF (Nicholson & Shain 1964).
double ReversiblePeakOffset(double n, double frt = kFrt);
// E1/2 = E0 + (RT/nF) ln sqrt(D_R/D_O): the half-wave potential of a reversible couple.
double ReversibleHalfWave(double e0, double n, double dOx, double dRed, double frt = kFrt);

// Totally irreversible sweep, one electron (Bard & Faulkner 2001, section 6.3.1, with
// pi^1/2 chi max = 0.4958).
double IrreversiblePeak(double alpha, double area, double c, double d, double v, double frt = kFrt);
double IrreversiblePeakPotential(double e0, double alpha, double d, double ks, double v,
                                 double frt = kFrt);

// Totally irreversible DC wave at a stationary plane, sampled td after each step: the current is
// Cottrell times sqrt(pi) lambda exp(lambda^2) erfc(lambda), lambda = kf sqrt(td/D),
// kf = ks exp(-alpha F(E - E0)/RT) (Delahay 1953), so E1/2 is where lambda is the root of
// sqrt(pi) lambda exp(lambda^2) erfc(lambda) = 1/2 (found by bisection).
double IrreversibleDcHalfWaveLambda();
double IrreversibleDcHalfWave(double e0, double alpha, double d, double ks, double td);

// A step from the bulk (only O present) to a potential eta = E - E0 where the couple follows
// Butler-Volmer kinetics, kf = ks exp(-alpha n f eta), kb = ks exp((1 - alpha) n f eta): the
// current at time t is nFAC kf exp(H^2 t) erfc(H sqrt t), H = kf/sqrt(D_O) + kb/sqrt(D_R)
// (Bard & Faulkner 2001, section 5.5.1). Each point of DC voltammetry at a plane is such a step
// sampled at td, so the wave's E1/2 is where it is half the Cottrell current (by bisection).
struct StepKinetics {
  double n = 1, ks = 1e-3, alpha = 0.5, dOx = kD, dRed = kD, frt = kFrt;
};
double KineticStep(const StepKinetics& k, double area, double c, double eta, double t);
double KineticDcHalfWave(const StepKinetics& k, double e0, double td);
// exp(x^2) erfc(x) for x >= 0, finite however large x is.
double ScaledErfc(double x);

// Cottrell 1903: the diffusion-limited current at a plane, time t after the step.
double Cottrell(double n, double area, double c, double d, double t);
// Sphere of radius r (exact solution, Bard & Faulkner 2001, section 5.2.2); the hemisphere obeys
// the same per area.
double SphereStep(double n, double area, double c, double d, double r, double t);
// Microdisc of radius r: steady state 4nFDCr (Saito 1968) and Shoup & Szabo 1982 at every
// tau = 4Dt/r^2 (their fit, within 0.6 % everywhere).
double SaitoSteadyState(double n, double c, double d, double r);
double ShoupSzaboFactor(double tau);
double ShoupSzabo(double n, double c, double d, double r, double t);
// i / (4nFDCr) after a step to the diffusion limit at a disc, tau = 4Dt/r^2, from the series
// that are better than Shoup and Szabo's 0.6 % on their own side: Aoki and Osteryoung's
// short-time (pi^1/2/2) tau^-1/2 + pi/4 + 0.094 tau^1/2 for tau <= 1 (edge term pi/4 as
// Phillips and Jansons proved), their long-time 1 + 0.71835 tau^-1/2 + 0.05626 tau^-3/2 -
// 0.00646 tau^-5/2 beyond.
double DiscStepSeries(double tau);
// The area the Experimental dialog writes for a disc of radius r: pi r^2 to three digits.
double DialogDiscArea(double r);
// Levich 1942: rotating disk of area A, rotation omega [rad/s], kinematic viscosity nu [cm2/s].
double Levich(double n, double area, double c, double d, double omega, double nu);
// Thin layer cell of volume V [cm3] swept at v: ip = n^2 F^2 v V C / 4RT, at E0
// (Hubbard & Anson 1970; Bard & Faulkner 2001, section 11.7.2).
double ThinLayerPeak(double n, double volume, double c, double v);

// Catalytic EC' reaction of pseudo-first-order rate k: the potential-step current
// nFAC sqrt(Dk) [erf sqrt(kt) + exp(-kt)/sqrt(pi kt)] (Delahay & Stiehl 1952) and its plateau
// nFAC sqrt(Dk) (Saveant & Vianello 1965) for a sweep in the pure kinetic zone.
double CatalyticStep(double n, double area, double c, double d, double k, double t);
double CatalyticPlateau(double n, double area, double c, double d, double k);
// EC with an irreversible following reaction in the kinetic zone (Nicholson & Shain 1964):
// Ep - E1/2 = -(RT/nF)(0.780 - ln sqrt(lambda)), lambda = k RT/(nFv).
double FollowingReactionPeakOffset(double n, double k, double v);

}  // namespace vorex::validation
