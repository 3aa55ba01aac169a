#pragma once

#include <vector>

// Exact currents of a reversible planar couple under a staircase of potential steps.
//
// With the Nernst condition at the surface and semi-infinite planar diffusion, the surface
// fraction of the reduced form depends on the potential alone:
//   theta(E) = 1 / (1 + xi exp(nF(E - E0)/RT)),  xi = sqrt(D_O/D_R),
// because D_O dC_O/dx = -D_R dC_R/dx keeps C_O sqrt(D_O) + C_R sqrt(D_R) = C* sqrt(D_O) at the
// surface. The problem is linear in the surface value, so a step of theta from theta_(i-1) to
// theta_i at time t_i adds the Cottrell response of that size: the flux of O after the step is
// C* sqrt(D/pi) (theta_i - theta_(i-1)) / sqrt(t - t_i). Summing over all steps since the bulk
// profile (theta = 0 before the first step):
//   I(t) = nFAC sqrt(D/pi) Sum_i (theta_i - theta_(i-1)) / sqrt(t - t_i).
namespace vorex::validation {

struct Couple {
  double n = 1, e0 = 0.1, area = 1, c = 1e-6, dOx = 1e-5, dRed = 1e-5;
};

double NernstFraction(const Couple& couple, double e);

// The potential e[i] is applied from time i * dt to (i + 1) * dt, starting from the bulk
// profile; the current at the end of step i, for every i.
std::vector<double> StaircaseCurrents(const Couple& couple, const std::vector<double>& e,
                                      double dt);

// Differential pulse as the program's waveform gives it: each point starts a new drop from the
// bulk at E(k), pulses to E(k) + ePulse at td - tp and reports I(td) - I(td - tp).
std::vector<double> DifferentialPulse(const Couple& couple, const std::vector<double>& e,
                                      double ePulse, double td, double tp);
// Square wave as the program's waveform gives it: no reset; per point a half period tp at
// E(k) - ePulse/2, then one at E(k) + ePulse/2; reports I(second) - I(first).
std::vector<double> SquareWave(const Couple& couple, const std::vector<double>& e, double ePulse,
                               double tp);

// The same waveforms for a couple with Butler-Volmer kinetics, kf = ks exp(-alpha nf(E - E0)),
// kb = ks exp((1 - alpha) nf(E - E0)), f = F/RT. Planar diffusion makes both surface
// concentrations functionals of the flux j = I/nFA alone,
//   C_O(0,t) = C* - J(t)/sqrt(pi D_O),  C_R(0,t) = J(t)/sqrt(pi D_R),
//   J(t) = Int_0^t j(s) / sqrt(t - s) ds,
// so the rate law j = kf C_O(0,t) - kb C_R(0,t) is the Volterra equation
//   j(t) = kf C* - (kf/sqrt(D_O) + kb/sqrt(D_R)) J(t) / sqrt(pi),
// with kf and kb constant on each level of the staircase. There is no closed form beyond one
// level, so it is solved by product integration: j linear between nodes, the nodes of a level
// crowded towards its start as (i/m)^2 (after a jump j moves as the square root of the time),
// and the weights of 1/sqrt(t - s) over each piece integrated exactly.
struct Kinetics {
  double ks = 1e-3, alpha = 0.5;
};

// Level i at e[i] for durations[i], from the bulk; the current at the end of each level, with
// `nodes` nodes per level.
std::vector<double> KineticStaircase(const Couple& couple, const Kinetics& kinetics,
                                     const std::vector<double>& e,
                                     const std::vector<double>& durations, int nodes = 24);
std::vector<double> KineticDifferentialPulse(const Couple& couple, const Kinetics& kinetics,
                                             const std::vector<double>& e, double ePulse, double td,
                                             double tp);
std::vector<double> KineticSquareWave(const Couple& couple, const Kinetics& kinetics,
                                      const std::vector<double>& e, double ePulse, double tp);

}  // namespace vorex::validation
