#include "simulation/disc_solver.h"

#include <cmath>
#include <utility>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

constexpr int kRowStride = kMostDiscBlock * kMostDiscBlock;

// In-place Gauss-Jordan inversion of the m x m row-major block a with partial pivoting.
void InvertDense(double* a, int m, SolverReport& report) {
  std::array<int, kMostDiscBlock> pivot{};
  for (int k = 0; k < m; ++k) {
    int row = k;
    for (int i = k + 1; i < m; ++i) {
      if (std::fabs(a[i * m + k]) > std::fabs(a[row * m + k])) row = i;
    }
    pivot[k] = row;
    if (a[row * m + k] == 0) {
      report.singular = true;
      return;
    }
    if (row != k) {
      for (int j = 0; j < m; ++j) std::swap(a[k * m + j], a[row * m + j]);
    }
    const double inv = 1 / a[k * m + k];
    a[k * m + k] = 1;
    for (int j = 0; j < m; ++j) a[k * m + j] *= inv;
    for (int i = 0; i < m; ++i) {
      const double f = a[i * m + k];
      if (i == k || f == 0) continue;
      a[i * m + k] = 0;
      for (int j = 0; j < m; ++j) a[i * m + j] -= f * a[k * m + j];
    }
  }
  for (int k = m - 1; k >= 0; --k) {
    if (pivot[k] == k) continue;
    for (int i = 0; i < m; ++i) std::swap(a[i * m + k], a[i * m + pivot[k]]);
  }
}

// out = A v for the row-major m x m block A.
inline void MultiplyDense(const double* a, const double* v, int m, double* out) {
  for (int r = 0; r < m; ++r) {
    const double* row = a + r * m;
    double sum = 0;
    for (int k = 0; k < m; ++k) sum += row[k] * v[k];
    out[r] = sum;
  }
}

const double* Inverse(const DiscWork& w, const DiscOperator& op, int j, int group) {
  return op.inverse.data() + j * kRowStride + group * w.groupSize * w.groupSize;
}

// The reaction entries of cell (j, i): the constant ones, and those of a second-order reaction
// linearised on the profile c.
const Block& ReactionAt(DiscWork& w, const DiscOperator& op, const Chemistry& chemistry,
                        const double* c, int j, int i) {
  if (!w.secondOrder) return op.reaction;
  const int n = w.grid.columns;
  for (int s = 0; s < w.species; ++s) w.node[s][1] = c[j * w.unknowns + s * n + i];
  w.nodeBlock[1] = op.reaction;
  ConcentrationEntries(chemistry, w.node, w.noDiagonal, 1, op.rates, w.nodeBlock);
  return w.nodeBlock[1];
}

// Y_j = M_j - B_j Y_(j+1)^-1 A_(j+1) for one group, in w.block.
void RowBlock(DiscWork& w, const DiscOperator& op, const Chemistry& chemistry, const double* c,
              int j, int group) {
  const DiscGrid& g = w.grid;
  const int n = g.columns, m = w.groupSize, perGroup = m / n, first = group * perGroup;
  double* y = w.block.data();
  for (int k = 0; k < m * m; ++k) y[k] = 0;
  for (int i = 0; i < n; ++i) {
    const Block& r = ReactionAt(w, op, chemistry, c, j, i);
    for (int a = 0; a < perGroup; ++a) {
      const int s = first + a, l = a * n + i;
      const double lam = op.lambda[s];
      y[l * m + l] =
          1 + lam * (g.inner[j][i] + g.outer[j][i] + g.left[j][i] + g.right[j][i]) + r[s][s];
      if (i > 0) y[l * m + l - 1] = -lam * g.left[j][i];
      if (i + 1 < n) y[l * m + l + 1] = -lam * g.right[j][i];
      for (int b = 0; b < perGroup; ++b) {
        if (b != a) y[l * m + b * n + i] = r[s][first + b];
      }
    }
  }
  if (j == g.rows) return;
  const double* next = Inverse(w, op, j + 1, group);
  for (int l = 0; l < m; ++l) {
    const int i = l % n;
    const double out = op.lambda[first + l / n] * g.outer[j][i];
    for (int k = 0; k < m; ++k) {
      const double in = op.lambda[first + k / n] * g.inner[j + 1][k % n];
      y[l * m + k] -= out * next[l * m + k] * in;
    }
  }
}

