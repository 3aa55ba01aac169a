#include "experiment/network_equilibrium.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

// The electrode holds every couple at its Nernst ratio: the transfers are taken as infinitely
// fast, so the species they join form a pool whose members keep fixed shares, and only the
// chemical steps move matter between pools. The pools are then relaxed to rest by implicit
// pseudo-time steps with Newton's method and a growing step: this reaches the equilibrium when
// the constants allow one, and the steady state of the steps when a cycle's constants disagree
// (a step inside one pool, as in A + e = B; B = A, then moves nothing).
namespace vorex {
namespace {

constexpr int kN = kMaxNetworkSpecies;
using Vector = std::array<double, kN>;
using Matrix = std::array<Vector, kN>;

std::size_t U(int i) {
  return static_cast<std::size_t>(i);
}

// The pools the transfers make, and each species' share of its pool.
struct Pools {
  int count = 0;
  std::array<int, kN> of{};
  Vector share{};
};

// log(c_s / c_root) within each group of species the transfers join; a transfer that closes a
// loop of transfers is left out (the ratios are those of the transfers written before it).
Pools PoolsOf(const NetworkEquilibriumInputs& in) {
  const ReactionNetwork& net = in.network;
  std::array<int, kN> group{};
  Vector logRatio{};
  for (int s = 0; s < net.species; ++s) group[U(s)] = s;
  for (int i = 0; i < net.transferCount; ++i) {
    const NetworkTransfer& t = net.transfers[U(i)];
    const int gOx = group[U(t.ox)], gRed = group[U(t.red)];
    if (gOx == gRed) continue;
    // red / ox = exp(n F/RT (E0 - E))
    const double logTheta =
        Finite(in.n[U(i + 1)] * in.fOverRT * (in.e0[U(i + 1)] - in.startPotential));
    const double shift = logRatio[U(t.ox)] + logTheta - logRatio[U(t.red)];
    for (int s = 0; s < net.species; ++s) {
      if (group[U(s)] != gRed) continue;
      group[U(s)] = gOx;
      logRatio[U(s)] = Finite(logRatio[U(s)] + shift);
    }
  }
  Pools pools;
  std::array<int, kN> poolOfGroup;
  poolOfGroup.fill(-1);
  for (int s = 0; s < net.species; ++s) {
    int& pool = poolOfGroup[U(group[U(s)])];
    if (pool < 0) pool = pools.count++;
    pools.of[U(s)] = pool;
  }
  // Shares from the log ratios less their largest, so no exponential overflows.
  for (int q = 0; q < pools.count; ++q) {
    double top = -HUGE_VAL, sum = 0;
    for (int s = 0; s < net.species; ++s) {
      if (pools.of[U(s)] == q) top = std::max(top, logRatio[U(s)]);
    }
    for (int s = 0; s < net.species; ++s) {
      if (pools.of[U(s)] == q) sum += pools.share[U(s)] = std::exp(logRatio[U(s)] - top);
    }
    for (int s = 0; s < net.species; ++s) {
      if (pools.of[U(s)] == q) pools.share[U(s)] /= sum;
    }
  }
  return pools;
}

int Order(const std::array<NetworkTerm, kMaxStepOrder>& terms, int count) {
  int order = 0;
  for (int t = 0; t < count; ++t) order += terms[U(t)].count;
  return order;
}

// The chemical steps acting on the pools.
class PoolKinetics {
 public:
  PoolKinetics(const NetworkEquilibriumInputs& in, const Pools& pools) : in_(in), pools_(pools) {
    const ReactionNetwork& net = in.network;
    for (int k = 0; k < net.stepCount; ++k) {
      const NetworkStep& step = net.steps[U(k)];
      for (int t = 0; t < step.reactantTerms; ++t) {
        nu_[U(pools.of[U(step.reactants[U(t)].species)])][U(k)] -= step.reactants[U(t)].count;
      }
      for (int t = 0; t < step.productTerms; ++t) {
        nu_[U(pools.of[U(step.products[U(t)].species)])][U(k)] += step.products[U(t)].count;
      }
    }
  }

