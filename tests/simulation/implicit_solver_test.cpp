#include "simulation/implicit_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

Block Make(std::initializer_list<std::initializer_list<double>> rows) {
  Block b{};
  int i = 0;
  for (auto row : rows) {
    int j = 0;
    for (double v : row) b[i][j++] = v;
    ++i;
  }
  return b;
}

void ExpectInverse(const Block& original, const Block& inverse, int n) {
  Block product{};
  MultiplyMatrices(original, inverse, n, n, n, product);
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) EXPECT_NEAR(product[i][j], i == j ? 1 : 0, 1e-13) << i << j;
  }
}

TEST(InvertMatrix, GaussJordanWithCompletePivoting) {
  SolverReport report;
  Block swap = Make({{0, 1}, {1, 0}});
  InvertMatrixGaussJordan(swap, 1, report);
  EXPECT_EQ(swap[0][0], 0.0);
  EXPECT_EQ(swap[0][1], 1.0);
  EXPECT_EQ(swap[1][0], 1.0);
  const Block a = Make({{2, 1, 0, 0}, {1, 3, 9, 0}, {0, 1, 4, 1}, {0, 0, 1, 5}});
  Block inverse = a;
  InvertMatrixGaussJordan(inverse, 3, report);
  ExpectInverse(a, inverse, 3);
  EXPECT_FALSE(report.singular);
}

TEST(InvertMatrix, ASingularBlockIsReportedAndLeftPartlyDone) {
  SolverReport report;
  Block a = Make({{1, 2}, {2, 4}});
  InvertMatrix(a, 1, report);
  EXPECT_TRUE(report.singular);
}

TEST(InvertMatrix, DiagonalBlocksTakeTheShortcut) {
  SolverReport report;
  Block a = Make({{2, 0, 0}, {0, 4, 0}, {0, 0, -8}});
  InvertMatrix(a, 2, report);
  EXPECT_EQ(a[0][0], 0.5);
  EXPECT_EQ(a[1][1], 0.25);
  EXPECT_EQ(a[2][2], -0.125);
  Block zero{};
  EXPECT_THROW(InvertMatrix(zero, 1, report), RuntimeFault);  // a zero diagonal entry
}

// The same block-tridiagonal system, written out densely and solved by Gaussian elimination.
std::vector<double> DenseSolve(int nodes, int n, const SpeciesNode& c0, const NodeSpecies& dMa,
                               const NodeSpecies& dMb, const NodeBlocks& m, const Block& s,
                               const Block& s0) {
  const int k = n + 1, size = (nodes + 1) * k;
  std::vector<std::vector<double>> a(size, std::vector<double>(size + 1, 0));
  const auto at = [&](int node, int sp) { return node * k + sp; };
  for (int r = 0; r < k; ++r) {  // S c(0) - S0 c(1) = 0
    for (int t = 0; t < k; ++t) {
      a[at(0, r)][at(0, t)] += s[r][t];
      a[at(0, r)][at(1, t)] -= s0[r][t];
    }
  }
  for (int j = 1; j <= nodes; ++j) {
    for (int r = 0; r < k; ++r) {
      const int row = at(j, r);
      a[row][at(j - 1, r)] -= dMa[j][r];
      for (int t = 0; t < k; ++t) a[row][at(j, t)] += m[j][r][t];
      double rhs = c0[r][j];
      if (j < nodes) {
        a[row][at(j + 1, r)] -= dMb[j][r];
      } else {
        rhs += dMb[j][r] * c0[r][nodes + 1];
      }
      a[row][size] = rhs;
    }
  }
  for (int col = 0; col < size; ++col) {
    int pivot = col;
    for (int r = col + 1; r < size; ++r) {
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    }
    std::swap(a[col], a[pivot]);
    for (int r = 0; r < size; ++r) {
      if (r == col) continue;
      const double f = a[r][col] / a[col][col];
      for (int c = col; c <= size; ++c) a[r][c] -= f * a[col][c];
    }
  }
  std::vector<double> x(size);
  for (int r = 0; r < size; ++r) x[r] = a[r][size] / a[r][r];
  return x;
}

struct System {
  SpeciesNode c{};
  NodeSpecies x{}, dMa{}, dMb{};
  NodeBlocks y{}, m{};
  Block s{}, s0{};
  SolverScratch scratch{};
};

void CheckAgainstDense(int nodes, int n, bool coupled, bool conservation) {
  auto sys = std::make_unique<System>();
  for (int j = 1; j <= nodes; ++j) {
    for (int sp = 0; sp <= n; ++sp) {
      sys->dMa[j][sp] = 0.7 + 0.1 * sp + 0.01 * j;
      sys->dMb[j][sp] = 0.4 + 0.05 * sp;
      sys->m[j][sp][sp] = 1 + sys->dMa[j][sp] + sys->dMb[j][sp];
      if (coupled && sp < n) {
        sys->m[j][sp][sp + 1] = -0.3;
        sys->m[j][sp + 1][sp] = -0.2;
      }
    }
  }
  for (int sp = 0; sp <= n; ++sp) {
    for (int j = 0; j <= nodes + 1; ++j) sys->c[sp][j] = 1.0 / (1 + sp) + 0.01 * j;
    sys->s[sp][sp] = 1 + 0.5 * (sp + 1);
    sys->s0[sp][sp] = 1;
  }
  if (n >= 1) sys->s[0][1] = -0.25;
  if (conservation && n >= 1) sys->s[1][0] = sys->s0[1][0] = 1;
  const SpeciesNode before = sys->c;
  const auto expected = DenseSolve(nodes, n, before, sys->dMa, sys->dMb, sys->m, sys->s, sys->s0);
  SolverReport report;
  SolveImplicitStep(nodes, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  for (int j = 0; j <= nodes; ++j) {
    for (int sp = 0; sp <= n; ++sp) {
      EXPECT_NEAR(sys->c[sp][j], expected[j * (n + 1) + sp], 1e-12)
          << "node " << j << " species " << sp << " n " << n;
    }
  }
  EXPECT_EQ(sys->c[0][nodes + 1], before[0][nodes + 1]);  // the bulk stays
}

TEST(SolveImplicitStep, AgreesWithADenseSolveOfTheSameSystem) {
  for (int n = 0; n <= 3; ++n) {
    CheckAgainstDense(1, n, false, false);
    CheckAgainstDense(5, n, false, true);
    CheckAgainstDense(9, n, true, true);
  }
}

}  // namespace
}  // namespace vorex
