#pragma once

// The diffusion-limited flux of a curved electrode beyond Cottrell's planar flux, the term that
// turns the planar step current into the electrode's own: a step to the limit at time t gives
//   I / (n F A C) = sqrt(D) (1 / sqrt(pi t) + g).
// g has the unit of 1/s^1/2.
#include "experiment/codes.h"

namespace vorex {

enum class ElectrodeShape { Planar, Sphere, Disc, Cylinder };

// The shape of an electrode (a half electrode has the whole one's current density); the thin film
// and the rotating disc are planar.
ElectrodeShape ShapeOf(ElectrodeCode electrode);

// g at time t [s] for the oxidised form's sqrt(D) `rootD` [cm/s^1/2] and `radius` [cm]:
//   sphere    rootD / r, at every time;
//   microdisc (4 rootD / (pi r)) (0.7854 + 0.2146 exp(-0.7823 / sqrt(tau))), tau = 4 D t / r^2,
//             which with Cottrell's term is Shoup and Szabo's current;
//   cylinder  (rootD / r) (f(tau) - 1 / sqrt(pi tau)), tau = D t / r^2, f the exact cylinder
//             current of Jaeger's integral.
// Raises RuntimeFault when the arithmetic fails (a zero radius or time).
double RadialTerm(ElectrodeShape shape, double rootD, double radius, double t);

// g of both forms of a couple, each at its own D (equal when D is).
struct RadialTerms {
  double ox = 0;
  double red = 0;
};
RadialTerms RadialTermsOf(ElectrodeShape shape, double rootDOx, double rootDRed, double radius,
                          double t);

}  // namespace vorex