  int PoolCount() const { return pools_.count; }
  int Steps() const { return in_.network.stepCount; }
  double Nu(int pool, int step) const { return nu_[U(pool)][U(step)]; }

  // 1 / the fastest time the steps have at the concentration scale c.
  double RateScale(double c) const {
    double rate = 0;
    for (int k = 0; k < Steps(); ++k) {
      const NetworkStep& step = in_.network.steps[U(k)];
      rate +=
          std::abs(in_.kf[U(k + 1)]) * std::pow(c, Order(step.reactants, step.reactantTerms) - 1);
      rate += std::abs(in_.kb[U(k + 1)]) * std::pow(c, Order(step.products, step.productTerms) - 1);
    }
    return Finite(rate);
  }

  // dP/dt of each pool, the sum of the magnitudes that make it up, and its Jacobian.
  void Evaluate(const Vector& p, Vector& dpdt, Vector& gross, Matrix& jacobian) const {
    dpdt.fill(0);
    gross.fill(0);
    for (auto& row : jacobian) row.fill(0);
    for (int k = 0; k < Steps(); ++k) {
      const NetworkStep& step = in_.network.steps[U(k)];
      Vector dForward{}, dBackward{};
      const double forward =
          Side(step.reactants, step.reactantTerms, in_.kf[U(k + 1)], p, dForward);
      const double backward =
          Side(step.products, step.productTerms, in_.kb[U(k + 1)], p, dBackward);
      for (int q = 0; q < PoolCount(); ++q) {
        const double nu = Nu(q, k);
        if (nu == 0) continue;
        dpdt[U(q)] += nu * (forward - backward);
        gross[U(q)] += std::abs(nu) * (std::abs(forward) + std::abs(backward));
        for (int r = 0; r < PoolCount(); ++r) {
          jacobian[U(q)][U(r)] += nu * (dForward[U(r)] - dBackward[U(r)]);
        }
      }
    }
  }

 private:
  // k prod(c^count) of one side, with its derivatives by the pools.
  double Side(const std::array<NetworkTerm, kMaxStepOrder>& terms, int count, double k,
              const Vector& p, Vector& derivative) const {
    std::array<double, kMaxStepOrder> c{}, power{}, slope{};
    for (int t = 0; t < count; ++t) {
      const NetworkTerm& term = terms[U(t)];
      c[U(t)] = pools_.share[U(term.species)] * p[U(pools_.of[U(term.species)])];
      power[U(t)] = term.count == 1 ? c[U(t)] : c[U(t)] * c[U(t)];
      slope[U(t)] = term.count == 1 ? 1 : 2 * c[U(t)];
    }
    double rate = k;
    for (int t = 0; t < count; ++t) rate *= power[U(t)];
    for (int t = 0; t < count; ++t) {
      double d = k * slope[U(t)] * pools_.share[U(terms[U(t)].species)];
      for (int u = 0; u < count; ++u) {
        if (u != t) d *= power[U(u)];
      }
      derivative[U(pools_.of[U(terms[U(t)].species)])] += d;
    }
    return rate;
  }