// The constant part of the second-order terms' linearisation, cell by cell, into c (see
// ConcentrationSources).
void MoveSources(DiscWork& w, const DiscOperator& op, const Chemistry& chemistry, double* c) {
  const int n = w.grid.columns, u = w.unknowns;
  for (int j = 1; j <= w.grid.rows; ++j) {
    for (int i = 0; i < n; ++i) {
      for (int s = 0; s < w.species; ++s) w.node[s][1] = c[j * u + s * n + i];
      ConcentrationSources(chemistry, 1, op.rates, w.node);
      for (int s = 0; s < w.species; ++s) c[j * u + s * n + i] = w.node[s][1];
    }
  }
}

// Q = S0 Y_1^-1 A_1 over all unknowns of a row.
void SurfaceCoupling(DiscWork& w, DiscOperator& op) {
  const int n = w.grid.columns, u = w.unknowns, m = w.groupSize, perGroup = m / n;
  double* q = op.coupling.data();
  for (int k = 0; k < u * u; ++k) q[k] = 0;
  for (int s = 0; s < w.species; ++s) {
    for (int i = 0; i < n; ++i) {
      const int row = s * n + i;
      for (int t = 0; t < w.species; ++t) {
        const double weight = w.s0[s][t];
        if (weight == 0) continue;
        const int group = t / perGroup, local = (t % perGroup) * n + i;
        const double* inv = Inverse(w, op, 1, group) + local * m;
        for (int k = 0; k < m; ++k) {
          const int col = group * m + k;
          q[row * u + col] += weight * inv[k] * op.lambda[col / n] * w.grid.inner[1][col % n];
        }
      }
    }
  }
}

void Eliminate(DiscWork& w, DiscOperator& op, const Chemistry& chemistry, const double* c,
               SolverReport& report) {
  const int m = w.groupSize;
  for (int j = w.grid.rows; j >= 1; --j) {
    for (int group = 0; group < w.groups; ++group) {
      RowBlock(w, op, chemistry, c, j, group);
      double* inv = op.inverse.data() + j * kRowStride + group * m * m;
      for (int k = 0; k < m * m; ++k) inv[k] = w.block.Unchecked(k);
      InvertDense(inv, m, report);
    }
  }
  SurfaceCoupling(w, op);
  op.eliminated = true;
  op.closed = false;
}

// LU with partial pivoting of the u x u matrix k, in place.
void Factor(double* k, int* pivot, int u, SolverReport& report) {
  for (int c = 0; c < u; ++c) {
    int row = c;
    for (int i = c + 1; i < u; ++i) {
      if (std::fabs(k[i * u + c]) > std::fabs(k[row * u + c])) row = i;
    }
    pivot[c] = row;
    if (row != c) {
      for (int j = 0; j < u; ++j) std::swap(k[c * u + j], k[row * u + j]);
    }
    if (k[c * u + c] == 0) {
      report.singular = true;
      continue;
    }
    for (int i = c + 1; i < u; ++i) {
      const double f = k[i * u + c] / k[c * u + c];
      k[i * u + c] = f;
      if (f == 0) continue;
      for (int j = c + 1; j < u; ++j) k[i * u + j] -= f * k[c * u + j];
    }
  }
}

void SolveFactored(const double* k, const int* pivot, int u, const double* b, double* out) {
  for (int i = 0; i < u; ++i) out[i] = b[i];
  for (int c = 0; c < u; ++c) {
    if (pivot[c] != c) std::swap(out[c], out[pivot[c]]);
    for (int i = c + 1; i < u; ++i) out[i] -= k[i * u + c] * out[c];
  }
  for (int c = u - 1; c >= 0; --c) {
    double sum = out[c];
    for (int j = c + 1; j < u; ++j) sum -= k[c * u + j] * out[j];
    out[c] = sum / k[c * u + c];
  }
}

}  // namespace

void ShapeDiscWork(DiscWork& w, const DiscGrid& grid, int species, bool coupled, bool secondOrder) {
  const int n = grid.columns;
  if (species < 1 || species > kMaxNetworkSpecies || n < 1 || n > kMaxDiscColumns ||
      grid.rows < 1 || grid.rows > kMaxDiscRows || (coupled && species * n > kMostDiscBlock))
    throw RuntimeFault(kSubscriptOutOfRange);
  w.grid = grid;
  w.species = species;
  w.unknowns = species * n;
  w.groups = coupled ? 1 : species;
  w.groupSize = coupled ? species * n : n;
  w.secondOrder = secondOrder;
  for (DiscOperator& op : w.ops) {
    op.eliminated = false;
    op.closed = false;
  }
}

void SetDiscOperator(DiscOperator& op, const Chemistry& chemistry, const DiscWork& w,
                     const double* d, double a, double dt, const StepRates& rates) {
  op.dt = dt;
  for (int s = 0; s < w.species; ++s) op.lambda[s] = d[s] * dt / (a * a);
  op.rates = rates;
  op.reaction = Block{};
  ConstantReactionEntries(chemistry, op.reaction, rates);
  op.eliminated = false;
  op.closed = false;
}

