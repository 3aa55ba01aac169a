#include "simulation/ohmic_step.h"

#include <cmath>
#include <limits>

#include "base/runtime_fault.h"
#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

// A potential this close to the root leaves the current some 4e-8 of itself off its
// consistent value, far below any step's own error; the noise of F is some 1e-10 V.
constexpr double kTolerance = 1e-9;  // [V]
// A correction du with n F du / RT below this moves the rate constants by factors whose
// curvature, (n F du / RT)^2 / 2 < 1e-9, is all the tangent leaves out.
constexpr double kTangentReach = 4e-5;
// Bisection alone would reach the tolerance from a bracket of 1e21 V in this many trials.
constexpr int kMostClosures = 100;

// One trial potential and what the step's closure gives there.
struct Trial {
  double u = 0;
  double f = 0;                // F(u) [V]
  double v[kTransferSlots]{};  // net rates of the charge reactions
  double faradaic = 0, charging = 0;
};

// Everything a step's trials share; kred, kox, c0 and the derivatives belong to the last trial.
struct Search {
  const OhmicCell& cell;
  const OhmicDemand& d;
  StepOperator& op;
  const NodeSpecies& x;
  Block& s;
  SolverReport& report;
  double conductance = 0;  // the double layer's over one step [S]
  double mostNf = 0;       // the largest n F / RT of the reactions [1/V]
  double kred[kTransferSlots]{}, kox[kTransferSlots]{};
  SurfaceValues c0{}, dc0{};
  double dv[kTransferSlots]{};  // dv/du
};

// F from the net rates, which fix the faradaic current.
void Balance(const Search& w, Trial& t) {
  const ParameterSet& p = *w.cell.p;
  t.faradaic = 0;
  for (int k = 1; k <= w.cell.nh; ++k) t.faradaic += p.N(k) * w.cell.q * t.v[k];
  t.charging = -w.conductance * (t.u - w.d.before);
  const double carried = t.faradaic + w.d.lead * (t.faradaic - w.d.faradaicBefore);
  t.f = t.u - w.d.applied - w.cell.ru * (carried + t.charging);
}

Trial Evaluate(Search& w, double u) {
  const ParameterSet& p = *w.cell.p;
  RateConstantsAt(p, w.cell.nh, u, w.kred, w.kox);
  KineticEntries(w.cell.chemistry, w.kred, w.kox, w.cell.g, w.s);
  CloseImplicitSurface(w.s, w.x, w.op.dMa, w.cell.n, w.op.scratch, w.report, w.c0);
  Trial t;
  t.u = u;
  NetRatesAt(w.cell.chemistry, w.c0, w.kred, w.kox, t.v);
  Balance(w, t);
  return t;
}

// dF/du at the last trial, keeping dc(0)/du and dv/du. The rate constants move with u, the
// surface rows with them, and the surface values with the rows: dc(0) = -R (dS/du) c(0) (see
// SurfaceShift).
double Slope(Search& w) {
  const ParameterSet& p = *w.cell.p;
  const int n = w.cell.n;
  double dRed[kTransferSlots] = {}, dOx[kTransferSlots] = {};
  for (int k = 1; k <= w.cell.nh; ++k) {
    const double nf = p.N(k) * p.FOverRT;
    dRed[k] = -p.Alpha(k) * nf * w.kred[k];
    dOx[k] = (1 - p.Alpha(k)) * nf * w.kox[k];
  }
  SurfaceValues moved{};
  for (int i = 0; i <= n; ++i) {
    for (int k = 1; k <= w.cell.nh; ++k) {
      const auto &red = w.cell.slopes.red[k][i], &ox = w.cell.slopes.ox[k][i];
      for (int j = 0; j <= n; ++j) moved[i] += (dRed[k] * red[j] + dOx[k] * ox[j]) * w.c0[j];
    }
  }
  SurfaceShift(w.op.scratch, n, moved, w.dc0);
  double byRates[kTransferSlots] = {}, bySurface[kTransferSlots] = {};
  NetRatesAt(w.cell.chemistry, w.c0, dRed, dOx, byRates);
  NetRatesAt(w.cell.chemistry, w.dc0, w.kred, w.kox, bySurface);
  double faradaicSlope = 0;
  for (int k = 1; k <= w.cell.nh; ++k) {
    w.dv[k] = byRates[k] + bySurface[k];
    faradaicSlope += p.N(k) * w.cell.q * w.dv[k];
  }
  const double slope = 1 + w.cell.ru * (w.conductance - (1 + w.d.lead) * faradaicSlope);
  // F rises at least as fast as u; a smaller slope is rounding, or a mechanism that breaks the
  // rule, and the bounds then keep the trials in hand.
  return slope >= 1 ? slope : 1;
}