  const NetworkEquilibriumInputs& in_;
  const Pools& pools_;
  Matrix nu_{};
};

// Solves m x = b in place (b becomes x); false when m is singular.
bool Solve(Matrix m, Vector& b, int n) {
  for (int col = 0; col < n; ++col) {
    int pivot = col;
    for (int r = col + 1; r < n; ++r) {
      if (std::abs(m[U(r)][U(col)]) > std::abs(m[U(pivot)][U(col)])) pivot = r;
    }
    if (!(std::abs(m[U(pivot)][U(col)]) > 0)) return false;
    std::swap(m[U(pivot)], m[U(col)]);
    std::swap(b[U(pivot)], b[U(col)]);
    for (int r = col + 1; r < n; ++r) {
      const double f = m[U(r)][U(col)] / m[U(col)][U(col)];
      for (int c = col; c < n; ++c) m[U(r)][U(c)] -= f * m[U(col)][U(c)];
      b[U(r)] -= f * b[U(col)];
    }
  }
  for (int r = n - 1; r >= 0; --r) {
    for (int c = r + 1; c < n; ++c) b[U(r)] -= m[U(r)][U(c)] * b[U(c)];
    b[U(r)] /= m[U(r)][U(r)];
  }
  return true;
}

// The amounts the steps conserve: one row per pool that is free in the reduced row-echelon
// form of the steps' pool stoichiometry, with 1 in that pool's column and 0 in the other free
// ones. Newton's equation of that pool is replaced by its conservation, so matter is kept to
// rounding whatever the step length.
struct Conservation {
  std::array<bool, kN> replaces{};
  Matrix row{};
};

Conservation ConservationOf(const PoolKinetics& kinetics) {
  const int pools = kinetics.PoolCount(), steps = kinetics.Steps();
  Matrix e{};  // steps x pools
  for (int k = 0; k < steps; ++k) {
    for (int q = 0; q < pools; ++q) e[U(k)][U(q)] = kinetics.Nu(q, k);
  }
  std::array<int, kN> pivotColumn{};
  int rank = 0;
  for (int col = 0; col < pools && rank < steps; ++col) {
    int pivot = rank;
    for (int r = rank + 1; r < steps; ++r) {
      if (std::abs(e[U(r)][U(col)]) > std::abs(e[U(pivot)][U(col)])) pivot = r;
    }
    if (std::abs(e[U(pivot)][U(col)]) < 1e-9) continue;
    std::swap(e[U(pivot)], e[U(rank)]);
    const double lead = e[U(rank)][U(col)];
    for (int c = 0; c < pools; ++c) e[U(rank)][U(c)] /= lead;
    for (int r = 0; r < steps; ++r) {
      if (r == rank) continue;
      const double f = e[U(r)][U(col)];
      for (int c = 0; c < pools; ++c) e[U(r)][U(c)] -= f * e[U(rank)][U(c)];
    }
    pivotColumn[U(rank++)] = col;
  }
  Conservation out;
  out.replaces.fill(true);
  for (int i = 0; i < rank; ++i) out.replaces[U(pivotColumn[U(i)])] = false;
  for (int f = 0; f < pools; ++f) {
    if (!out.replaces[U(f)]) continue;
    out.row[U(f)][U(f)] = 1;
    for (int i = 0; i < rank; ++i) out.row[U(f)][U(pivotColumn[U(i)])] = -e[U(i)][U(f)];
  }
  return out;
}

class Relaxation {
 public:
  Relaxation(const PoolKinetics& kinetics, const Vector& start, double scale)
      : kinetics_(kinetics),
        conservation_(ConservationOf(kinetics)),
        start_(start),
        scale_(scale) {}

  // One implicit step of length tau from `from`; false when Newton does not settle on a
  // non-negative state.
  bool Step(const Vector& from, double tau, Vector& p) const {
    const int n = kinetics_.PoolCount();
    p = from;
    double last = HUGE_VAL;
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
      Matrix m;
      Vector delta;
      Assemble(from, p, tau, m, delta);
      if (!Solve(m, delta, n)) return false;
      double change = 0, size = scale_;
      for (int q = 0; q < n; ++q) {
        p[U(q)] += delta[U(q)];
        if (!std::isfinite(p[U(q)])) return false;
        change = std::max(change, std::abs(delta[U(q)]));
        size = std::max(size, std::abs(p[U(q)]));
      }
      last = change / size;
      if (last <= kNewtonTolerance) return NonNegative(p, size);
    }
    // Rounding may keep the last corrections above the tolerance when the step is long; the
    // test of rest decides whether the state will do.
    return last <= kRoundingFloor && NonNegative(p, scale_);
  }

