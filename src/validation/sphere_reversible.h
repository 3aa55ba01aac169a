#pragma once

// The exact current of a potential step at a sphere for a reversible couple whose two forms
// diffuse at different rates, from its Laplace transform.
//
// Each form s obeys dc/dt = D_s (c'' + 2c'/r) outside the sphere of radius a, which u = r c turns
// into planar diffusion; a surface value that is constant after the step gives the flux
//   D_s dc/dr = D_s dC (1/sqrt(pi D_s t) + 1/a),  in Laplace p: D_s dC (sqrt(p/D_s) + 1/a) / p.
// With Nernst at the surface, C_O(0) = theta C_R(0), theta = exp(nf(E - E0)), and the fluxes of
// O and R balanced in the transform, the flux of O per bulk concentration C_O* (no R in the bulk)
// is the inverse transform of
//   F_O(p) F_R(p) / (p (F_R(p) + theta F_O(p))),  F_s(p) = sqrt(D_s p) + D_s / a.
// It has no elementary inverse unless D_O = D_R; it is inverted here on Talbot's contour (Abate and
// Valko's fixed Talbot method, 2004), which with 32 nodes gives some ten digits.
namespace vorex::validation {

// The flux of O per bulk concentration [cm/s] at time t [s] after a step to theta from the bulk.
double SphereReversibleFlux(double dOx, double dRed, double radius, double t, double theta);

// theta at which the flux is half its limit (theta = 0), by bisection on ln theta: the half-wave
// potential is E0 + (RT/nF) ln theta.
double SphereHalfWaveTheta(double dOx, double dRed, double radius, double t);

}  // namespace vorex::validation
