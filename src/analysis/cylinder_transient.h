#pragma once

namespace vorex {

// The diffusion-limited current after a potential step at a cylinder of radius r (Jaeger's
// exterior problem), I = nFADC f(tau) / r, as f at the dimensionless time tau = Dt / r^2:
//   f(tau) = (4 / pi^2) Int_0^inf exp(-tau u^2) / (u [J0(u)^2 + Y0(u)^2]) du.
// Agrees with the integral to 2e-10 (the ten-digit pi) for tau from 1e-4 to 1e6 and costs
// some 200 cheap terms, about 15 us, so fits may call it freely. Raises "Invalid procedure call or
// argument" unless tau is positive and finite.
double CylinderCurrentFactor(double tau);

}  // namespace vorex
