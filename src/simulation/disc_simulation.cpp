#include "simulation/disc_simulation.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/checked_math.h"
#include "simulation/disc_ohmic.h"
#include "simulation/disc_solver.h"
#include "simulation/simulation_workspace.h"

namespace vorex {
namespace {

constexpr int kSweepPointsPerCancelCheck = 256;
// A pulse segment takes twice the planar sub-steps: the edge's current converges more slowly
// than Cottrell's, and twenty put the step current within 0.05 % of where more would take it.
constexpr int kDiscSubSteps = 3 * kSubSteps / 2;
constexpr double kMostRestSteps = 1e6;
constexpr int kSecondOrderColumns = 8;

struct DiscRun {
  const ParameterSet& p;
  const Programme& programme;
  SimulationWorkspace& ws;
  DigitalWork& work;
  DiscWork& w;
  DiscCell cell;
  int ns = 0, nh = 0;
  double a = 0;  // radius [cm]
  double cMax = 0, dMin = 0, dMax = 0;
  double bulk[kMaxNetworkSpecies] = {}, d[kMaxNetworkSpecies] = {};
  double ru = 0, capacitance = 0;
  double interfacial = 0, interfacialBefore = 0;
  double pre[kTransferSlots] = {};
  CancelCheck cancel{};
  bool cancelled = false;
};

bool CancelNow(DiscRun& r) {
  r.cancelled = r.cancel();
  return r.cancelled;
}

void ReferenceValues(DiscRun& r) {
  const ParameterSet& p = r.p;
  r.cMax = p.CInit(1);
  r.dMin = r.dMax = p.D(1);
  for (int s = 1; s <= r.ns; ++s) {
    r.cMax = std::max(r.cMax, p.CInit(s));
    r.dMin = std::min(r.dMin, p.D(s));
    r.dMax = std::max(r.dMax, p.D(s));
  }
  for (int s = 0; s < r.ns; ++s) {
    r.bulk[s] = CheckedDivide(p.CInit(s + 1), r.cMax);
    r.d[s] = p.D(s + 1);
  }
  r.cell = DiscCell{&p, r.nh, r.d, 96.4846 * p.Area * r.cMax, ChemistryOf(p)};
}

// Chemistry couples the species of a cell when it puts an entry off the diagonal.
bool Coupled(const DiscRun& r) {
  if (HasConcentrationEntries(r.cell.chemistry)) return true;
  Block m{};
  ConstantReactionEntries(r.cell.chemistry, m, StepRatesFor(r.p, 1, r.cMax));
  for (int i = 0; i < r.ns; ++i) {
    for (int j = 0; j < r.ns; ++j) {
      if (i != j && m[i][j] != 0) return true;
    }
  }
  return false;
}

void ResetProfile(DiscRun& r) {
  const int u = r.w.unknowns, n = r.w.grid.columns;
  for (int j = 0; j <= r.w.grid.rows + 1; ++j) {
    for (int k = 0; k < u; ++k) r.w.c.Unchecked(j * u + k) = r.bulk[k / n];
  }
}

// A grid for the shortest step and the whole span, one operator per step length, the surface
// rows that conserve matter, and the bulk profile.
void SetUp(DiscRun& r, const double* lengths, int count, double span) {
  const ParameterSet& p = r.p;
  const bool coupled = Coupled(r);
  DiscDemand demand;
  demand.radius = r.a;
  demand.dMin = r.dMin;
  demand.dMax = r.dMax;
  // The half steps only refine the whole steps, so the whole steps size the grid.
  demand.step = 2 * *std::min_element(lengths, lengths + count);
  demand.span = span;
  demand.rate = FastestStepRate(p, r.cMax);
  if (coupled) demand.mostColumns = kMostDiscBlock / r.ns;
  // Second-order chemistry eliminates afresh at every step, at a cost of the cube of the
  // block: its runs take the fewest columns the widest cells allow.
  const bool secondOrder = HasConcentrationEntries(r.cell.chemistry);
  if (secondOrder) demand.mostColumns = kSecondOrderColumns;
  ShapeDiscWork(r.w, DiscGridFor(demand), r.ns, coupled, secondOrder);
  for (int i = 0; i < count; ++i)
    SetDiscOperator(r.w.ops[i], r.cell.chemistry, r.w, r.d, r.a, lengths[i],
                    StepRatesFor(p, lengths[i], r.cMax));
  r.w.s0 = Block{};
  for (int s = 0; s < r.ns; ++s) r.w.s0[s][s] = 1;
  ConservationEntries(r.cell.chemistry, r.d, r.w.s0);
  ResetProfile(r);
}

void Solve(DiscRun& r, DiscOperator& op, double* c, double e, double* kred, double* kox) {
  PrepareDiscStep(r.w, op, r.cell.chemistry, c, r.work.report);
  CloseDiscAt(r.cell, r.w, op, e, kred, kox, r.work.report);
  FinishDiscStep(r.w, op, c);
}

// c = 2 c - start over every row the steps move.
void Extrapolate(DiscRun& r) {
  const int last = (r.w.grid.rows + 1) * r.w.unknowns;
  double* c = r.w.c.data();
  const double* coarse = r.w.start.data();
  for (int k = 0; k < last; ++k) c[k] = 2 * c[k] - coarse[k];
}

void KeepStart(DiscRun& r) {
  const int all = (r.w.grid.rows + 2) * r.w.unknowns;
  std::copy_n(r.w.c.data(), all, r.w.start.data());
}

// One extrapolated step whose potential runs from the last to e; the currents at its end.
void ExtrapolatedStep(DiscRun& r, DiscOperator& whole, DiscOperator& half, double middle, double e,
                      double* current) {
  double kred[kTransferSlots] = {}, kox[kTransferSlots] = {};
  KeepStart(r);
  Solve(r, whole, r.w.start.data(), e, kred, kox);
  Solve(r, half, r.w.c.data(), middle, kred, kox);
  Solve(r, half, r.w.c.data(), e, kred, kox);
  Extrapolate(r);
  current[0] = 0;
  DiscReactionCurrents(r.cell, r.w, r.w.c.data(), kred, kox, current);
  for (int i = 1; i <= r.nh; ++i) current[i] = Finite(current[i]);
}

// The same behind the resistance: each of the three steps finds its own potential, and the
// currents, the charging current and the potential are extrapolated with the profile.
void OhmicExtrapolatedStep(DiscRun& r, DiscOperator& whole, DiscOperator& half, double middle,
                           double e, double* current) {
  KeepStart(r);
  const double u0 = r.interfacial, drift = r.interfacial - r.interfacialBefore;
  const double cap = r.capacitance;
  const OhmicOutcome coarse =
      SolveDiscOhmicStep(r.cell, r.ru, {e, u0 + drift, u0, cap, whole.dt, 0, 0}, r.w, whole,
                         r.w.start.data(), r.work.report);
  const OhmicOutcome first =
      SolveDiscOhmicStep(r.cell, r.ru, {middle, u0 + drift / 2, u0, cap, half.dt, 0, 0}, r.w, half,
                         r.w.c.data(), r.work.report);
  const OhmicOutcome second =
      SolveDiscOhmicStep(r.cell, r.ru, {e, first.u + drift / 2, first.u, cap, half.dt, 0, 0}, r.w,
                         half, r.w.c.data(), r.work.report);
  Extrapolate(r);
  for (int i = 1; i <= r.nh; ++i) current[i] = Finite(2 * second.reaction[i] - coarse.reaction[i]);
  current[0] = Finite(2 * second.charging - coarse.charging);
  r.interfacialBefore = r.interfacial;
  r.interfacial = Finite(2 * second.u - coarse.u);
}

void Step(DiscRun& r, DiscOperator& whole, DiscOperator& half, double from, double e,
          double* current) {
  const double middle = (from + e) / 2;
  if (r.ru > 0) {
    OhmicExtrapolatedStep(r, whole, half, middle, e, current);
  } else {
    ExtrapolatedStep(r, whole, half, middle, e, current);
  }
}

// Writes a sample: the surface concentrations averaged over the disc, and the currents (or,
// for a reference segment, the currents the next sample subtracts).
void Record(DiscRun& r, int k, bool reference, const double* current) {
  r.work.charging[static_cast<std::size_t>(k)] = current[0];
  const int n = r.w.grid.columns;
  for (int s = 0; s < r.ns; ++s) {
    double mean = 0;
    for (int i = 0; i < n; ++i) mean += r.w.grid.share[i] * r.w.c.Unchecked(s * n + i);
    r.ws.SurfaceConcentration.Unchecked(k, s + 1) = Finite(r.cMax * mean);
  }
  for (int i = 1; i <= r.nh; ++i) {
    if (reference) {
      r.pre[i] = current[i];
    } else {
      r.ws.SimulatedCurrent.Unchecked(k, i) = current[i] - r.pre[i];
    }
  }
}

int RestSteps(const ParameterSet& p, double dt) {
  if (!(p.TRest > 0)) return 0;
  const double steps = std::ceil(CheckedDivide(p.TRest, dt));
  if (steps > kMostRestSteps) throw RuntimeFault(kOverflow);
  return static_cast<int>(steps);
}

// The sweep: StepsPerPoint extrapolated steps per point, the potential moving along the line
// from one point to the next, after the rest at the first potential in steps of a point's length.
void Sweep(DiscRun& r, double dt) {
  const int rest = RestSteps(r.p, dt);
  const int count = r.p.StepsPerPoint;
  const double h = dt / count;
  const double lengths[4] = {h, h / 2, dt, dt / 2};
  SetUp(r, lengths, count == 1 ? 2 : 4, dt * (r.programme.pointCount + rest));
  DiscOperator& restWhole = r.w.ops[count == 1 ? 0 : 2];
  DiscOperator& restHalf = r.w.ops[count == 1 ? 1 : 3];
  double current[kTransferSlots] = {};
  const double first = r.ws.Abscissa(1);
  for (int k = 1; k <= rest; ++k) {
    if (k % kSweepPointsPerCancelCheck == 0 && CancelNow(r)) return;
    Step(r, restWhole, restHalf, first, first, current);
  }
  double from = first;
  for (int k = 1; k <= r.programme.pointCount; ++k) {
    if (k % kSweepPointsPerCancelCheck == 0 && CancelNow(r)) return;
    const double e = r.ws.Abscissa(k);
    for (int j = 1; j <= count; ++j) {
      const double to = j == count ? e : from + (e - from) / (count - j + 1);
      Step(r, r.w.ops[0], r.w.ops[1], from, to, current);
      from = to;
    }
    Record(r, k, false, current);
  }
}

void Pulses(DiscRun& r, const DigitalSteps& steps) {
  const PointSchedule schedule = PointScheduleFor(r.p, steps);
  double lengths[DiscWork::kOperators] = {};
  int opOf[2] = {};
  const int count = PulseStepLengths(schedule, kDiscSubSteps, lengths, opOf);
  SetUp(r, lengths, count, PulseSpan(schedule, r.programme.pointCount));
  double current[kTransferSlots] = {};
  for (int k = 1; k <= r.programme.pointCount; ++k) {
    if (CancelNow(r)) return;
    const double e = r.ws.Abscissa(k);
    const double sigma = k <= r.programme.pointsPerSweep ? 1 : -1;
    if (schedule.freshDrop) ResetProfile(r);
    for (int i = 0; i < schedule.count; ++i) {
      const Segment& seg = schedule.segment[i];
      const double at = e + (seg.pulse ? sigma : 1) * seg.offset;
      for (int sub = 0; sub < kDiscSubSteps; ++sub)
        Step(r, r.w.ops[opOf[i]], r.w.ops[opOf[i] + 1], at, at, current);
      current[0] = 0;
      Record(r, k, seg.reference, current);
    }
  }
}

}  // namespace

bool RunDiscSimulation(const ParameterSet& p, const Programme& prog, SimulationWorkspace& ws,
                       DigitalWork& work, CancelCheck cancel) {
  if (!work.disc) work.disc = std::make_unique<DiscWork>();
  DiscRun r{p, prog, ws, work, *work.disc, {}};
  r.cancel = cancel;
  r.ns = p.SpeciesCount;
  r.nh = p.ChargeReactionCount;
  r.a = p.Radius;
  r.ru = p.Ru > 0 ? Finite(p.Ru) : 0;
  if (ChargesWithinSteps(p)) r.capacitance = p.Cdl * p.Area;
  ReferenceValues(r);
  // The electrode rests at the programme's first potential until the run starts.
  r.interfacial = r.interfacialBefore = ws.Abscissa(1);
  const DigitalSteps steps = DigitalStepsFor(p);
  if (p.Technique == TechniqueCode::LinearSweep) {
    Sweep(r, steps.dt);
  } else {
    Pulses(r, steps);
  }
  return !r.cancelled;
}

}  // namespace vorex