// The last trial moved by du along the tangent of the step's linear system.
Trial Along(Search& w, const Trial& from, double du) {
  Trial t = from;
  t.u += du;
  for (int k = 1; k <= w.cell.nh; ++k) t.v[k] += w.dv[k] * du;
  for (int i = 0; i <= w.cell.n; ++i) w.c0[i] += w.dc0[i] * du;
  Balance(w, t);
  return t;
}

// Newton's method from the guess, bounded by the trials on either side of the root.
Trial Find(Search& w, double guess) {
  if (!std::isfinite(guess)) throw RuntimeFault(kOverflow);
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double below = -kInfinity, above = kInfinity;  // trials known to lie below and above the root
  Trial t = Evaluate(w, guess);
  double slope = Slope(w);
  bool fresh = true;  // the slope and the derivatives belong to t
  double lastStep = kInfinity;
  for (int closures = 1;; ++closures) {
    if (t.f > 0) {
      above = t.u;
    } else if (t.f < 0) {
      below = t.u;
    } else {
      return t;  // exactly balanced, or not a number, which the caller's checks refuse
    }
    const double step = t.f / slope;
    if (std::fabs(step) <= kTolerance || above - below <= kTolerance) return t;
    double next = t.u - step;
    const bool inside = next > below && next < above;
    if (fresh && inside && std::fabs(step) * w.mostNf <= kTangentReach) return Along(w, t, -step);
    if (closures == kMostClosures)
      throw RuntimeFault("The ohmic drop found no electrode potential that carries its current");
    // Newton's step gives way to bisection when it would leave the bounds, or when it is not
    // half the step before: from outside a steep wave it can land just inside the far bound
    // again and again.
    const bool bounded = std::isfinite(below) && std::isfinite(above);
    if (bounded && (!inside || std::fabs(step) > lastStep / 2)) next = below + (above - below) / 2;
    lastStep = std::fabs(next - t.u);
    t = Evaluate(w, next);
    // The last slope judges whether this trial is close enough; a fresh one makes the next step.
    fresh = std::fabs(t.f) > kTolerance * slope;
    if (fresh) slope = Slope(w);
  }
}

}  // namespace

OhmicOutcome SolveOhmicStep(const OhmicCell& cell, const OhmicDemand& d, StepOperator& op,
                            SpeciesNode& c, NodeSpecies& x, Block& s, const Block& s0,
                            SolverReport& report) {
  PrepareImplicitStep(cell.nodes, c, x, op.dMa, op.dMb, op.y, op.m, s0, cell.n, op.scratch, report);
  Search w{cell, d, op, x, s, report};
  w.conductance = d.capacitance > 0 ? d.capacitance / d.dt : 0;
  for (int k = 1; k <= cell.nh; ++k)
    w.mostNf = std::fmax(w.mostNf, std::fabs(cell.p->N(k) * cell.p->FOverRT));
  const Trial t = Find(w, d.guess);
  for (int sp = 0; sp <= cell.n; ++sp) c[sp][0] = w.c0[sp];
  FinishImplicitStep(cell.nodes, c, x, op.dMa, op.y, cell.n, op.scratch, report);
  OhmicOutcome o{t.u, {}, t.faradaic, t.charging};
  for (int k = 1; k <= cell.nh; ++k) o.reaction[k] = cell.p->N(k) * cell.q * t.v[k];
  return o;
}

}  // namespace vorex
