#include "validation/reference_cv.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace vorex::validation {
namespace {

using Vec = std::array<double, kReferenceSpecies>;
using Mat = std::array<Vec, kReferenceSpecies>;

constexpr double kCm3PerLitre = 1000;
constexpr int kMostNewtonIterations = 50;
// Newton stops when no concentration moves by more than this fraction of the largest bulk one.
constexpr double kNewtonTolerance = 1e-12;

// A step with its rate constants for concentrations in mol/cm3.
struct Step {
  std::vector<ReferenceTerm> reactants, products;
  double kf = 0, kb = 0;
};

struct Problem {
  int ns = 0, nodes = 0;  // unknown nodes 0..nodes-1; node `nodes` holds the bulk
  double h = 0;
  Vec d{}, bulk{};  // [cm2/s], [mol/cm3]
  std::vector<ReferenceCouple> couples;
  std::vector<Step> steps;
  bool linear = true;
  double frt = kFrt, area = 1, scale = 0;
};

int Order(const std::vector<ReferenceTerm>& side) {
  int order = 0;
  for (const ReferenceTerm& t : side) order += t.count;
  return order;
}

Problem Build(const ReferenceScheme& s, const ReferenceSweep& sweep, const ReferenceResolution& r,
              double duration) {
  if (s.species < 1 || s.species > kReferenceSpecies || s.couples.empty() || !(r.h > 0))
    throw std::runtime_error("the reference scheme is malformed");
  Problem p;
  p.ns = s.species;
  p.h = r.h;
  p.frt = sweep.frt;
  p.area = sweep.area;
  p.couples = s.couples;
  double dMax = 0;
  for (int k = 0; k < p.ns; ++k) {
    p.d[k] = s.d[k];
    p.bulk[k] = s.bulk[k] / kCm3PerLitre;
    dMax = std::max(dMax, s.d[k]);
    p.scale = std::max(p.scale, p.bulk[k]);
  }
  for (const ReferenceStep& step : s.steps) {
    const int forward = Order(step.reactants), backward = Order(step.products);
    p.linear = p.linear && forward == 1 && backward == 1;
    p.steps.push_back({step.reactants, step.products, step.kf * std::pow(kCm3PerLitre, forward - 1),
                       step.kb * std::pow(kCm3PerLitre, backward - 1)});
  }
  p.nodes = static_cast<int>(std::ceil(r.lengths * std::sqrt(dMax * duration) / r.h));
  return p;
}

// c^count for a count of 0, 1 or 2.
double Power(double c, int count) {
  return count == 0 ? 1 : count == 1 ? c : c * c;
}

// The rate of one side, prod c^count, and its derivative in each of its species.
double SideRate(const std::vector<ReferenceTerm>& side, const double* c, Vec& slope) {
  double rate = 1;
  for (const ReferenceTerm& t : side) rate *= Power(c[t.species], t.count);
  for (const ReferenceTerm& t : side) {
    double others = t.count * Power(c[t.species], t.count - 1);
    for (const ReferenceTerm& u : side) {
      if (u.species != t.species) others *= Power(c[u.species], u.count);
    }
    slope[t.species] += others;
  }
  return rate;
}

// The net production of each species by the chemical steps at one node, and its Jacobian.
void Chemistry(const Problem& p, const double* c, Vec& rate, Mat& jac) {
  rate.fill(0);
  for (Vec& row : jac) row.fill(0);
  for (const Step& step : p.steps) {
    Vec forward{}, backward{};
    const double net = step.kf * SideRate(step.reactants, c, forward) -
                       step.kb * SideRate(step.products, c, backward);
    Vec dNet{};
    for (int k = 0; k < p.ns; ++k) dNet[k] = step.kf * forward[k] - step.kb * backward[k];
    const auto add = [&](const std::vector<ReferenceTerm>& side, double sign) {
      for (const ReferenceTerm& t : side) {
        rate[t.species] += sign * t.count * net;
        for (int k = 0; k < p.ns; ++k) jac[t.species][k] += sign * t.count * dNet[k];
      }
    };
    add(step.reactants, -1);
    add(step.products, 1);
  }
}

// What the electrode adds to each species [mol cm^-2 s^-1] at potential e, its Jacobian, and
// the current [A].
double Electrode(const Problem& p, double e, const double* c, Vec& source, Mat& jac) {
  source.fill(0);
  for (Vec& row : jac) row.fill(0);
  double current = 0;
  for (const ReferenceCouple& k : p.couples) {
    const double eta = k.n * p.frt * (e - k.e0);
    const double kred = k.ks * std::exp(-k.alpha * eta), kox = k.ks * std::exp((1 - k.alpha) * eta);
    const double v = kred * c[k.ox] - kox * c[k.red];
    source[k.ox] -= v;
    source[k.red] += v;
    jac[k.ox][k.ox] -= kred;
    jac[k.ox][k.red] += kox;
    jac[k.red][k.ox] += kred;
    jac[k.red][k.red] -= kox;
    current += k.n * v;
  }
  return kF * p.area * current;
}

// m^-1 by Gauss-Jordan with partial pivoting.
Mat Inverse(Mat m, int n) {
  Mat inv{};
  for (int i = 0; i < n; ++i) inv[i][i] = 1;
  for (int col = 0; col < n; ++col) {
    int pivot = col;
    for (int row = col + 1; row < n; ++row) {
      if (std::fabs(m[row][col]) > std::fabs(m[pivot][col])) pivot = row;
    }
    if (m[pivot][col] == 0) throw std::runtime_error("the reference solver met a singular block");
    std::swap(m[pivot], m[col]);
    std::swap(inv[pivot], inv[col]);
    const double scale = 1 / m[col][col];
    for (int k = 0; k < n; ++k) {
      m[col][k] *= scale;
      inv[col][k] *= scale;
    }
    for (int row = 0; row < n; ++row) {
      if (row == col || m[row][col] == 0) continue;
      const double f = m[row][col];
      for (int k = 0; k < n; ++k) {
        m[row][k] -= f * m[col][k];
        inv[row][k] -= f * inv[col][k];
      }
    }
  }
  return inv;
}

// Everything a run keeps between steps, allocated once.
struct State {
  std::vector<double> u, before, earlier, history;  // node-major, ns per node
  std::vector<Mat> w;                               // block Thomas: M_j^-1 U_j
  std::vector<Vec> y;                               // and M_j^-1 (rhs_j - L_j y_j-1)
};

// One time step's residual G and diagonal block at node j, for the equation
// a0 u - history - (diffusion + chemistry) = 0 (the electrode's half cell weighs by h/2).
void NodeRows(const Problem& p, const State& s, int j, double a0, double e, Vec& g, Mat& block) {
  const int ns = p.ns;
  const double* c = &s.u[static_cast<std::size_t>(j * ns)];
  Vec rate{};
  Mat jac{};
  Chemistry(p, c, rate, jac);
  const double weight = j == 0 ? p.h / 2 : 1;
  for (int a = 0; a < ns; ++a) {
    const double right =
        j + 1 < p.nodes ? s.u[static_cast<std::size_t>((j + 1) * ns + a)] : p.bulk[a];
    const double hist = s.history[static_cast<std::size_t>(j * ns + a)];
    double diffusion, self;
    if (j == 0) {
      diffusion = p.d[a] * (right - c[a]) / p.h;
      self = p.d[a] / p.h;
    } else {
      const double left = s.u[static_cast<std::size_t>((j - 1) * ns + a)];
      diffusion = p.d[a] * (right - 2 * c[a] + left) / (p.h * p.h);
      self = 2 * p.d[a] / (p.h * p.h);
    }
    g[a] = weight * (a0 * c[a] - hist - rate[a]) - diffusion;
    for (int b = 0; b < ns; ++b) block[a][b] = -weight * jac[a][b];
    block[a][a] += weight * a0 + self;
  }
  if (j == 0) {
    Vec source{};
    Mat surface{};
    Electrode(p, e, c, source, surface);
    for (int a = 0; a < ns; ++a) {
      g[a] -= source[a];
      for (int b = 0; b < ns; ++b) block[a][b] -= surface[a][b];
    }
  }
}

// The off-diagonal entry of species a between node j and its neighbour (the same either side).
double Coupling(const Problem& p, int j, int a) {
  return j == 0 ? -p.d[a] / p.h : -p.d[a] / (p.h * p.h);
}

// One Newton iteration; returns the largest change of a concentration.
double NewtonIteration(const Problem& p, State& s, double a0, double e) {
  const int ns = p.ns;
  for (int j = 0; j < p.nodes; ++j) {
    Vec g{};
    Mat block{};
    NodeRows(p, s, j, a0, e, g, block);
    Vec rhs{};
    for (int a = 0; a < ns; ++a) rhs[a] = -g[a];
    if (j > 0) {
      const Mat& w = s.w[static_cast<std::size_t>(j - 1)];
      const Vec& y = s.y[static_cast<std::size_t>(j - 1)];
      for (int a = 0; a < ns; ++a) {
        const double l = Coupling(p, j, a);
        for (int b = 0; b < ns; ++b) block[a][b] -= l * w[a][b];
        rhs[a] -= l * y[a];
      }
    }
    const Mat inv = Inverse(block, ns);
    Mat& w = s.w[static_cast<std::size_t>(j)];
    Vec& y = s.y[static_cast<std::size_t>(j)];
    for (int a = 0; a < ns; ++a) {
      y[a] = 0;
      for (int b = 0; b < ns; ++b) {
        y[a] += inv[a][b] * rhs[b];
        // The upper block is diagonal: U_j[b][b] = Coupling(j + 1 side) of species b.
        w[a][b] = j + 1 < p.nodes ? inv[a][b] * Coupling(p, j, b) : 0;
      }
    }
  }
  double largest = 0;
  Vec next{};
  for (int j = p.nodes - 1; j >= 0; --j) {
    const Mat& w = s.w[static_cast<std::size_t>(j)];
    Vec delta = s.y[static_cast<std::size_t>(j)];
    for (int a = 0; a < ns; ++a) {
      for (int b = 0; b < ns; ++b) delta[a] -= w[a][b] * next[b];
    }
    for (int a = 0; a < ns; ++a) {
      s.u[static_cast<std::size_t>(j * ns + a)] += delta[a];
      largest = std::max(largest, std::fabs(delta[a]));
    }
    next = delta;
  }
  return largest;
}

void Solve(const Problem& p, State& s, double a0, double e) {
  for (int it = 0; it < kMostNewtonIterations; ++it) {
    const double change = NewtonIteration(p, s, a0, e);
    if (!std::isfinite(change)) break;
    // A linear system is solved by the first iteration.
    if ((p.linear && it == 0) || change <= kNewtonTolerance * p.scale) return;
  }
  throw std::runtime_error("the reference solver's Newton iteration did not converge");
}

// Backward Euler on the first step, the second-order BDF on every later one; the guess is the
// line through the last two solutions.
void TimeStep(const Problem& p, State& s, double dt, bool first, double e) {
  const std::size_t size = s.u.size();
  double a0 = 1 / dt;
  for (std::size_t k = 0; k < size; ++k) {
    if (first) {
      s.history[k] = s.before[k] / dt;
    } else {
      s.history[k] = (4 * s.before[k] - s.earlier[k]) / (2 * dt);
      s.u[k] = 2 * s.before[k] - s.earlier[k];
    }
  }
  if (!first) a0 = 3 / (2 * dt);
  Solve(p, s, a0, e);
  s.earlier = s.before;
  s.before = s.u;
}

double Current(const Problem& p, const State& s, double e) {
  Vec source{};
  Mat jac{};
  return Electrode(p, e, s.u.data(), source, jac);
}

}  // namespace

