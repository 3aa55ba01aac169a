#include "simulation/digital_simulation.h"

#include <algorithm>
#include <cmath>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/number_text.h"
#include "simulation/disc_simulation.h"
#include "simulation/ohmic_step.h"
#include "simulation/simulation_workspace.h"
#include "simulation/surface_kinetics.h"

namespace vorex {
namespace {

// Everything a run fixes at its set-up.
struct Run {
  const ParameterSet& p;
  const Programme& programme;
  SimulationWorkspace& ws;
  DigitalWork& w;
  Chemistry chemistry{MechanismCode::E};
  int ns = 0, nh = 0, n = 0;
  int nodes = 0;           // N
  int profile = 0;         // the last node of the profile: the bulk
  double ru = 0;           // uncompensated resistance [ohm]
  double capacitance = 0;  // Cdl A when the charging current is part of the step [F]
  double cMax = 0, dMax = 0, dMin = 0;
  int ref = 0;  // the species that holds cMax
  double bulk[kMaxNetworkSpecies] = {}, d[kMaxNetworkSpecies] = {}, g[kMaxNetworkSpecies] = {};
  double q = 0;  // current scale [A per unit of net rate]
  // Behind a resistance: the circuit, and the interfacial potentials of the last three steps [V].
  OhmicCell cell{};
  double interfacial = 0, interfacialBefore = 0, interfacialEarlier = 0;
  double faradaic = 0;  // the last step's faradaic current [A]
  double pre[kTransferSlots] = {};
  double radius = 0;  // operator radius [cm]; 0 for a plane
  CancelCheck cancel{};
  bool cancelled = false;
};

// A sweep takes one time step per point, a pulse point some sixty: the sweep asks for a cancel
// every 256 points, a pulse technique at every point, so that asking never shows in the time.
constexpr int kSweepPointsPerCancelCheck = 256;

// A rest longer than this many sweep steps is refused before the run (see the capture's check).
constexpr double kMostRestSteps = 1e6;
// A sweep step's faradaic current is a quarter step late (see OhmicDemand).
constexpr double kSweepLead = 0.25;

bool CancelNow(Run& r) {
  r.cancelled = r.cancel();
  return r.cancelled;
}

void ReferenceValues(Run& r) {
  const ParameterSet& p = r.p;
  r.dMax = p.D(1);
  r.dMin = p.D(1);
  r.cMax = p.CInit(1);
  r.ref = 1;
  for (int s = 2; s <= r.ns; ++s) {
    if (p.D(s) > r.dMax) r.dMax = p.D(s);
    r.dMin = std::min(r.dMin, p.D(s));
    if (p.CInit(s) > r.cMax) {
      r.cMax = p.CInit(s);
      r.ref = s;
    }
  }
  for (int s = 0; s < r.ns; ++s) {
    r.bulk[s] = CheckedDivide(p.CInit(s + 1), r.cMax);
    r.d[s] = p.D(s + 1);
  }
  r.q = 96.4846 * p.Area * r.cMax;
}

void ResetProfile(Run& r) {
  for (int s = 0; s < r.ns; ++s) {
    for (int j = 0; j <= r.profile; ++j) r.w.c[s][j] = r.bulk[s];
  }
}

// Every coefficient the set-up does not write holds 0; only the nodes in use are cleared, so a
// short run does not pay for the whole storage.
void ClearWork(DigitalWork& w, int nodes) {
  for (auto& row : w.c) row.fill(0);
  for (StepOperator& op : w.ops) {
    for (int j = 0; j <= nodes + 1; ++j) {
      op.dMa[j].fill(0);
      op.dMb[j].fill(0);
      op.diag[j].fill(0);
      op.m[j] = Block{};
    }
  }
  w.s = Block{};
  w.s0 = Block{};
  w.report = SolverReport{};
}

// The blocks of one step length: dm_s the dimensionless diffusion coefficient of each species.
void BuildOperator(const Run& r, const GridWeights& gw, const double* dm, double dt,
                   StepOperator& op) {
  op.dt = dt;
  op.rates = StepRatesFor(r.p, dt, r.cMax);
  for (int j = 1; j <= r.nodes; ++j) {
    for (int s = 0; s < r.ns; ++s) {
      op.dMa[j][s] = dm[s] * gw.a[j];
      op.dMb[j][s] = dm[s] * gw.b[j];
      op.diag[j][s] = 1 + op.dMa[j][s] + op.dMb[j][s];
      op.m[j][s][s] = op.diag[j][s];
    }
    ConstantReactionEntries(r.chemistry, op.m[j], op.rates);
  }
  // The eliminated blocks depend only on the blocks written here; the solver keeps them from
  // step to step until they are written again.
  op.scratch.keepElimination = true;
  op.scratch.eliminated = false;
}

void SurfaceRows(Run& r) {
  for (int s = 0; s < r.ns; ++s) r.w.s[s][s] = 1;
  ConservationEntries(r.chemistry, r.d, r.w.s);
  r.w.s0 = r.w.s;
  if (r.ru > 0) {
    r.cell = OhmicCell{&r.p, r.nh, r.n, r.nodes, r.g, r.q, r.ru, {}, r.chemistry};
    SurfaceSlopesFor(r.chemistry, r.nh, r.g, r.cell.slopes);
  }
}

// The linear sweep at a plane keeps the grid its waveform was tuned with: expansion e, first
// spacing sqrt(Dmax dt / lambda).
void SetUpSweepGrid(Run& r, double dt, int restSteps) {
  const DigitalGrid grid = DigitalGridFor(r.p, r.programme.pointCount + restSteps);
  r.nodes = grid.nodes;
  r.profile = grid.cells;
  double dm[kMaxNetworkSpecies] = {};
  for (int s = 0; s < r.ns; ++s) dm[s] = CheckedDivide(grid.lambda * r.d[s], r.dMax);
  ClearWork(r.w, r.nodes);
  GridWeights gw;
  SweepGridWeights(grid, Geometry::Planar, 0, gw);
  BuildOperator(r, gw, dm, dt, r.w.ops[0]);
  const double h0 = CheckedSqrt(CheckedDivide(r.d[0] * dt, dm[0]));
  const double dx1 = h0 * NodePosition(1);
  for (int s = 0; s < r.ns; ++s) r.g[s] = CheckedDivide(dx1, r.d[s]);
}

// Every other run: a grid fine enough for its shortest step, its electrode and its chemistry,
// and one operator per step length.
void SetUpResolvedGrid(Run& r, const double* stepLengths, int lengths, double span) {
  const ParameterSet& p = r.p;
  GridDemand demand;
  demand.dMin = r.dMin;
  demand.dMax = r.dMax;
  demand.step = *std::min_element(stepLengths, stepLengths + lengths);
  demand.span = span;
  const Geometry geometry = GeometryOf(p.Electrode);
  demand.radius = r.radius;
  demand.rate = FastestStepRate(p, r.cMax);
  const ResolvedGrid grid = ResolveGrid(demand);
  r.nodes = grid.nodes;
  r.profile = grid.nodes + 1;
  ClearWork(r.w, r.nodes);
  GridWeights gw;
  ResolvedGridWeights(grid, geometry, demand.radius / grid.h0, gw);
  for (int i = 0; i < lengths; ++i) {
    double dm[kMaxNetworkSpecies] = {};
    for (int s = 0; s < r.ns; ++s) dm[s] = r.d[s] * stepLengths[i] / (grid.h0 * grid.h0);
    BuildOperator(r, gw, dm, stepLengths[i], r.w.ops[i]);
  }
  const double dx1 = grid.h0 * FirstNodePosition(grid.gamma);
  for (int s = 0; s < r.ns; ++s) r.g[s] = CheckedDivide(dx1, r.d[s]);
}

// The rate constants of the charge transfers at the applied potential, in the surface rows.
void ApplyPotential(Run& r, double e, double* kred, double* kox) {
  RateConstantsAt(r.p, r.nh, e, kred, kox);
  KineticEntries(r.chemistry, kred, kox, r.g, r.w.s);
}

// The terms of a second-order reaction, linearised on the profile the step starts from.
void LineariseOnProfile(Run& r, StepOperator& op, SpeciesNode& c) {
  if (HasConcentrationEntries(r.chemistry)) {
    ConcentrationEntries(r.chemistry, c, op.diag, r.nodes, op.rates, op.m);
    op.scratch.eliminated = false;
  }
  ConcentrationSources(r.chemistry, r.nodes, op.rates, c);
}

void Solve(Run& r, StepOperator& op, SpeciesNode& c) {
  LineariseOnProfile(r, op, c);
  SolveImplicitStep(r.nodes, c, r.w.x, op.dMa, op.dMb, op.y, op.m, r.w.s, r.w.s0, r.n, op.scratch,
                    r.w.report);
}

// A step behind the resistance at applied potential e, from the guess u0, with the faradaic
// current carried on by `lead` of a step (see OhmicDemand); the charging current enters when the
// run has a capacitance. Writes the reactions' currents into current[1..nh].
OhmicOutcome OhmicSolve(Run& r, StepOperator& op, SpeciesNode& c, double e, double u0, double lead,
                        double* current) {
  LineariseOnProfile(r, op, c);
  const OhmicDemand demand{e, u0, r.interfacial, r.capacitance, op.dt, lead, r.faradaic};
  const OhmicOutcome o = SolveOhmicStep(r.cell, demand, op, c, r.w.x, r.w.s, r.w.s0, r.w.report);
  r.interfacialEarlier = r.interfacialBefore;
  r.interfacialBefore = r.interfacial;
  r.interfacial = o.u;
  r.faradaic = o.faradaic;
  for (int i = 1; i <= r.nh; ++i) current[i] = Finite(o.reaction[i]);
  return o;
}

// One step of backward Euler taken whole and in two halves, combined to second order
// (Richardson): 2 c(h/2, h/2) - c(h). It keeps backward Euler's damping of the jump at a new
// potential and removes most of its first-order error in the current.
void ExtrapolatedStep(Run& r, StepOperator& whole, StepOperator& half) {
  SpeciesNode& c = r.w.c;
  SpeciesNode& coarse = r.w.start;
  for (int s = 0; s < r.ns; ++s) std::copy_n(c[s].begin(), r.profile + 1, coarse[s].begin());
  Solve(r, whole, coarse);
  Solve(r, half, c);
  Solve(r, half, c);
  for (int s = 0; s < r.ns; ++s) {
    for (int j = 0; j <= r.nodes; ++j) c[s][j] = 2 * c[s][j] - coarse[s][j];
  }
}

// The currents of the reactions of profile c after a step; returns the total current.
double Sample(Run& r, const SpeciesNode& c, const double* kred, const double* kox,
              double* current) {
  double v[kTransferSlots] = {};
  NetRates(r.chemistry, c, kred, kox, v);
  double total = 0;
  for (int i = 1; i <= r.nh; ++i) {
    current[i] = Finite(r.p.N(i) * r.q * v[i]);
    total += current[i];
  }
  return Finite(total);
}

// Writes a sample: the surface concentrations, and the currents (or, for a reference segment,
// the currents the next sample subtracts); current[0] is the charging current of a step that
// holds it.
void Record(Run& r, int k, bool reference, const double* current) {
  r.w.charging[static_cast<std::size_t>(k)] = current[0];
  for (int s = 1; s <= r.ns; ++s)
    r.ws.SurfaceConcentration.Unchecked(k, s) = Finite(r.cMax * r.w.c[s - 1][0]);
  for (int i = 1; i <= r.nh; ++i) {
    if (reference) {
      r.pre[i] = current[i];
    } else {
      r.ws.SimulatedCurrent.Unchecked(k, i) = current[i] - r.pre[i];
    }
  }
}

// The steps of the rest at E start: its time in steps of the sweep's, at least one when it lasts.
int RestSteps(const ParameterSet& p, double dt) {
  if (!(p.TRest > 0)) return 0;
  const double steps = std::ceil(CheckedDivide(p.TRest, dt));
  if (steps > kMostRestSteps) throw RuntimeFault(kOverflow);
  return static_cast<int>(steps);
}

// The linear sweep and cycle: one backward-Euler step per data point. Behind a resistance the
// first trial potential is the parabola through the last three steps' potentials, close enough
// that a single closure and the tangent mostly settle the step; the drop is that of the faradaic
// current a quarter step on (see OhmicDemand).
// The rest at the first potential before the sweep, in steps of the sweep's own length: the
// profile relaxes there as it would in the cell, and nothing is recorded.
void RestAtStart(Run& r, StepOperator& op, int steps) {
  double kred[kTransferSlots] = {}, kox[kTransferSlots] = {}, current[kTransferSlots] = {};
  const double e = r.ws.Abscissa(1);
  for (int k = 1; k <= steps; ++k) {
    if (k % kSweepPointsPerCancelCheck == 0 && CancelNow(r)) return;
    if (r.ru > 0) {
      const double u0 = 3 * r.interfacial - 3 * r.interfacialBefore + r.interfacialEarlier;
      OhmicSolve(r, op, r.w.c, e, u0, kSweepLead, current);
    } else {
      ApplyPotential(r, e, kred, kox);
      Solve(r, op, r.w.c);
    }
  }
}

void SweepPoints(Run& r) {
  double kred[kTransferSlots] = {}, kox[kTransferSlots] = {}, current[kTransferSlots] = {};
  for (int k = 1; k <= r.programme.pointCount; ++k) {
    if (k % kSweepPointsPerCancelCheck == 0 && CancelNow(r)) return;
    const double e = r.ws.Abscissa(k);
    if (r.ru > 0) {
      const double u0 = 3 * r.interfacial - 3 * r.interfacialBefore + r.interfacialEarlier;
      current[0] = Finite(OhmicSolve(r, r.w.ops[0], r.w.c, e, u0, kSweepLead, current).charging);
    } else {
      ApplyPotential(r, e, kred, kox);
      Solve(r, r.w.ops[0], r.w.c);
      Sample(r, r.w.c, kred, kox, current);
    }
    Record(r, k, false, current);
  }
}

// The potential j sub-steps of `count` along the programme's line from `from` to `to`; the last
// is `to` itself, so that the sample belongs to the point's own potential.
double Along(double from, double to, int j, int count) {
  return j == count ? to : from + (to - from) * j / count;
}

// A sweep's sub-step from potential `from` to `to`, extrapolated as a pulse segment's steps are
// (see ExtrapolatedStep), but with each of its three steps at the potential the ramp has at its
// end: the extrapolation then removes backward Euler's lag behind the ramp with its other
// first-order error. Leaves the rate constants of `to` in kred and kox.
void RampStep(Run& r, double from, double to, double* kred, double* kox) {
  SpeciesNode& c = r.w.c;
  SpeciesNode& coarse = r.w.start;
  for (int s = 0; s < r.ns; ++s) std::copy_n(c[s].begin(), r.profile + 1, coarse[s].begin());
  ApplyPotential(r, to, kred, kox);
  Solve(r, r.w.ops[0], coarse);
  ApplyPotential(r, (from + to) / 2, kred, kox);
  Solve(r, r.w.ops[1], c);
  ApplyPotential(r, to, kred, kox);
  Solve(r, r.w.ops[1], c);
  for (int s = 0; s < r.ns; ++s) {
    for (int j = 0; j <= r.nodes; ++j) c[s][j] = 2 * c[s][j] - coarse[s][j];
  }
}

// The same behind a resistance, with the double layer's charging current inside the steps when
// the run has a capacitance: the interfacial potential holds the layer's charge, so it is
// extrapolated with the profile.
void OhmicRampStep(Run& r, double from, double to, double* current) {
  SpeciesNode& c = r.w.c;
  SpeciesNode& coarse = r.w.start;
  for (int s = 0; s < r.ns; ++s) std::copy_n(c[s].begin(), r.profile + 1, coarse[s].begin());
  double coarseCurrent[kTransferSlots] = {}, fineCurrent[kTransferSlots] = {};
  const double u = r.interfacial;
  const OhmicOutcome whole = OhmicSolve(r, r.w.ops[0], coarse, to, u, 0, coarseCurrent);
  r.interfacial = u;
  OhmicSolve(r, r.w.ops[1], c, (from + to) / 2, u, 0, fineCurrent);
  const OhmicOutcome fine = OhmicSolve(r, r.w.ops[1], c, to, r.interfacial, 0, fineCurrent);
  for (int s = 0; s < r.ns; ++s) {
    for (int j = 0; j <= r.nodes; ++j) c[s][j] = 2 * c[s][j] - coarse[s][j];
  }
  for (int i = 1; i <= r.nh; ++i) current[i] = Finite(2 * fineCurrent[i] - coarseCurrent[i]);
  current[0] = Finite(2 * fine.charging - whole.charging);
  if (r.capacitance > 0) r.interfacial = 2 * fine.u - whole.u;
}

// The linear sweep and cycle in r.w.ops' sub-steps per point (StepsPerPoint): the potential
// moves along the line from one point to the next, and the sample is taken at the point's end.
void SweepPointsInSubSteps(Run& r) {
  const int count = r.p.StepsPerPoint;
  double kred[kTransferSlots] = {}, kox[kTransferSlots] = {}, current[kTransferSlots] = {};
  for (int k = 1; k <= r.programme.pointCount; ++k) {
    if (CancelNow(r)) return;
    const double e = r.ws.Abscissa(k);
    const double before = k > 1 ? r.ws.Abscissa(k - 1) : e;
    for (int j = 1; j <= count; ++j) {
      const double from = Along(before, e, j - 1, count), to = Along(before, e, j, count);
      if (r.ru > 0) {
        OhmicRampStep(r, from, to, current);
      } else {
        RampStep(r, from, to, kred, kox);
      }
    }
    if (r.ru == 0) Sample(r, r.w.c, kred, kox, current);
    Record(r, k, false, current);
  }
}

// The same behind a resistance: each of the three steps finds its own electrode potential, and
// the currents are extrapolated with the profile.
void OhmicExtrapolatedStep(Run& r, StepOperator& whole, StepOperator& half, double e,
                           double* current) {
  SpeciesNode& c = r.w.c;
  SpeciesNode& coarse = r.w.start;
  for (int s = 0; s < r.ns; ++s) std::copy_n(c[s].begin(), r.profile + 1, coarse[s].begin());
  double coarseCurrent[kTransferSlots] = {}, fineCurrent[kTransferSlots] = {};
  const double u = r.interfacial;
  OhmicSolve(r, whole, coarse, e, u, 0, coarseCurrent);
  r.interfacial = u;
  OhmicSolve(r, half, c, e, u, 0, fineCurrent);
  OhmicSolve(r, half, c, e, r.interfacial, 0, fineCurrent);
  for (int s = 0; s < r.ns; ++s) {
    for (int j = 0; j <= r.nodes; ++j) c[s][j] = 2 * c[s][j] - coarse[s][j];
  }
  for (int i = 1; i <= r.nh; ++i) current[i] = Finite(2 * fineCurrent[i] - coarseCurrent[i]);
}

// One segment of a pulse point at potential e, ending in its currents.
void RunSegment(Run& r, StepOperator& whole, StepOperator& half, double e, double* current) {
  if (r.ru > 0) {
    for (int sub = 0; sub < kSubSteps; ++sub) OhmicExtrapolatedStep(r, whole, half, e, current);
    return;
  }
  double kred[kTransferSlots] = {}, kox[kTransferSlots] = {};
  ApplyPotential(r, e, kred, kox);
  for (int sub = 0; sub < kSubSteps; ++sub) ExtrapolatedStep(r, whole, half);
  Sample(r, r.w.c, kred, kox, current);
}

// The pulse techniques: each data point's segments in extrapolated steps.
void PulsePoints(Run& r, const PointSchedule& schedule, const int* opOf) {
  double current[kTransferSlots] = {};
  for (int k = 1; k <= r.programme.pointCount; ++k) {
    if (CancelNow(r)) return;
    const double e = r.ws.Abscissa(k);
    const double sigma = k <= r.programme.pointsPerSweep ? 1 : -1;
    if (schedule.freshDrop) ResetProfile(r);
    for (int i = 0; i < schedule.count; ++i) {
      const Segment& seg = schedule.segment[i];
      StepOperator& whole = r.w.ops[opOf[i]];
      StepOperator& half = r.w.ops[opOf[i] + 1];
      RunSegment(r, whole, half, e + (seg.pulse ? sigma : 1) * seg.offset, current);
      Record(r, k, seg.reference, current);
    }
  }
}

// A written mechanism's counts are checked against its network (see ChemistryOf).
void CheckCounts(const ParameterSet& p) {
  if (p.Mechanism == MechanismCode::Written) return;
  const int ns = p.SpeciesCount, nh = p.ChargeReactionCount, nk = p.HomogeneousReactionCount;
  if (ns < 2 || ns > 4 || nh < 1 || nh > 3 || nk < 0 || nk > 2)
    throw RuntimeFault(kSubscriptOutOfRange);
}

}  // namespace

namespace {

// The sweep in one step per point, or in StepsPerPoint sub-steps of a whole and a half
// operator. The sub-steps leave the plane's tuned grid for a resolved one: its cells grow by e,
// so wide that the peak wanders by 0.2 % as the sub-steps change its end, where the resolved
// grid's first spacing follows the half sub-step and its cells grow by 1.5. The rest at E start
// is taken in steps of the point's length (the last operator) either way, as its relaxation
// wants no more.
void SimulateSweep(Run& r, double dt) {
  const int rest = RestSteps(r.p, dt);
  const int count = r.p.StepsPerPoint;
  const double h = dt / count;
  const double subSteps[3] = {h, h / 2, dt};
  if (count == 1 && r.radius == 0) {
    SetUpSweepGrid(r, dt, rest);
  } else if (count == 1) {
    SetUpResolvedGrid(r, &dt, 1, dt * (r.programme.pointCount + rest));
  } else {
    SetUpResolvedGrid(r, subSteps, 3, dt * (r.programme.pointCount + rest));
  }
  SurfaceRows(r);
  ResetProfile(r);
  RestAtStart(r, r.w.ops[count == 1 ? 0 : 2], rest);
  if (r.cancelled) return;
  if (count == 1) {
    SweepPoints(r);
  } else {
    SweepPointsInSubSteps(r);
  }
}

// The run over the programme on the operator radius r.radius.
void Simulate(Run& r, const DigitalSteps& steps) {
  // The electrode rests at the programme's first potential until the run starts.
  r.interfacial = r.ws.Abscissa(1);
  r.interfacialBefore = r.interfacial;
  r.interfacialEarlier = r.interfacial;
  r.faradaic = 0;
  std::fill(std::begin(r.pre), std::end(r.pre), 0.0);
  if (r.p.Technique == TechniqueCode::LinearSweep) {
    SimulateSweep(r, steps.dt);
    return;
  }
  const PointSchedule schedule = PointScheduleFor(r.p, steps);
  double lengths[DigitalWork::kOperators] = {};
  int opOf[2] = {};
  const int count = PulseStepLengths(schedule, kSubSteps, lengths, opOf);
  SetUpResolvedGrid(r, lengths, count, PulseSpan(schedule, r.programme.pointCount));
  SurfaceRows(r);
  ResetProfile(r);
  PulsePoints(r, schedule, opOf);
}

}  // namespace

bool ChargesWithinSteps(const ParameterSet& p) {
  return p.Digital && p.Ru > 0 && p.Cdl > 0 && p.Technique == TechniqueCode::LinearSweep;
}

bool RunDigitalSimulation(const ParameterSet& p, const Programme& prog, SimulationWorkspace& ws,
                          DigitalWork& w, CancelCheck cancel) {
  CheckCounts(p);
  Run r{p, prog, ws, w, ChemistryOf(p)};
  r.cancel = cancel;
  r.ru = p.Ru > 0 ? Finite(p.Ru) : 0;
  if (ChargesWithinSteps(p)) r.capacitance = p.Cdl * p.Area;
  r.ns = p.SpeciesCount;
  r.nh = p.ChargeReactionCount;
  r.n = r.ns - 1;
  const DigitalSteps steps = DigitalStepsFor(p);
  if (steps.k > 32767) throw RuntimeFault(kOverflow);  // the 16-bit step counter
  if (p.StepsPerPoint < 1 || p.StepsPerPoint > kMostStepsPerPoint)
    throw RuntimeFault(kSubscriptOutOfRange);
  if (p.Electrode == ElectrodeCode::Microdisc) return RunDiscSimulation(p, prog, ws, w, cancel);
  ReferenceValues(r);
  if (GeometryOf(p.Electrode) != Geometry::Planar) r.radius = p.Radius;
  Simulate(r, steps);
  return !r.cancelled;
}

}  // namespace vorex
