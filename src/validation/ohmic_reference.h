#pragma once

#include "validation/figures_of_merit.h"
#include "validation/program_constants.h"

// The reference for the ohmic drop: a reversible n-electron couple's cyclic voltammogram at a
// plane, with only the oxidised form present at the start, equal diffusion coefficients and the
// electrode behind an uncompensated resistance Ru. It shares nothing with the program's
// simulation: no grid and no time stepping of a profile. Semi-infinite diffusion makes the
// surface concentrations the semi-integral of the current (Nicholson & Shain 1964),
//   c_O(0, t) = c (1 - m(t)),  c_R(0, t) = c m(t),
//   m(t) = 1 / (n F A c sqrt(pi D)) int_0^t I(tau) (t - tau)^-1/2 dtau,
// and a Nernstian couple holds m = 1 / (1 + exp(nF (E_int - E0) / RT)) at the interfacial
// potential E_int = E(t) + Ru I(t) (reduction currents positive). The current is taken as
// linear between the instants of a fine grid, which makes the semi-integral exact sums of
// powers, and at each instant the one current that satisfies both relations (the first rises
// with I and the second falls) is found by Newton's method inside the bracket 0 <= m <= 1.
namespace vorex::validation {

struct OhmicCycle {
  double e0 = 0;        // [V]
  double c = kC;        // [mol/cm3]
  double d = kD;        // [cm2/s]
  double area = 1;      // [cm2]
  double v = 0.1;       // [V/s]
  double ru = 0;        // [ohm]
  double eStart = 0.4;  // [V]
  double eSwitch = -0.5;
  double n = 1;
  double frt = kFrt;  // F/RT [1/V]
};

// The curve at potential step `step` [V], which must divide the sweep: points at the instants
// step / v apart from the start (current 0) to the switch and back, the switching potential
// once; pointsPerSweep counts the forward sweep's points with the switch.
Curve OhmicCycleCurve(const OhmicCycle& cycle, double step);

// Epa - Epc of the curve at 0.2 mV, each peak by the parabola through its highest point and its
// neighbours. Halving the step moves it by less than 1 uV for Ru up to 500 ohm.
double OhmicCycleSeparation(const OhmicCycle& cycle);

}  // namespace vorex::validation