Curve ReferenceCv(const ReferenceScheme& scheme, const ReferenceSweep& sweep,
                  const ReferenceResolution& resolution) {
  const double span = std::fabs(sweep.eVertex - sweep.eStart);
  const int perSweep = static_cast<int>(std::lround(span / resolution.eStep));
  if (perSweep < 2 || !(sweep.v > 0)) throw std::runtime_error("the reference sweep is malformed");
  const double eStep = span / perSweep, dt = eStep / sweep.v;
  const double direction = sweep.eVertex < sweep.eStart ? -1 : 1;
  const Problem p = Build(scheme, sweep, resolution, 2 * span / sweep.v);
  State s;
  const std::size_t size = static_cast<std::size_t>(p.nodes * p.ns);
  s.u.resize(size);
  for (int j = 0; j < p.nodes; ++j) {
    for (int a = 0; a < p.ns; ++a) s.u[static_cast<std::size_t>(j * p.ns + a)] = p.bulk[a];
  }
  s.before = s.u;
  s.earlier = s.u;
  s.history.resize(size);
  s.w.resize(static_cast<std::size_t>(p.nodes));
  s.y.resize(static_cast<std::size_t>(p.nodes));
  Curve c;
  c.pointsPerSweep = perSweep;
  for (int k = 1; k <= 2 * perSweep; ++k) {
    const double e = k <= perSweep ? sweep.eStart + direction * eStep * k
                                   : sweep.eVertex - direction * eStep * (k - perSweep);
    TimeStep(p, s, dt, k == 1, e);
    c.e.push_back(e);
    c.i.push_back(Current(p, s, e));
    if (k == perSweep) {
      c.e.push_back(e);
      c.i.push_back(c.i.back());
    }
  }
  return c;
}

}  // namespace vorex::validation
