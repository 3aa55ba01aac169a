#pragma once

// The diffusion-limited current at a cylinder of radius r after a potential step, as the
// dimensionless factor f(tau) of I = nFADC f(tau) / r, tau = Dt/r^2.
namespace vorex::validation {

// Exact: f(tau) = (4/pi^2) Int_0^inf exp(-tau u^2) / (u [J0(u)^2 + Y0(u)^2]) du (Jaeger 1942;
// Szabo, Cope, Tallman, Kovach & Wightman 1987), by quadrature.
double CylinderFactor(double tau);
// Short times (Szabo et al. 1987, after Jaeger & Clarke 1942):
// 1/sqrt(pi tau) + 1/2 - (1/4) sqrt(tau/pi) + tau/8.
double CylinderFactorShortTime(double tau);
// Long times (Szabo et al. 1987): 2/L - 2 gamma/L^2 with L = ln(4 tau) - 2 gamma.
double CylinderFactorLongTime(double tau);

}  // namespace vorex::validation