void SetDiscSurfaceRows(DiscWork& w, const Chemistry& chemistry, const double* kred,
                        const double* kox, const double* d) {
  for (int i = 0; i < w.grid.columns; ++i) {
    double g[kMaxNetworkSpecies] = {};
    for (int s = 0; s < w.species; ++s) g[s] = CheckedDivide(w.grid.reach[i], d[s]);
    w.s[i] = w.s0;
    KineticEntries(chemistry, kred, kox, g, w.s[i]);
  }
}

void PrepareDiscStep(DiscWork& w, DiscOperator& op, const Chemistry& chemistry, double* c,
                     SolverReport& report) {
  if (w.secondOrder || !op.eliminated) Eliminate(w, op, chemistry, c, report);
  if (w.secondOrder && chemistry.Written()) MoveSources(w, op, chemistry, c);
  const DiscGrid& g = w.grid;
  const int n = g.columns, u = w.unknowns, m = w.groupSize, big = g.rows;
  double* x = w.x.data();
  double t[kMostDiscUnknowns] = {};
  for (int k = 0; k < u; ++k) {
    const double out = op.lambda[k / n] * g.outer[big][k % n];
    x[big * u + k] = c[big * u + k] + out * c[(big + 1) * u + k];
  }
  for (int j = big - 1; j >= 0; --j) {
    for (int group = 0; group < w.groups; ++group)
      MultiplyDense(Inverse(w, op, j + 1, group), x + (j + 1) * u + group * m, m, t + group * m);
    if (j == 0) break;
    for (int k = 0; k < u; ++k)
      x[j * u + k] = c[j * u + k] + op.lambda[k / n] * g.outer[j][k % n] * t[k];
  }
  // t = Y_1^-1 X_1, the part of row 1 that does not answer to the surface: S0 t.
  for (int s = 0; s < w.species; ++s) {
    for (int i = 0; i < n; ++i) {
      double sum = 0;
      for (int r = 0; r < w.species; ++r) sum += w.s0[s][r] * t[r * n + i];
      w.rhs.Unchecked(s * n + i) = sum;
    }
  }
}

void CloseDiscSurface(DiscWork& w, DiscOperator& op, double key, SolverReport& report) {
  const int n = w.grid.columns, u = w.unknowns;
  if (!(op.closed && op.closedAt == key)) {
    double* k = op.closure.data();
    const double* q = op.coupling.data();
    for (int e = 0; e < u * u; ++e) k[e] = -q[e];
    for (int i = 0; i < n; ++i) {
      for (int s = 0; s < w.species; ++s) {
        for (int r = 0; r < w.species; ++r) k[(s * n + i) * u + r * n + i] += w.s[i][s][r];
      }
    }
    Factor(k, op.pivot.data(), u, report);
    op.closed = true;
    op.closedAt = key;
  }
  SolveFactored(op.closure.data(), op.pivot.data(), u, w.rhs.data(), w.c0.data());
}

void ShiftDiscSurface(DiscWork& w, const DiscOperator& op,
                      const std::array<Block, kMaxDiscColumns>& ds) {
  const int n = w.grid.columns, u = w.unknowns;
  for (int i = 0; i < n; ++i) {
    for (int s = 0; s < w.species; ++s) {
      double sum = 0;
      for (int r = 0; r < w.species; ++r) sum += ds[i][s][r] * w.c0.Unchecked(r * n + i);
      w.moved.Unchecked(s * n + i) = -sum;
    }
  }
  SolveFactored(op.closure.data(), op.pivot.data(), u, w.moved.data(), w.shift.data());
}

void FinishDiscStep(DiscWork& w, const DiscOperator& op, double* c) {
  const DiscGrid& g = w.grid;
  const int n = g.columns, u = w.unknowns, m = w.groupSize;
  for (int k = 0; k < u; ++k) c[k] = w.c0.Unchecked(k);
  double v[kMostDiscUnknowns] = {};
  for (int j = 1; j <= g.rows; ++j) {
    const double* x = w.x.data() + j * u;
    for (int k = 0; k < u; ++k)
      v[k] = x[k] + op.lambda[k / n] * g.inner[j][k % n] * c[(j - 1) * u + k];
    for (int group = 0; group < w.groups; ++group)
      MultiplyDense(Inverse(w, op, j, group), v + group * m, m, c + j * u + group * m);
  }
}

}  // namespace vorex