  // At rest: each pool's net rate is rounding beside the rates that make it up.
  bool AtRest(const Vector& p, double rateScale) const {
    Vector dpdt, gross;
    Matrix jacobian;
    kinetics_.Evaluate(p, dpdt, gross, jacobian);
    for (int q = 0; q < kinetics_.PoolCount(); ++q) {
      if (std::abs(dpdt[U(q)]) > 1e-13 * gross[U(q)] + 1e-30 * scale_ * rateScale) return false;
    }
    return true;
  }

 private:
  static constexpr int kNewtonIterations = 40;
  static constexpr double kNewtonTolerance = 1e-14;
  static constexpr double kRoundingFloor = 1e-10;

  // Newton's equations at p: (p - from) / tau = dP/dt(p) linearised, and in place of the
  // equation of each conserved amount, the amount the start had.
  void Assemble(const Vector& from, const Vector& p, double tau, Matrix& m, Vector& rhs) const {
    const int n = kinetics_.PoolCount();
    Vector dpdt, gross;
    kinetics_.Evaluate(p, dpdt, gross, m);
    for (int q = 0; q < n; ++q) {
      if (conservation_.replaces[U(q)]) {
        m[U(q)] = conservation_.row[U(q)];
        rhs[U(q)] = 0;
        for (int r = 0; r < n; ++r) rhs[U(q)] += m[U(q)][U(r)] * (start_[U(r)] - p[U(r)]);
        continue;
      }
      for (int r = 0; r < n; ++r) m[U(q)][U(r)] = -m[U(q)][U(r)];
      m[U(q)][U(q)] += 1 / tau;
      rhs[U(q)] = (from[U(q)] - p[U(q)]) / tau + dpdt[U(q)];
    }
  }

  // Rounding below zero is set to zero; more is a step too long.
  bool NonNegative(Vector& p, double size) const {
    for (int q = 0; q < kinetics_.PoolCount(); ++q) {
      if (p[U(q)] < -1e-12 * size) return false;
      p[U(q)] = std::max(p[U(q)], 0.0);
    }
    return true;
  }

  const PoolKinetics& kinetics_;
  Conservation conservation_;
  Vector start_;
  double scale_;
};

// Pseudo-time steps from 1 / the fastest rate, four times longer after each that succeeds and a
// quarter after each that fails, until the pools are at rest.
Vector Relax(const PoolKinetics& kinetics, const Vector& start, double scale) {
  const double rateScale = kinetics.RateScale(scale);
  Vector p = start;
  if (rateScale == 0) return p;
  const Relaxation relaxation(kinetics, start, scale);
  double tau = 1 / rateScale;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    Vector next;
    if (relaxation.Step(p, tau, next)) {
      p = next;
      if (relaxation.AtRest(p, rateScale)) return p;
      tau = std::min(4 * tau, 1e30 / rateScale);
    } else {
      tau /= 4;
      if (tau * rateScale < 1e-20) break;
    }
  }
  throw RuntimeFault(kNoEquilibrium);
}

}  // namespace

std::array<double, kMaxNetworkSpecies + 1> NetworkPreEquilibrate(
    const NetworkEquilibriumInputs& in) {
  const ReactionNetwork& net = in.network;
  const Pools pools = PoolsOf(in);
  Vector start{};
  double scale = 0;
  for (int s = 0; s < net.species; ++s) {
    const double c = Finite(in.c[U(s + 1)]);
    start[U(pools.of[U(s)])] += c;
    scale += std::abs(c);
  }
  std::array<double, kMaxNetworkSpecies + 1> out{};
  if (scale == 0) return out;
  const PoolKinetics kinetics(in, pools);
  const Vector p = Relax(kinetics, start, scale);
  for (int s = 0; s < net.species; ++s) {
    out[U(s + 1)] = Finite(pools.share[U(s)] * p[U(pools.of[U(s)])]);
  }
  return out;
}

}  // namespace vorex
