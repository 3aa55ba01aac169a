#include "simulation/implicit_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

// Two singular blocks whose largest entries tie, worked by hand up to the step that finds the
// zero pivot. [[2, 1], [-2, -1]]: the pivot is the 2 of row 0 (not the -2 of row 1), giving
// 1/2, 1 x 1/2, -1 - (-2)(1/2) = 0 and -(-2)(1/2) = 1. [[2, -2], [1, -1]]: the pivot is the 2
// in column 0 (not the -2 in column 1), giving 1/2, -2 x 1/2, -1 - 1 x (-1) = 0, -1 x 1/2.
TEST(InvertMatrix, TheFirstLargestEntryInRowMajorOrderIsThePivot) {
  SolverReport report;
  Block rows = Make({{2, 1}, {-2, -1}});
  InvertMatrixGaussJordan(rows, 1, report);
  EXPECT_TRUE(report.singular);
  EXPECT_EQ(rows[0][0], 0.5);
  EXPECT_EQ(rows[0][1], 0.5);
  EXPECT_EQ(rows[1][0], 1.0);
  EXPECT_EQ(rows[1][1], 0.0);
  Block cols = Make({{2, -2}, {1, -1}});
  InvertMatrixGaussJordan(cols, 1, report);
  EXPECT_EQ(cols[0][0], 0.5);
  EXPECT_EQ(cols[0][1], -1.0);
  EXPECT_EQ(cols[1][0], -0.5);
  EXPECT_EQ(cols[1][1], 0.0);
  // The same in the corner of a block of five species, otherwise zero, which goes through the
  // code for any size and stops at the same step.
  Block wide{};
  wide[0][0] = 2;
  wide[0][1] = 1;
  wide[1][0] = -2;
  wide[1][1] = -1;
  InvertMatrixGaussJordan(wide, 4, report);
  EXPECT_EQ(wide[0][0], 0.5);
  EXPECT_EQ(wide[0][1], 0.5);
  EXPECT_EQ(wide[1][0], 1.0);
  EXPECT_EQ(wide[1][1], 0.0);
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

bool SameBits(const SpeciesNode& a, const SpeciesNode& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A system with diffusion like the program's, reactions coupling neighbouring species when
// coupled, signed zeros in the profile and off the diagonal, and a surface row of conservation.
std::unique_ptr<System> Sample(int nodes, int n, bool coupled) {
  auto sys = std::make_unique<System>();
  for (int j = 1; j <= nodes; ++j) {
    for (int sp = 0; sp <= n; ++sp) {
      sys->dMa[j][sp] = 0.7 + 0.1 * sp + 0.01 * j;
      sys->dMb[j][sp] = 0.4 + 0.05 * sp;
      sys->m[j][sp][sp] = 1 + sys->dMa[j][sp] + sys->dMb[j][sp];
      for (int t = 0; t <= n; ++t) {
        if (t != sp) sys->m[j][sp][t] = coupled && t == sp + 1 ? -0.3 / j : -0.0;
      }
    }
  }
  for (int sp = 0; sp <= n; ++sp) {
    for (int j = 0; j <= nodes + 1; ++j)
      sys->c[sp][j] = (j + sp) % 4 == 1 ? -0.0 : 0.1 * j - 0.05 * sp;
    sys->s[sp][sp] = 1 + 0.5 * (sp + 1);
    sys->s0[sp][sp] = 1;
  }
  if (n >= 1) {
    sys->s[0][1] = -0.25;
    sys->s[1][0] = sys->s0[1][0] = 1;
  }
  return sys;
}

void Step(int nodes, int n, System& sys, SolverReport& report) {
  SolveImplicitStep(nodes, sys.c, sys.x, sys.dMa, sys.dMb, sys.y, sys.m, sys.s, sys.s0, n,
                    sys.scratch, report);
}

// The same step on a copy that has never eliminated: what kept blocks must reproduce exactly.
SpeciesNode Fresh(int nodes, int n, const System& sys) {
  auto copy = std::make_unique<System>(sys);
  copy->scratch = SolverScratch{};
  SolverReport report;
  Step(nodes, n, *copy, report);
  return copy->c;
}

// The surface matrix of the next step, as a new potential would give it.
void NextSurface(System& sys, int n, int step) {
  sys.s[0][0] = 1.5 + 0.125 * step;
  if (n >= 1) sys.s[0][1] = -0.25 / (1 + step);
}

// A surface matrix with every entry filled and its largest entries off the diagonal, so that
// the closing block must exchange rows at each column.
Block FullSurface(int n, double shift) {
  Block s{};
  for (int r = 0; r <= n; ++r) {
    for (int t = 0; t <= n; ++t) s[r][t] = 0.3 + 0.1 * r - 0.05 * t + shift;
    s[r][(r + 1) % (n + 1)] += 4 + r;
  }
  return s;
}

// Prepare, one closure and Finish: the step a caller takes when S depends on its result.
void StepInParts(int nodes, int n, System& sys, SolverReport& report) {
  PrepareImplicitStep(nodes, sys.c, sys.x, sys.dMa, sys.dMb, sys.y, sys.m, sys.s0, n, sys.scratch,
                      report);
  SurfaceValues c0{};
  CloseImplicitSurface(sys.s, sys.x, sys.dMa, n, sys.scratch, report, c0);
  for (int sp = 0; sp <= n; ++sp) sys.c[sp][0] = c0[sp];
  FinishImplicitStep(nodes, sys.c, sys.x, sys.dMa, sys.y, n, sys.scratch, report);
}

TEST(SolveImplicitStep, InThreePartsAgreesWithADenseSolve) {
  for (int n = 0; n <= 3; ++n) {
    auto sys = Sample(7, n, true);
    sys->s = FullSurface(n, 0);
    sys->scratch.keepElimination = true;
    for (int step = 0; step < 3; ++step) {  // the second and third on kept blocks
      const auto expected = DenseSolve(7, n, sys->c, sys->dMa, sys->dMb, sys->m, sys->s, sys->s0);
      SolverReport report;
      StepInParts(7, n, *sys, report);
      EXPECT_FALSE(report.singular);
      for (int j = 0; j <= 7; ++j) {
        for (int sp = 0; sp <= n; ++sp) {
          EXPECT_NEAR(sys->c[sp][j], expected[j * (n + 1) + sp], 1e-12)
              << "node " << j << " species " << sp << " n " << n << " step " << step;
        }
      }
      sys->s = FullSurface(n, 0.2 * (step + 1));
    }
  }
}

TEST(SolveImplicitStep, SurfaceShiftIsTheDerivativeOfTheClosure) {
  // Central differences of c(0) along a change of S; their error, of order h^2, is far below
  // the tolerance.
  for (int n = 0; n <= 3; ++n) {
    auto sys = Sample(6, n, true);
    sys->s = FullSurface(n, 0);
    SolverReport report;
    PrepareImplicitStep(6, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s0, n,
                        sys->scratch, report);
    Block ds{};
    for (int r = 0; r <= n; ++r) {
      ds[r][r] = 1 + r;
      ds[r][0] += 0.5;
    }
    const auto closed = [&](double h) {
      Block s = sys->s;
      for (int r = 0; r <= n; ++r) {
        for (int t = 0; t <= n; ++t) s[r][t] += h * ds[r][t];
      }
      SurfaceValues c0{};
      CloseImplicitSurface(s, sys->x, sys->dMa, n, sys->scratch, report, c0);
      return c0;
    };
    const double h = 1e-5;
    const SurfaceValues up = closed(h), down = closed(-h), c0 = closed(0);
    SurfaceValues moved{}, shift{};
    for (int r = 0; r <= n; ++r) {
      for (int t = 0; t <= n; ++t) moved[r] += ds[r][t] * c0[t];
    }
    SurfaceShift(sys->scratch, n, moved, shift);
    for (int sp = 0; sp <= n; ++sp) {
      EXPECT_NEAR(shift[sp], (up[sp] - down[sp]) / (2 * h), 1e-8) << "n " << n << " sp " << sp;
    }
  }
}

TEST(SolveImplicitStep, SizedCodeAndKeptBlocksGiveExactlyTheFreshStep) {
  for (int n = 0; n <= 3; ++n) {
    for (bool coupled : {false, true}) {
      auto sized = Sample(9, n, coupled);
      auto any = Sample(9, n, coupled);
      sized->scratch.keepElimination = any->scratch.keepElimination = true;
      for (int step = 0; step < 4; ++step) {
        const SpeciesNode fresh = Fresh(9, n, *sized);
        SolverReport report;
        Step(9, n, *sized, report);
        SolveImplicitStepAnySize(9, any->c, any->x, any->dMa, any->dMb, any->y, any->m, any->s,
                                 any->s0, n, any->scratch, report);
        EXPECT_TRUE(SameBits(sized->c, fresh)) << "n " << n << " step " << step;
        EXPECT_TRUE(SameBits(any->c, fresh)) << "n " << n << " step " << step;
        EXPECT_FALSE(report.singular);
        NextSurface(*sized, n, step);
        NextSurface(*any, n, step);
      }
    }
  }
}

TEST(SolveImplicitStep, KeptBlocksStandUntilClearedOrTheGridChanges) {
  const int n = 1;
  auto sys = Sample(8, n, true);
  sys->scratch.keepElimination = true;
  SolverReport report;
  Step(8, n, *sys, report);
  auto before = std::make_unique<System>(*sys);
  for (int j = 1; j <= 8; ++j) sys->m[j][1][1] += 0.5;  // written without clearing the flag
  const SpeciesNode stale = Fresh(8, n, *before);
  auto unchanged = std::make_unique<System>(*sys);
  Step(8, n, *unchanged, report);
  EXPECT_TRUE(SameBits(unchanged->c, stale));  // the new M is not looked at
  sys->scratch.eliminated = false;             // until the caller says so
  SpeciesNode expected = Fresh(8, n, *sys);
  Step(8, n, *sys, report);
  EXPECT_TRUE(SameBits(sys->c, expected));
  sys->s0[1][1] = 2;  // a new S0 and a shorter grid are noticed by the solver itself
  expected = Fresh(8, n, *sys);
  Step(8, n, *sys, report);
  EXPECT_TRUE(SameBits(sys->c, expected));
  expected = Fresh(6, n, *sys);
  Step(6, n, *sys, report);
  EXPECT_TRUE(SameBits(sys->c, expected));
  EXPECT_FALSE(report.singular);
}

// One species, one node, worked by hand: S c0 = S0 c1 and -A c0 + M c1 = c1' + B cb with
// S = 2, S0 = 1, A = 1, M = 3, B = 1, cb = 1 give c0 = c1 / 2 and 2.5 c1 = c1' + 1, so from
// c1' = 1 the profile goes to (0.4, 0.8) and then, on the kept block, to (0.36, 0.72).
TEST(SolveImplicitStep, KeptBlocksGiveTheHandWorkedSteps) {
  auto sys = std::make_unique<System>();
  sys->s[0][0] = 2;
  sys->s0[0][0] = 1;
  sys->dMa[1][0] = 1;
  sys->dMb[1][0] = 1;
  sys->m[1][0][0] = 3;
  sys->c[0][1] = 1;
  sys->c[0][2] = 1;
  sys->scratch.keepElimination = true;
  SolverReport report;
  SolveImplicitStep(1, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, 0,
                    sys->scratch, report);
  EXPECT_NEAR(sys->c[0][0], 0.4, 1e-15);
  EXPECT_NEAR(sys->c[0][1], 0.8, 1e-15);
  ASSERT_TRUE(sys->scratch.eliminated);
  SolveImplicitStep(1, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, 0,
                    sys->scratch, report);
  EXPECT_NEAR(sys->c[0][0], 0.36, 1e-15);
  EXPECT_NEAR(sys->c[0][1], 0.72, 1e-15);
  EXPECT_FALSE(report.singular);
}

// A rank-one block at the bulk end: [[1, 2], [2, 4]] has no inverse.
TEST(SolveImplicitStep, ASingularBlockIsReportedOnEveryStepThatKeepsIt) {
  for (bool keep : {false, true}) {
    auto sys = Sample(4, 1, true);
    sys->m[4][0][0] = 1;
    sys->m[4][0][1] = 2;
    sys->m[4][1][0] = 2;
    sys->m[4][1][1] = 4;
    sys->scratch.keepElimination = keep;
    for (int step = 0; step < 3; ++step) {
      SolverReport report;
      Step(4, 1, *sys, report);
      EXPECT_TRUE(report.singular) << "step " << step << " keep " << keep;
    }
  }
}

TEST(SolveImplicitStep, AFailedEliminationLeavesNothingToKeep) {
  auto sys = Sample(3, 0, false);
  sys->scratch.keepElimination = true;
  SolverReport report;
  Step(3, 0, *sys, report);
  ASSERT_TRUE(sys->scratch.eliminated);
  sys->m[2][0][0] = 0;  // the last block of a shorter grid: "Division by zero"
  EXPECT_THROW(Step(2, 0, *sys, report), RuntimeFault);
  EXPECT_FALSE(sys->scratch.eliminated);
}

// A profile of -0 everywhere: every sum of the step begins at +0, so the new profile is +0
// everywhere, with a negative coupling to the surface as much as with a positive one (a
// diagonal shortcut that dropped the leading +0 would leave -0).
TEST(SolveImplicitStep, SignedZerosComeOutAsTheFullSumsGiveThem) {
  for (int n = 0; n <= 3; ++n) {
    for (double a : {0.5, -0.5}) {
      System sys;
      for (int j = 1; j <= 4; ++j) {
        for (int sp = 0; sp <= n; ++sp) {
          sys.dMa[j][sp] = a;
          sys.dMb[j][sp] = 0.4;
          sys.m[j][sp][sp] = 2;
        }
      }
      for (int sp = 0; sp <= n; ++sp) {
        for (int j = 0; j <= 5; ++j) sys.c[sp][j] = -0.0;
        sys.s[sp][sp] = 3;
        sys.s0[sp][sp] = 1;
      }
      sys.scratch.keepElimination = true;
      for (int step = 0; step < 2; ++step) {
        SolverReport report;
        Step(4, n, sys, report);
        for (int sp = 0; sp <= n; ++sp) {
          for (int j = 0; j <= 4; ++j) {
            EXPECT_EQ(sys.c[sp][j], 0.0);
            EXPECT_FALSE(std::signbit(sys.c[sp][j])) << "n " << n << " a " << a << " node " << j;
            sys.c[sp][j] = -0.0;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorex
