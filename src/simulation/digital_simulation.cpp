#include "simulation/digital_simulation.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/number_text.h"
#include "simulation/simulation_workspace.h"

namespace vorex {
namespace {

enum Species { A = 0, B = 1, C = 2, D = 3 };

constexpr double kMaxTimeSteps = 2e7;

// Reaction X = Y with kf turning X into Y and kb turning Y into X, in the balances of X and Y.
void AddExchange(Block& m, int from, int to, double kf, double kb) {
  m[from][from] += kf;
  m[from][to] = -kb;
  m[to][from] = -kf;
  m[to][to] += kb;
}

void ConstantReactionEntries(int mechanism, Block& m, double kf1, double kb1, double kf2,
                             double kb2) {
  switch (mechanism) {
    case 5: AddExchange(m, C, A, kf1, kb1); break;
    case 6:
      AddExchange(m, C, A, kf1, kb1);
      AddExchange(m, B, D, kf2, kb2);
      break;
    case 7:
    case 11: AddExchange(m, B, C, kf1, kb1); break;
    case 8:
      m[B][C] = -kb1;
      m[C][B] = -2 * kf1;
      m[C][C] += kb1;
      break;
    case 9: AddExchange(m, B, A, kf1, kb1); break;
    case 10:
      m[A][A] += kb1;
      m[A][B] = -2 * kf1;
      m[B][A] = -kb1;
      break;
    case 12:
    case 15: AddExchange(m, B, D, kf1, kb1); break;
    case 13:
      AddExchange(m, B, D, kf1, kb1);
      AddExchange(m, C, A, kf2, kb2);
      break;
    case 14: AddExchange(m, C, D, kf1, kb1); break;
    case 17:
      m[A][C] = -kf1;
      m[C][A] = -kb1;
      m[C][C] += kf1;
      m[D][C] = -kf1;
      break;
    default: break;
  }
}

// The second-order terms, linearised on the profile before the step.
void ConcentrationEntries(int mechanism, DigitalWork& w, int nodes, double kf1, double kb1) {
  if (mechanism != 8 && mechanism != 10 && mechanism != 16 && mechanism != 17) return;
  for (int j = 1; j <= nodes; ++j) {
    Block& m = w.m[j];
    const auto& dg = w.diag[j];
    const double ca = w.c[A][j], cb = w.c[B][j], cc = w.c[C][j], cd = w.c[D][j];
    if (mechanism == 8 || mechanism == 10) {
      m[B][B] = dg[B] + 2 * kf1 * cb;
    } else if (mechanism == 16) {
      m[A][A] = dg[A] + kb1 * cd;
      m[B][A] = -kb1 * cd;
      m[C][A] = -kb1 * cd;
      m[D][A] = kb1 * cd;
      m[A][B] = -kf1 * cc;
      m[B][B] = dg[B] + kf1 * cc;
      m[C][B] = kf1 * cc;
      m[D][B] = -kf1 * cc;
      m[A][C] = -kf1 * cb;
      m[B][C] = kf1 * cb;
      m[C][C] = dg[C] + kf1 * cb;
      m[D][C] = -kf1 * cb;
      m[A][D] = kb1 * ca;
      m[B][D] = -kb1 * ca;
      m[C][D] = -kb1 * ca;
      m[D][D] = dg[D] + kb1 * ca;
    } else {
      m[A][A] = dg[A] + kb1 * cd;
      m[D][D] = dg[D] + kb1 * ca;
    }
  }
}

// Conservation rows of the surface: a row of ones over the species a couple exchanges.
void ConservationEntries(int mechanism, Block& s) {
  switch (mechanism) {
    case 2: case 14: case 15: s[B][A] = 1; s[B][C] = 1; break;
    case 3: s[B][A] = 1; s[C][B] = 1; s[C][D] = 1; break;
    case 4: case 11: case 12: case 13: s[B][A] = 1; s[D][C] = 1; break;
    default: s[B][A] = 1; break;
  }
}

// Every coefficient the set-up does not write holds 0; only the nodes in use are cleared, so a
// short run does not pay for the whole storage.
void ClearWork(DigitalWork& w, int nodes) {
  for (auto& row : w.c) row.fill(0);
  for (int j = 0; j <= nodes + 1; ++j) {
    w.dMa[j].fill(0);
    w.dMb[j].fill(0);
    w.diag[j].fill(0);
    w.m[j] = Block{};
  }
  w.s = Block{};
  w.s0 = Block{};
  w.report = SolverReport{};
}

int Operator(int electrode) {  // 0 planar, 1 spherical, 2 cylindrical
  if (electrode >= 2 && electrode <= 4) return 1;
  if (electrode == 5 || electrode == 6) return 2;
  return 0;
}

struct Grid {
  std::array<double, kMaxSolverNode + 2> x{}, m{}, a{}, b{};
};

void BuildGrid(const DigitalGrid& dg, int op, double rho, Grid& g) {
  for (int j = 1; j <= dg.cells; ++j) {
    g.x[j] = CellBoundary(j);
    g.m[j] = NodePosition(j);
  }
  const int last = static_cast<int>(std::floor(dg.nReal));
  g.a[1] = CheckedDivide(1, g.m[1]);
  const double r1 = rho + 1;
  switch (op) {
    case 0: g.b[1] = CheckedDivide(1, g.m[2] - g.m[1]); break;
    case 1: g.b[1] = CheckedDivide(3 * r1 * r1, (r1 * r1 * r1 - rho * rho * rho) * (g.m[2] - g.m[1])); break;
    default: g.b[1] = CheckedDivide(2 * r1, (r1 * r1 - rho * rho) * (g.m[2] - g.m[1])); break;
  }
  for (int j = 2; j <= last; ++j) {
    const double u = rho + g.x[j], w = rho + g.x[j + 1];
    const double in = g.m[j] - g.m[j - 1], out = g.m[j + 1] - g.m[j];
    switch (op) {
      case 0: {
        const double width = g.x[j + 1] - g.x[j];
        g.a[j] = CheckedDivide(1, width * in);
        g.b[j] = CheckedDivide(1, width * out);
        break;
      }
      case 1: {
        const double shell = w * w * w - u * u * u;
        g.a[j] = CheckedDivide(3 * u * u, shell * in);
        g.b[j] = CheckedDivide(3 * w * w, shell * out);
        break;
      }
      default: {
        const double shell = w * w - u * u;
        g.a[j] = CheckedDivide(2 * u, shell * in);
        g.b[j] = CheckedDivide(2 * w, shell * out);
        break;
      }
    }
    Finite(g.a[j]);
    Finite(g.b[j]);
  }
}

// Net rates of the charge reactions from the surface concentrations.
void NetRates(int mechanism, const DigitalWork& w, const double* kred, const double* kox,
              double* v) {
  const auto& c = w.c;
  v[1] = kred[1] * c[A][0] - kox[1] * c[B][0];
  switch (mechanism) {
    case 2: case 14: case 15: v[2] = kred[2] * c[B][0] - kox[2] * c[C][0]; break;
    case 3:
      v[2] = kred[2] * c[B][0] - kox[2] * c[C][0];
      v[3] = kred[3] * c[C][0] - kox[3] * c[D][0];
      break;
    case 4: case 11: case 12: case 13: v[2] = kred[2] * c[C][0] - kox[2] * c[D][0]; break;
    default: break;
  }
}

}  // namespace

double CellBoundary(int j) { return (std::exp(j - 1.0) - 1) / (std::exp(1.0) - 1); }

double NodePosition(int j) { return (std::exp(j - 0.5) - 1) / (std::exp(1.0) - 1); }

DigitalSteps DigitalStepsFor(const ParameterSet& p) {
  DigitalSteps s;
  switch (p.Technique) {
    case 2: s.dt = p.TDrop / 10; s.k = 10; break;
    case 3:
      s.dt = p.TPulse / 10;
      s.k = CheckedDivide(p.TDrop, p.TPulse) * 10;
      s.first = s.k - 9;
      break;
    case 4:
      s.dt = p.TPulse / 4;
      s.k = CheckedDivide(p.TDrop, p.TPulse) * 4;
      s.pre = s.k - 5;
      break;
    case 5: s.dt = p.TPulse; s.k = 2; break;
    default: s.dt = p.TDrop; s.k = 1; break;
  }
  return s;
}

DigitalGrid DigitalGridFor(const ParameterSet& p, int pointCount) {
  DigitalGrid g;
  g.lambda = p.HomogeneousReactionCount == 0
                 ? 10
                 : CheckedDivide((p.Kf(1) + p.Kb(1)) * kGasConstant * p.Temperature,
                                 kFaraday * p.EStep);
  const double e1 = std::exp(1.0) - 1;
  g.nReal = 2 + CheckedLog(1 + 6 * e1 * CheckedSqrt(g.lambda * pointCount));
  g.nodes = ToInt16(g.nReal);
  g.cells = ToInt16(std::floor(g.nReal + 1));
  if (g.nodes < 1 || g.cells + 1 > kMaxSolverNode) throw RuntimeFault(kSubscriptOutOfRange);
  return g;
}

void RunDigitalSimulation(const ParameterSet& p, std::string_view ruText, const Programme& prog,
                          SimulationWorkspace& ws, DigitalWork& w) {
  const double ru = NumericPrefix(ruText);
  const int ns = p.SpeciesCount, nh = p.ChargeReactionCount, nk = p.HomogeneousReactionCount;
  if (ns < 2 || ns > 4 || nh < 1 || nh > 3 || nk < 0 || nk > 2) throw RuntimeFault(kSubscriptOutOfRange);
  const int n = ns - 1;
  const DigitalSteps steps = DigitalStepsFor(p);
  if (steps.k > 32767) throw RuntimeFault(kOverflow);  // the 16-bit step counter
  // A run of more steps than this would hold the window for minutes; it is refused as too large.
  if ((steps.k - steps.first + 1) * prog.pointCount > kMaxTimeSteps) throw RuntimeFault(kOverflow);
  const DigitalGrid grid = DigitalGridFor(p, prog.pointCount);
  const int nodes = grid.nodes;

  double dMax = p.D(1), cMax = p.CInit(1);
  int ref = 1;
  for (int s = 2; s <= ns; ++s) {
    if (p.D(s) > dMax) dMax = p.D(s);
    if (p.CInit(s) > cMax) {
      cMax = p.CInit(s);
      ref = s;
    }
  }
  double bulk[4] = {}, dm[4] = {}, g[4] = {};
  for (int s = 0; s < ns; ++s) {
    bulk[s] = CheckedDivide(p.CInit(s + 1), cMax);
    dm[s] = CheckedDivide(grid.lambda * p.D(s + 1), dMax);
  }
  const double kf1 = p.Kf(1) * steps.dt, kb1 = p.Kb(1) * steps.dt;
  const double kf2 = nk >= 2 ? p.Kf(2) * steps.dt : 0, kb2 = nk >= 2 ? p.Kb(2) * steps.dt : 0;

  ClearWork(w, nodes);
  const auto resetProfile = [&] {
    for (int s = 0; s < ns; ++s) {
      for (int j = 0; j <= grid.cells; ++j) w.c[s][j] = bulk[s];
    }
  };
  resetProfile();

  const int op = Operator(p.Electrode);
  double rho = 0;
  if (op != 0) rho = p.Radius * CheckedSqrt(CheckedDivide(dm[ref - 1], p.D(ref) * steps.dt));
  Grid geometry;
  BuildGrid(grid, op, rho, geometry);

  const double q = 96.4846 * p.Area * cMax;
  const double h0 = CheckedSqrt(CheckedDivide(p.D(1) * steps.dt, dm[0]));
  const double dx1 = h0 * geometry.m[1];
  for (int s = 0; s < ns; ++s) g[s] = CheckedDivide(dx1, p.D(s + 1));
  for (int j = 1; j <= nodes; ++j) {
    for (int s = 0; s < ns; ++s) {
      w.dMa[j][s] = dm[s] * geometry.a[j];
      w.dMb[j][s] = dm[s] * geometry.b[j];
      w.diag[j][s] = 1 + w.dMa[j][s] + w.dMb[j][s];
      w.m[j][s][s] = w.diag[j][s];
    }
    ConstantReactionEntries(p.Mechanism, w.m[j], kf1, kb1, kf2, kb2);
  }
  for (int s = 0; s < ns; ++s) w.s[s][s] = 1;
  ConservationEntries(p.Mechanism, w.s);
  w.s0 = w.s;

  double kred[4] = {}, kox[4] = {}, pre[4] = {};
  double previousTotal = 0;
  const int first = ToInt16(steps.first);
  for (int k = 1; k <= prog.pointCount; ++k) {
    const double e = ws.Abscissa(k);
    if (p.Technique >= 2 && p.Technique <= 4) resetProfile();
    const double sigma = k <= prog.pointsPerSweep ? 1 : -1;
    for (int i = first; i <= steps.k; ++i) {
      double applied = e;
      switch (p.Technique) {
        case 3: applied = e + sigma * p.EPulse; break;
        case 4: applied = i <= steps.pre ? e : e + sigma * p.EPulse; break;
        case 5: applied = i != 2 ? e - p.EPulse / 2 : e + p.EPulse / 2; break;
        default: break;
      }
      if (ru > 0) applied = Finite(applied + previousTotal * ru);
      for (int r = 1; r <= nh; ++r) {
        const double eta = p.N(r) * p.FOverRT * (applied - p.E0(r));
        kred[r] = Finite(p.Ks(r) * CheckedExp(-p.Alpha(r) * eta));
        kox[r] = Finite(p.Ks(r) * CheckedExp((1 - p.Alpha(r)) * eta));
      }
      w.s[A][A] = 1 + kred[1] * g[A];
      w.s[A][B] = -kox[1] * g[A];
      switch (p.Mechanism) {
        case 2: case 14: case 15:
          w.s[C][B] = -kred[2] * g[C];
          w.s[C][C] = 1 + kox[2] * g[C];
          break;
        case 3:
          w.s[C][B] = -kred[2] * g[C];
          w.s[C][C] = 1 + kox[2] * g[C];
          w.s[D][C] = -kred[3] * g[D];
          w.s[D][D] = 1 + kox[3] * g[D];
          break;
        case 4: case 11: case 12: case 13:
          w.s[C][C] = 1 + kred[2] * g[C];
          w.s[C][D] = -kox[2] * g[C];
          break;
        default: break;
      }
      ConcentrationEntries(p.Mechanism, w, nodes, kf1, kb1);
      SolveImplicitStep(nodes, w.c, w.x, w.dMa, w.dMb, w.y, w.m, w.s, w.s0, n, w.scratch, w.report);
      for (int s = 1; s <= ns; ++s) {
        ws.SurfaceConcentration.Unchecked(k, s) = Finite(cMax * w.c[s - 1][0]);
      }
      if (i != steps.pre && i != steps.k) continue;
      double v[4] = {};
      NetRates(p.Mechanism, w, kred, kox, v);
      double total = 0;
      for (int r = 1; r <= nh; ++r) {
        const double current = Finite(p.N(r) * q * v[r]);
        total += current;
        if (p.Technique <= 3) {
          ws.SimulatedCurrent.Unchecked(k, r) = current;
        } else if (i == steps.pre) {
          pre[r] = current;
        }
        if (p.Technique >= 4 && i == steps.k) ws.SimulatedCurrent.Unchecked(k, r) = current - pre[r];
      }
      previousTotal = Finite(total);
    }
  }
}

}  // namespace vorex
