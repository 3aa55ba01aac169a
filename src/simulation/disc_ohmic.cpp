#include "simulation/disc_ohmic.h"

#include <cmath>
#include <limits>

#include "base/checked_math.h"
#include "base/runtime_fault.h"
#include "simulation/disc_solver.h"
#include "simulation/reaction_terms.h"
#include "simulation/surface_kinetics.h"

namespace vorex {
namespace {

constexpr double kTolerance = 1e-9;  // [V], as at the other electrodes
constexpr int kMostClosures = 100;

struct Search {
  const DiscCell& cell;
  double ru;
  const OhmicDemand& d;
  DiscWork& w;
  DiscOperator& op;
  SolverReport& report;
  double conductance = 0;
  double kred[kTransferSlots]{}, kox[kTransferSlots]{};
  double reaction[kTransferSlots]{};
  double faradaic = 0, charging = 0;
};

double Balance(Search& s, double u) {
  CloseDiscAt(s.cell, s.w, s.op, u, s.kred, s.kox, s.report);
  s.faradaic = DiscReactionCurrents(s.cell, s.w, s.w.c0.data(), s.kred, s.kox, s.reaction);
  s.charging = -s.conductance * (u - s.d.before);
  return u - s.d.applied - s.ru * (s.faradaic + s.charging);
}

// dF/du at the last closure: the rate constants move with u, the surface rows with them and
// the surface values with the rows.
double Slope(Search& s) {
  const ParameterSet& p = *s.cell.p;
  double dRed[kTransferSlots] = {}, dOx[kTransferSlots] = {}, none[kTransferSlots] = {};
  for (int k = 1; k <= s.cell.nh; ++k) {
    const double nf = p.N(k) * p.FOverRT;
    dRed[k] = -p.Alpha(k) * nf * s.kred[k];
    dOx[k] = (1 - p.Alpha(k)) * nf * s.kox[k];
  }
  std::array<Block, kMaxDiscColumns> ds{};
  for (int i = 0; i < s.w.grid.columns; ++i) {
    double g[kMaxNetworkSpecies] = {};
    for (int sp = 0; sp < s.w.species; ++sp) g[sp] = CheckedDivide(s.w.grid.reach[i], s.cell.d[sp]);
    Block moved{}, fixed{};
    KineticEntries(s.cell.chemistry, dRed, dOx, g, moved);
    KineticEntries(s.cell.chemistry, none, none, g, fixed);
    for (int a = 0; a < s.w.species; ++a) {
      for (int b = 0; b < s.w.species; ++b) ds[i][a][b] = moved[a][b] - fixed[a][b];
    }
  }
  ShiftDiscSurface(s.w, s.op, ds);
  double byRates[kTransferSlots] = {}, bySurface[kTransferSlots] = {};
  DiscReactionCurrents(s.cell, s.w, s.w.c0.data(), dRed, dOx, byRates);
  DiscReactionCurrents(s.cell, s.w, s.w.shift.data(), s.kred, s.kox, bySurface);
  double slope = 0;
  for (int k = 1; k <= s.cell.nh; ++k) slope += byRates[k] + bySurface[k];
  const double f = 1 + s.ru * (s.conductance - slope);
  return f >= 1 ? f : 1;
}

}  // namespace

OhmicOutcome SolveDiscOhmicStep(const DiscCell& cell, double ru, const OhmicDemand& d, DiscWork& w,
                                DiscOperator& op, double* c, SolverReport& report) {
  PrepareDiscStep(w, op, cell.chemistry, c, report);
  Search s{cell, ru, d, w, op, report};
  s.conductance = d.capacitance > 0 ? d.capacitance / d.dt : 0;
  if (!std::isfinite(d.guess)) throw RuntimeFault(kOverflow);
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double below = -kInfinity, above = kInfinity, lastStep = kInfinity;
  double u = d.guess, f = Balance(s, u);
  for (int closures = 1;; ++closures) {
    if (f > 0) {
      above = u;
    } else if (f < 0) {
      below = u;
    } else {
      break;  // balanced, or not a number, which the caller's checks refuse
    }
    const double step = f / Slope(s);
    if (std::fabs(step) <= kTolerance || above - below <= kTolerance) break;
    if (closures == kMostClosures)
      throw RuntimeFault("The ohmic drop found no electrode potential that carries its current");
    double next = u - step;
    const bool inside = next > below && next < above;
    const bool bounded = std::isfinite(below) && std::isfinite(above);
    if (bounded && (!inside || std::fabs(step) > lastStep / 2)) next = below + (above - below) / 2;
    lastStep = std::fabs(next - u);
    u = next;
    f = Balance(s, u);
  }
  FinishDiscStep(w, op, c);
  OhmicOutcome o{u, {}, s.faradaic, s.charging};
  for (int k = 1; k <= cell.nh; ++k) o.reaction[k] = s.reaction[k];
  return o;
}

}  // namespace vorex
