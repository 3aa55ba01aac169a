#include "simulation/implicit_solver.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

void CheckSpecies(int n) {
  if (n < 0 || n > kMaxSolverSpecies) throw RuntimeFault(kSubscriptOutOfRange);
}

// U = W x V over 0..n, each sum accumulated from 0 in order.
void MultiplyVector(const Block& w, const std::array<double, kMaxSolverSpecies + 1>& v, int n,
                    std::array<double, kMaxSolverSpecies + 1>& u) {
  for (int i = 0; i <= n; ++i) {
    double sum = 0;
    for (int k = 0; k <= n; ++k) sum += w[i][k] * v[k];
    u[i] = sum;
  }
}

// Copies the used corner 0..n of a block.
void CopyBlock(Block& to, const Block& from, int n) {
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) to[i][j] = from[i][j];
  }
}

bool SameBlock(const Block& a, const Block& b, int n) {
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      if (a[i][j] != b[i][j]) return false;
    }
  }
  return true;
}

// The inverse of S0, formed again only when S0 or the species count changed.
const Block& SurfaceInverse(const Block& s0, int n, SolverScratch& scratch, SolverReport& report) {
  if (scratch.s0Species != n || !SameBlock(scratch.s0Source, s0, n)) {
    CopyBlock(scratch.s0Source, s0, n);
    CopyBlock(scratch.s0Inverse, s0, n);
    scratch.s0Species = n;
    SolverReport local;
    InvertMatrix(scratch.s0Inverse, n, local);
    if (local.singular) scratch.s0Species = -1;  // never reused, so every step says so
    report.singular = report.singular || local.singular;
  }
  return scratch.s0Inverse;
}

}  // namespace

void SwapValues(double& a, double& b) {
  const double moved = a;
  a = b;
  b = moved;
}

void MultiplyMatrices(const Block& a, const Block& b, int nRows, int nInner, int nCols, Block& c) {
  for (int i = 0; i <= nRows; ++i) {
    for (int j = 0; j <= nCols; ++j) {
      double sum = 0;
      for (int k = 0; k <= nInner; ++k) sum += a[i][k] * b[k][j];
      c[i][j] = sum;
    }
  }
}

void InvertMatrixGaussJordan(Block& a, int n, SolverReport& report) {
  CheckSpecies(n);
  int pivotRow[kMaxSolverSpecies + 1] = {};
  int pivotCol[kMaxSolverSpecies + 1] = {};
  for (int k = 0; k <= n; ++k) {
    double big = 0;
    for (int i = k; i <= n; ++i) {
      for (int j = k; j <= n; ++j) {
        if (std::fabs(a[i][j]) > big) {
          big = std::fabs(a[i][j]);
          pivotRow[k] = i;
          pivotCol[k] = j;
        }
      }
    }
    if (big + 1 == 1) {
      report.singular = true;
      return;
    }
    if (pivotRow[k] != k) {
      for (int j = 0; j <= n; ++j) SwapValues(a[k][j], a[pivotRow[k]][j]);
    }
    if (pivotCol[k] != k) {
      for (int i = 0; i <= n; ++i) SwapValues(a[i][k], a[i][pivotCol[k]]);
    }
    a[k][k] = 1 / a[k][k];
    for (int j = 0; j <= n; ++j) {
      if (j != k) a[k][j] = a[k][j] * a[k][k];
    }
    for (int i = 0; i <= n; ++i) {
      if (i == k) continue;
      for (int j = 0; j <= n; ++j) {
        if (j != k) a[i][j] = a[i][j] - a[i][k] * a[k][j];
      }
    }
    for (int i = 0; i <= n; ++i) {
      if (i != k) a[i][k] = -a[i][k] * a[k][k];
    }
  }
  for (int k = n; k >= 0; --k) {
    if (pivotCol[k] != k) {
      for (int j = 0; j <= n; ++j) SwapValues(a[k][j], a[pivotCol[k]][j]);
    }
    if (pivotRow[k] != k) {
      for (int i = 0; i <= n; ++i) SwapValues(a[i][k], a[i][pivotRow[k]]);
    }
  }
}

void InvertMatrix(Block& a, int n, SolverReport& report) {
  CheckSpecies(n);
  for (int i = 0; i <= n; ++i) {
    for (int k = 0; k <= n; ++k) {
      if (k != i && a[i][k] != 0) return InvertMatrixGaussJordan(a, n, report);
    }
  }
  for (int i = 0; i <= n; ++i) a[i][i] = CheckedDivide(1, a[i][i]);
}

void SolveImplicitStep(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                       const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m, const Block& s,
                       const Block& s0, int n, SolverScratch& scratch, SolverReport& report) {
  CheckSpecies(n);
  if (nodes < 1 || nodes + 1 > kMaxSolverNode) throw RuntimeFault(kSubscriptOutOfRange);
  const int big = nodes;
  std::array<double, kMaxSolverSpecies + 1> v{}, u{};

  for (int sp = 0; sp <= n; ++sp) x[big][sp] = c[sp][big] + dMb[big][sp] * c[sp][big + 1];
  CopyBlock(y[big], m[big], n);

  // Backward sweep: Y_j = M_j - B_j Y_(j+1)^-1 A_(j+1), X_j = c(j) + B_j Y_(j+1)^-1 X_(j+1).
  for (int j = big - 1; j >= 1; --j) {
    Block& w = scratch.inverses[j + 1];
    CopyBlock(w, y[j + 1], n);
    InvertMatrix(w, n, report);
    for (int r = 0; r <= n; ++r) {
      for (int t = 0; t <= n; ++t) y[j][r][t] = m[j][r][t] - dMb[j][r] * w[r][t] * dMa[j + 1][t];
    }
    for (int sp = 0; sp <= n; ++sp) v[sp] = x[j + 1][sp];
    MultiplyVector(w, v, n, u);
    for (int sp = 0; sp <= n; ++sp) x[j][sp] = c[sp][j] + dMb[j][sp] * u[sp];
  }

  // Surface: (Y_1 S0^-1 S - A_1) c(0) = X_1.
  const Block& q = SurfaceInverse(s0, n, scratch, report);
  Block t, w;
  MultiplyMatrices(y[1], q, n, n, n, t);
  MultiplyMatrices(t, s, n, n, n, w);
  for (int sp = 0; sp <= n; ++sp) w[sp][sp] -= dMa[1][sp];
  InvertMatrix(w, n, report);
  for (int sp = 0; sp <= n; ++sp) {
    double sum = 0;
    for (int k = 0; k <= n; ++k) sum += w[sp][k] * x[1][k];
    c[sp][0] = sum;
  }

  // Forward substitution: c(j) = Y_j^-1 (X_j + A_j c(j-1)). The sweep left the inverses of
  // Y_2..Y_N; only Y_1 is inverted here.
  CopyBlock(scratch.inverses[1], y[1], n);
  InvertMatrix(scratch.inverses[1], n, report);
  for (int j = 1; j <= big; ++j) {
    for (int sp = 0; sp <= n; ++sp) v[sp] = x[j][sp] + dMa[j][sp] * c[sp][j - 1];
    MultiplyVector(scratch.inverses[j], v, n, u);
    for (int sp = 0; sp <= n; ++sp) c[sp][j] = u[sp];
  }
}

}  // namespace vorex
