#include "simulation/implicit_solver.h"

#include <cmath>
#include <utility>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

// Every routine below is written once over a last index n that is either fixed when compiled
// (kN >= 0, so the loops over species are unrolled) or taken from the call (kN == kAny). Both
// perform the same operations in the same order on the same values, so they agree bit for bit.
namespace vorex {
namespace {

using Vector = SurfaceValues;

constexpr int kAny = -1;

template <int kN>
constexpr int Last(int n) {
  return kN == kAny ? n : kN;
}

// Calls f(0), f(1) .. f(n) in that order; for a fixed n the calls are laid out one after another,
// so that the species loops unroll and short vectors can stay in registers.
template <int kN, class F>
inline void ForSpecies(int n, F&& f) {
  if constexpr (kN == kAny) {
    for (int i = 0; i <= n; ++i) f(i);
  } else {
    [&]<int... kI>(std::integer_sequence<int, kI...>) {
      (f(kI), ...);
    }
    (std::make_integer_sequence<int, kN + 1>{});
  }
}

// Calls f(n), f(n - 1) .. f(0) in that order.
template <int kN, class F>
inline void ForSpeciesDown(int n, F&& f) {
  if constexpr (kN == kAny) {
    for (int i = n; i >= 0; --i) f(i);
  } else {
    [&]<int... kI>(std::integer_sequence<int, kI...>) {
      (f(kN - kI), ...);
    }
    (std::make_integer_sequence<int, kN + 1>{});
  }
}

void CheckSpecies(int n) {
  if (n < 0 || n > kMaxSolverSpecies) throw RuntimeFault(kSubscriptOutOfRange);
}

// U = W x V over 0..n, each sum accumulated from 0 in order.
template <int kN, class Source>
inline void MultiplyVector(const Block& w, const Source& v, int n, Vector& u) {
  ForSpecies<kN>(n, [&](int i) {
    double sum = 0;
    ForSpecies<kN>(n, [&](int k) { sum += w[i][k] * v[k]; });
    u[i] = sum;
  });
}

// The same product for a block whose off-diagonal entries are zeros. With v finite each skipped
// term is a signed zero, and a sum started at +0 can never be -0, so adding a zero leaves it as
// it is. The start at +0 is kept: it turns a -0 product into +0 exactly as the full sum does.
template <int kN>
inline void MultiplyDiagonal(const Block& w, const Vector& v, int n, Vector& u) {
  ForSpecies<kN>(n, [&](int i) { u[i] = 0.0 + w[i][i] * v[i]; });
}

template <int kN>
void MultiplyBlocks(const Block& a, const Block& b, int n, Block& c) {
  ForSpecies<kN>(n, [&](int i) {
    ForSpecies<kN>(n, [&](int j) {
      double sum = 0;
      ForSpecies<kN>(n, [&](int k) { sum += a[i][k] * b[k][j]; });
      c[i][j] = sum;
    });
  });
}

// Copies the used corner 0..n of a block.
template <int kN>
inline void CopyBlock(Block& to, const Block& from, int n) {
  ForSpecies<kN>(n, [&](int i) { ForSpecies<kN>(n, [&](int j) { to[i][j] = from[i][j]; }); });
}

template <int kN>
bool SameBlock(const Block& a, const Block& b, int n) {
  bool same = true;
  ForSpecies<kN>(
      n, [&](int i) { ForSpecies<kN>(n, [&](int j) { same = same && a[i][j] == b[i][j]; }); });
  return same;
}

// Complete pivoting: the first largest entry in row-major order wins. Each row's first largest
// entry is found on its own and the rows are then compared in order, strictly, which picks the
// same entry as one scan in row-major order but with far shorter chains of comparisons. An entry
// that is not larger than 0 (or is not a number) is never picked, as in the scan.
template <int kN>
[[gnu::flatten]] void GaussJordan(Block& a, int n, SolverReport& report) {
  int pivotRow[kMaxSolverSpecies + 1] = {};
  int pivotCol[kMaxSolverSpecies + 1] = {};
  bool singular = false;
  ForSpecies<kN>(n, [&](int k) {
    if (singular) return;
    double rowBig[kMaxSolverSpecies + 1] = {};
    int rowCol[kMaxSolverSpecies + 1] = {};
    ForSpecies<kN>(n, [&](int i) {
      if (i < k) return;
      double big = 0;
      int col = 0;
      ForSpecies<kN>(n, [&](int j) {
        if (j < k) return;
        const double size = std::fabs(a[i][j]);
        const bool larger = size > big;
        big = larger ? size : big;
        col = larger ? j : col;
      });
      rowBig[i] = big;
      rowCol[i] = col;
    });
    double big = 0;
    int row = pivotRow[k], col = pivotCol[k];
    ForSpecies<kN>(n, [&](int i) {
      if (i < k) return;
      const bool larger = rowBig[i] > big;
      big = larger ? rowBig[i] : big;
      row = larger ? i : row;
      col = larger ? rowCol[i] : col;
    });
    pivotRow[k] = row;
    pivotCol[k] = col;
    if (big + 1 == 1) {
      singular = true;
      return;
    }
    if (row != k) ForSpecies<kN>(n, [&](int j) { SwapValues(a[k][j], a[row][j]); });
    if (col != k) ForSpecies<kN>(n, [&](int i) { SwapValues(a[i][k], a[i][col]); });
    a[k][k] = 1 / a[k][k];
    ForSpecies<kN>(n, [&](int j) {
      if (j != k) a[k][j] = a[k][j] * a[k][k];
    });
    ForSpecies<kN>(n, [&](int i) {
      if (i == k) return;
      ForSpecies<kN>(n, [&](int j) {
        if (j != k) a[i][j] = a[i][j] - a[i][k] * a[k][j];
      });
    });
    ForSpecies<kN>(n, [&](int i) {
      if (i != k) a[i][k] = -a[i][k] * a[k][k];
    });
  });
  if (singular) {
    report.singular = true;
    return;
  }
  ForSpeciesDown<kN>(n, [&](int k) {
    if (pivotCol[k] != k) ForSpecies<kN>(n, [&](int j) { SwapValues(a[k][j], a[pivotCol[k]][j]); });
    if (pivotRow[k] != k) ForSpecies<kN>(n, [&](int i) { SwapValues(a[i][k], a[i][pivotRow[k]]); });
  });
}

// Says whether the block was diagonal, in which case its off-diagonal zeros are left in place.
template <int kN>
bool Invert(Block& a, int n, SolverReport& report) {
  bool diagonal = true;
  ForSpecies<kN>(n, [&](int i) {
    ForSpecies<kN>(n, [&](int k) { diagonal = diagonal && (k == i || a[i][k] == 0); });
  });
  if (!diagonal) {
    GaussJordan<kN>(a, n, report);
    return false;
  }
  ForSpecies<kN>(n, [&](int i) { a[i][i] = CheckedDivide(1, a[i][i]); });
  return true;
}

// The inverse of S0, formed again only when S0 or the species count changed (kept is false).
template <int kN>
const Block& SurfaceInverse(const Block& s0, int n, bool kept, SolverScratch& scratch,
                            SolverReport& report) {
  if (!kept) {
    CopyBlock<kN>(scratch.s0Source, s0, n);
    CopyBlock<kN>(scratch.s0Inverse, s0, n);
    scratch.s0Species = n;
    SolverReport local;
    Invert<kN>(scratch.s0Inverse, n, local);
    if (local.singular) scratch.s0Species = -1;  // never reused, so every step says so
    report.singular = report.singular || local.singular;
  }
  return scratch.s0Inverse;
}

// U = (Y_j)^-1 V with the kept inverse of node j.
template <int kN>
inline void MultiplyKept(const SolverScratch& scratch, int j, const Vector& v, int n, Vector& u) {
  if (scratch.diagonalInverse[j]) {
    MultiplyDiagonal<kN>(scratch.inverses[j], v, n, u);
  } else {
    MultiplyVector<kN>(scratch.inverses[j], v, n, u);
  }
}

// X_N = c(N) + B_N c(N+1); the latest X is carried in a register from node to node.
template <int kN>
inline void StartRightHandSides(int big, const SpeciesNode& c, NodeSpecies& x,
                                const NodeSpecies& dMb, int n, Vector& next) {
  ForSpecies<kN>(n, [&](int sp) {
    next[sp] = c[sp][big] + dMb[big][sp] * c[sp][big + 1];
    x[big][sp] = next[sp];
  });
}

// X_j = c(j) + B_j Y_(j+1)^-1 X_(j+1).
template <int kN>
inline void NextRightHandSide(int j, const SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMb,
                              int n, const SolverScratch& scratch, Vector& next) {
  Vector u;
  MultiplyKept<kN>(scratch, j + 1, next, n, u);
  ForSpecies<kN>(n, [&](int sp) {
    next[sp] = c[sp][j] + dMb[j][sp] * u[sp];
    x[j][sp] = next[sp];
  });
}

// The backward sweep with the kept inverses.
template <int kN>
void SweepRightHandSides(int big, const SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMb,
                         int n, const SolverScratch& scratch) {
  Vector next;
  StartRightHandSides<kN>(big, c, x, dMb, n, next);
  for (int j = big - 1; j >= 1; --j) NextRightHandSide<kN>(j, c, x, dMb, n, scratch, next);
}

// The backward sweep with elimination: Y_j = M_j - B_j Y_(j+1)^-1 A_(j+1) from the bulk inwards,
// keeping the inverses of Y_2..Y_N. The right-hand sides are swept along in the same loop, so
// that their work overlaps the latency of the inversions.
template <int kN>
void Eliminate(int big, const SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
               const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m, int n,
               SolverScratch& scratch, SolverReport& elimination, SolverReport& report) {
  Vector next;
  StartRightHandSides<kN>(big, c, x, dMb, n, next);
  CopyBlock<kN>(y[big], m[big], n);
  for (int j = big - 1; j >= 1; --j) {
    Block& w = scratch.inverses[j + 1];
    CopyBlock<kN>(w, y[j + 1], n);
    scratch.diagonalInverse[j + 1] = Invert<kN>(w, n, elimination);
    report.singular = report.singular || elimination.singular;
    ForSpecies<kN>(n, [&](int r) {
      ForSpecies<kN>(n,
                     [&](int t) { y[j][r][t] = m[j][r][t] - dMb[j][r] * w[r][t] * dMa[j + 1][t]; });
    });
    NextRightHandSide<kN>(j, c, x, dMb, n, scratch, next);
  }
}

// c(j) = Y_j^-1 (X_j + A_j c(j-1)) from the surface outwards.
template <int kN>
void SubstituteForward(int big, SpeciesNode& c, const NodeSpecies& x, const NodeSpecies& dMa, int n,
                       const SolverScratch& scratch) {
  Vector previous{}, v{};
  ForSpecies<kN>(n, [&](int sp) { previous[sp] = c[sp][0]; });
  for (int j = 1; j <= big; ++j) {
    ForSpecies<kN>(n, [&](int sp) { v[sp] = x[j][sp] + dMa[j][sp] * previous[sp]; });
    MultiplyKept<kN>(scratch, j, v, n, previous);
    ForSpecies<kN>(n, [&](int sp) { c[sp][j] = previous[sp]; });
  }
}

// Solves with the kept factors of the closing block: the row exchanges, then L and U. The
// exchanges moved whole rows, multipliers too, so all of them come before L.
template <int kN>
inline void SolveFactored(const SolverScratch& scratch, int n, const Vector& b, Vector& out) {
  const Block& w = scratch.closure;
  Vector y = b;
  ForSpecies<kN>(n, [&](int k) {
    if (scratch.closurePivot[k] != k) SwapValues(y[k], y[scratch.closurePivot[k]]);
  });
  ForSpecies<kN>(n, [&](int k) {
    ForSpecies<kN>(n, [&](int i) {
      if (i > k) y[i] -= w[i][k] * y[k];
    });
  });
  ForSpeciesDown<kN>(n, [&](int k) {
    double sum = y[k];
    ForSpecies<kN>(n, [&](int j) {
      if (j > k) sum -= w[k][j] * out[j];
    });
    out[k] = sum / w[k][k];
  });
}

// -(Y_1 S0^-1 S - A_1)^-1 Y_1 S0^-1 v.
template <int kN>
[[gnu::flatten]] void Shift(const SolverScratch& scratch, int nCall, const Vector& v, Vector& out) {
  const int n = Last<kN>(nCall);
  Vector product;
  MultiplyVector<kN>(scratch.surfaceProduct, v, n, product);
  SolveFactored<kN>(scratch, n, product, out);
  ForSpecies<kN>(n, [&](int sp) { out[sp] = -out[sp]; });
}

// The elimination, or the sweep of the right-hand sides over the kept blocks, and the product
// Y_1 S0^-1 the closure needs: everything of a step that does not depend on S.
template <int kN>
[[gnu::flatten]] void Prepare(int nodes, const SpeciesNode& c, NodeSpecies& x,
                              const NodeSpecies& dMa, const NodeSpecies& dMb, NodeBlocks& y,
                              const NodeBlocks& m, const Block& s0, int nCall,
                              SolverScratch& scratch, SolverReport& report) {
  const int n = Last<kN>(nCall);
  const int big = nodes;
  const bool s0Kept = scratch.s0Species == n && SameBlock<kN>(scratch.s0Source, s0, n);
  const bool reuse = scratch.keepElimination && scratch.eliminated && s0Kept &&
                     scratch.eliminatedNodes == nodes && scratch.eliminatedSpecies == n;
  scratch.reusing = reuse;
  // Only the inversions of Y_1..Y_N, which a reusing step does not repeat, are noted here.
  scratch.elimination = SolverReport{};
  if (reuse) {
    report.singular = report.singular || scratch.eliminationSingular;
    SweepRightHandSides<kN>(big, c, x, dMb, n, scratch);
  } else {
    scratch.eliminated = false;  // until this elimination is complete
    Eliminate<kN>(big, c, x, dMa, dMb, y, m, n, scratch, scratch.elimination, report);
  }
  const Block& q = SurfaceInverse<kN>(s0, n, s0Kept, scratch, report);
  if (!reuse) MultiplyBlocks<kN>(y[1], q, n, scratch.surfaceProduct);
}

// Surface: (Y_1 S0^-1 S - A_1) c(0) = X_1.
template <int kN>
[[gnu::flatten]] void Close(const Block& s, const NodeSpecies& x, const NodeSpecies& dMa, int nCall,
                            const SolverScratch& scratch, SolverReport& report, Vector& c0) {
  const int n = Last<kN>(nCall);
  Block w;
  MultiplyBlocks<kN>(scratch.surfaceProduct, s, n, w);
  ForSpecies<kN>(n, [&](int sp) { w[sp][sp] -= dMa[1][sp]; });
  Invert<kN>(w, n, report);
  MultiplyVector<kN>(w, x[1], n, c0);
}

// The same closure by elimination with partial pivoting, its factors kept for SurfaceShift. A
// zero pivot is reported and left to give infinities, which the caller's checks refuse.
template <int kN>
[[gnu::flatten]] void CloseFactored(const Block& s, const NodeSpecies& x, const NodeSpecies& dMa,
                                    int nCall, SolverScratch& scratch, SolverReport& report,
                                    Vector& c0) {
  const int n = Last<kN>(nCall);
  Block& w = scratch.closure;
  auto& pivot = scratch.closurePivot;
  MultiplyBlocks<kN>(scratch.surfaceProduct, s, n, w);
  ForSpecies<kN>(n, [&](int sp) { w[sp][sp] -= dMa[1][sp]; });
  ForSpecies<kN>(n, [&](int k) {
    int row = k;
    ForSpecies<kN>(n, [&](int i) {
      if (i > k && std::fabs(w[i][k]) > std::fabs(w[row][k])) row = i;
    });
    pivot[k] = row;
    if (row != k) ForSpecies<kN>(n, [&](int j) { SwapValues(w[k][j], w[row][j]); });
    if (w[k][k] == 0) report.singular = true;
    ForSpecies<kN>(n, [&](int i) {
      if (i <= k) return;
      w[i][k] /= w[k][k];
      ForSpecies<kN>(n, [&](int j) {
        if (j > k) w[i][j] -= w[i][k] * w[k][j];
      });
    });
  });
  SolveFactored<kN>(scratch, n, x[1], c0);
}

// Y_1 is inverted after the closure, as it always was, so that a fault leaves what it did; then
// the substitution out from c(0).
template <int kN>
[[gnu::flatten]] void Finish(int nodes, SpeciesNode& c, const NodeSpecies& x,
                             const NodeSpecies& dMa, const NodeBlocks& y, int nCall,
                             SolverScratch& scratch, SolverReport& report) {
  const int n = Last<kN>(nCall);
  if (!scratch.reusing) {
    SolverReport& elimination = scratch.elimination;
    CopyBlock<kN>(scratch.inverses[1], y[1], n);
    scratch.diagonalInverse[1] = Invert<kN>(scratch.inverses[1], n, elimination);
    report.singular = report.singular || elimination.singular;
    scratch.eliminationSingular = elimination.singular;
    scratch.eliminatedNodes = nodes;
    scratch.eliminatedSpecies = n;
    scratch.eliminated = true;
  }
  SubstituteForward<kN>(nodes, c, x, dMa, n, scratch);
}

// Flattened: the species loops are lambdas, which must be inlined to unroll.
template <int kN>
[[gnu::flatten]] void Step(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                           const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m,
                           const Block& s, const Block& s0, int nCall, SolverScratch& scratch,
                           SolverReport& report) {
  const int n = Last<kN>(nCall);
  Prepare<kN>(nodes, c, x, dMa, dMb, y, m, s0, n, scratch, report);
  SurfaceValues u{};
  Close<kN>(s, x, dMa, n, scratch, report, u);
  ForSpecies<kN>(n, [&](int sp) { c[sp][0] = u[sp]; });
  Finish<kN>(nodes, c, x, dMa, y, n, scratch, report);
}

void CheckStep(int nodes, int n) {
  CheckSpecies(n);
  if (nodes < 1 || nodes + 1 > kMaxSolverNode) throw RuntimeFault(kSubscriptOutOfRange);
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
  switch (n) {
    case 1:
      return GaussJordan<1>(a, n, report);
    case 2:
      return GaussJordan<2>(a, n, report);
    case 3:
      return GaussJordan<3>(a, n, report);
    default:
      return GaussJordan<kAny>(a, n, report);
  }
}

void InvertMatrix(Block& a, int n, SolverReport& report) {
  CheckSpecies(n);
  switch (n) {
    case 1:
      Invert<1>(a, n, report);
      return;
    case 2:
      Invert<2>(a, n, report);
      return;
    case 3:
      Invert<3>(a, n, report);
      return;
    default:
      Invert<kAny>(a, n, report);
      return;
  }
}

void SolveImplicitStep(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                       const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m, const Block& s,
                       const Block& s0, int n, SolverScratch& scratch, SolverReport& report) {
  CheckStep(nodes, n);
  switch (n) {
    case 1:
      return Step<1>(nodes, c, x, dMa, dMb, y, m, s, s0, n, scratch, report);
    case 2:
      return Step<2>(nodes, c, x, dMa, dMb, y, m, s, s0, n, scratch, report);
    case 3:
      return Step<3>(nodes, c, x, dMa, dMb, y, m, s, s0, n, scratch, report);
    default:
      return Step<kAny>(nodes, c, x, dMa, dMb, y, m, s, s0, n, scratch, report);
  }
}

void PrepareImplicitStep(int nodes, const SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                         const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m,
                         const Block& s0, int n, SolverScratch& scratch, SolverReport& report) {
  CheckStep(nodes, n);
  switch (n) {
    case 1:
      return Prepare<1>(nodes, c, x, dMa, dMb, y, m, s0, n, scratch, report);
    case 2:
      return Prepare<2>(nodes, c, x, dMa, dMb, y, m, s0, n, scratch, report);
    case 3:
      return Prepare<3>(nodes, c, x, dMa, dMb, y, m, s0, n, scratch, report);
    default:
      return Prepare<kAny>(nodes, c, x, dMa, dMb, y, m, s0, n, scratch, report);
  }
}

void CloseImplicitSurface(const Block& s, const NodeSpecies& x, const NodeSpecies& dMa, int n,
                          SolverScratch& scratch, SolverReport& report, SurfaceValues& c0) {
  CheckSpecies(n);
  switch (n) {
    case 1:
      return CloseFactored<1>(s, x, dMa, n, scratch, report, c0);
    case 2:
      return CloseFactored<2>(s, x, dMa, n, scratch, report, c0);
    case 3:
      return CloseFactored<3>(s, x, dMa, n, scratch, report, c0);
    default:
      return CloseFactored<kAny>(s, x, dMa, n, scratch, report, c0);
  }
}

void SurfaceShift(const SolverScratch& scratch, int n, const SurfaceValues& v,
                  SurfaceValues& shift) {
  CheckSpecies(n);
  switch (n) {
    case 1:
      return Shift<1>(scratch, n, v, shift);
    case 2:
      return Shift<2>(scratch, n, v, shift);
    case 3:
      return Shift<3>(scratch, n, v, shift);
    default:
      return Shift<kAny>(scratch, n, v, shift);
  }
}

void FinishImplicitStep(int nodes, SpeciesNode& c, const NodeSpecies& x, const NodeSpecies& dMa,
                        const NodeBlocks& y, int n, SolverScratch& scratch, SolverReport& report) {
  CheckStep(nodes, n);
  switch (n) {
    case 1:
      return Finish<1>(nodes, c, x, dMa, y, n, scratch, report);
    case 2:
      return Finish<2>(nodes, c, x, dMa, y, n, scratch, report);
    case 3:
      return Finish<3>(nodes, c, x, dMa, y, n, scratch, report);
    default:
      return Finish<kAny>(nodes, c, x, dMa, y, n, scratch, report);
  }
}

void SolveImplicitStepAnySize(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                              const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m,
                              const Block& s, const Block& s0, int n, SolverScratch& scratch,
                              SolverReport& report) {
  CheckStep(nodes, n);
  Step<kAny>(nodes, c, x, dMa, dMb, y, m, s, s0, n, scratch, report);
}

}  // namespace vorex
