#pragma once

#include <array>
#include <vector>

#include "validation/figures_of_merit.h"
#include "validation/program_constants.h"

// A cyclic voltammogram of a small reaction scheme at a plane electrode, worked out here from
// the equations alone so that the digital simulation can be checked against it: the method of
// lines on a uniform grid (a half cell at the electrode, so the flux there is second order in
// the spacing), the second-order backward differentiation formula in time after one
// backward-Euler step, and Newton's method to convergence at every step. It shares nothing
// with the simulation: not its grid, its solver, its reaction terms, nor its scaling of
// concentrations and rate constants.
namespace vorex::validation {

inline constexpr int kReferenceSpecies = 5;

// ox + n e = red under Butler-Volmer kinetics: kred = ks exp(-alpha n f (E - E0)),
// kox = ks exp((1 - alpha) n f (E - E0)).
struct ReferenceCouple {
  int ox = 0, red = 1;
  double n = 1, e0 = 0, ks = 1, alpha = 0.5;
};

struct ReferenceTerm {
  int species = 0;
  int count = 1;
};

// reactants = products: forward rate kf prod c^count over the reactants, backward kb over the
// products, c in mol/L; kf and kb in 1/s for a side of order 1, L mol^-1 s^-1 for order 2.
struct ReferenceStep {
  std::vector<ReferenceTerm> reactants, products;
  double kf = 0, kb = 0;
};

struct ReferenceScheme {
  int species = 2;
  std::array<double, kReferenceSpecies> d{};     // [cm2/s]
  std::array<double, kReferenceSpecies> bulk{};  // [mol/L], the solution at the start
  std::vector<ReferenceCouple> couples;
  std::vector<ReferenceStep> steps;
};

// One cycle from eStart to eVertex and back at scan rate v.
struct ReferenceSweep {
  double eStart = 0.3, eVertex = -0.3, v = 0.1;  // [V], [V], [V/s]
  double area = 1;                               // [cm2]
  double frt = kFrt;                             // F/RT [1/V]
};

// Spacing h [cm]; the potential moves eStep [V] per time step; the grid reaches `lengths`
// diffusion lengths sqrt(Dmax t) of the whole cycle, where the bulk is held.
struct ReferenceResolution {
  double h = 1e-5;
  double eStep = 5e-4;
  double lengths = 6;
  ReferenceResolution Halved() const { return {h / 2, eStep / 2, lengths}; }
};

// The current [A], reduction positive, after every time step, against the potential there (the
// first one step from E start); the vertex is held for two points as the program's programme
// holds it (see AnodicPeak). Throws
// std::runtime_error when Newton's method does not converge or the scheme is malformed.
Curve ReferenceCv(const ReferenceScheme& scheme, const ReferenceSweep& sweep,
                  const ReferenceResolution& resolution);

}  // namespace vorex::validation
