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

// The step written out plainly: every block product and inversion in full, each step from
// scratch. The solver's sized code, kept blocks and skipped zeros must give exactly this.
void ReferenceStep(int nodes, int n, System& sys, SolverReport& report) {
  NodeBlocks& inverses = sys.scratch.inverses;
  for (int sp = 0; sp <= n; ++sp)
    sys.x[nodes][sp] = sys.c[sp][nodes] + sys.dMb[nodes][sp] * sys.c[sp][nodes + 1];
  sys.y[nodes] = sys.m[nodes];
  for (int j = nodes - 1; j >= 1; --j) {
    inverses[j + 1] = sys.y[j + 1];
    InvertMatrix(inverses[j + 1], n, report);
    const Block& w = inverses[j + 1];
    for (int r = 0; r <= n; ++r) {
      for (int t = 0; t <= n; ++t) {
        sys.y[j][r][t] = sys.m[j][r][t] - sys.dMb[j][r] * w[r][t] * sys.dMa[j + 1][t];
      }
    }
    for (int r = 0; r <= n; ++r) {
      double sum = 0;
      for (int k = 0; k <= n; ++k) sum += w[r][k] * sys.x[j + 1][k];
      sys.x[j][r] = sys.c[r][j] + sys.dMb[j][r] * sum;
    }
  }
  Block q = sys.s0, t{}, w{};
  InvertMatrix(q, n, report);
  MultiplyMatrices(sys.y[1], q, n, n, n, t);
  MultiplyMatrices(t, sys.s, n, n, n, w);
  for (int sp = 0; sp <= n; ++sp) w[sp][sp] -= sys.dMa[1][sp];
  InvertMatrix(w, n, report);
  for (int r = 0; r <= n; ++r) {
    double sum = 0;
    for (int k = 0; k <= n; ++k) sum += w[r][k] * sys.x[1][k];
    sys.c[r][0] = sum;
  }
  inverses[1] = sys.y[1];
  InvertMatrix(inverses[1], n, report);
  for (int j = 1; j <= nodes; ++j) {
    double v[kMaxSolverSpecies + 1] = {};
    for (int sp = 0; sp <= n; ++sp) v[sp] = sys.x[j][sp] + sys.dMa[j][sp] * sys.c[sp][j - 1];
    for (int r = 0; r <= n; ++r) {
      double sum = 0;
      for (int k = 0; k <= n; ++k) sum += inverses[j][r][k] * v[k];
      sys.c[r][j] = sum;
    }
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

// The surface matrix of the next step, as a new potential would give it.
void NextSurface(System& sys, int n, int step) {
  sys.s[0][0] = 1.5 + 0.125 * step;
  if (n >= 1) sys.s[0][1] = -0.25 / (1 + step);
}

TEST(SolveImplicitStep, TheSizedCodeAgreesExactlyWithThePlainSteps) {
  for (int n = 0; n <= 3; ++n) {
    for (bool coupled : {false, true}) {
      for (bool keep : {false, true}) {
        auto sized = Sample(9, n, coupled);
        auto any = Sample(9, n, coupled);
        auto plain = Sample(9, n, coupled);
        sized->scratch.keepElimination = any->scratch.keepElimination = keep;
        for (int step = 0; step < 4; ++step) {
          SolverReport a, b, c;
          SolveImplicitStep(9, sized->c, sized->x, sized->dMa, sized->dMb, sized->y, sized->m,
                            sized->s, sized->s0, n, sized->scratch, a);
          SolveImplicitStepAnySize(9, any->c, any->x, any->dMa, any->dMb, any->y, any->m, any->s,
                                   any->s0, n, any->scratch, b);
          ReferenceStep(9, n, *plain, c);
          EXPECT_TRUE(SameBits(sized->c, plain->c)) << "n " << n << " step " << step;
          EXPECT_TRUE(SameBits(any->c, plain->c)) << "n " << n << " step " << step;
          EXPECT_FALSE(a.singular || b.singular || c.singular);
          for (System* sys : {sized.get(), any.get(), plain.get()}) NextSurface(*sys, n, step);
        }
        EXPECT_EQ(sized->scratch.eliminated, true);
      }
    }
  }
}

TEST(SolveImplicitStep, KeptBlocksGiveWhatAFreshEliminationGives) {
  for (int n = 0; n <= 3; ++n) {
    auto kept = Sample(7, n, true);
    kept->scratch.keepElimination = true;
    SolverReport report;
    SolveImplicitStep(7, kept->c, kept->x, kept->dMa, kept->dMb, kept->y, kept->m, kept->s,
                      kept->s0, n, kept->scratch, report);
    ASSERT_TRUE(kept->scratch.eliminated);
    NextSurface(*kept, n, 1);
    // The same inputs to a scratch that has never eliminated.
    auto fresh = std::make_unique<System>(*kept);
    fresh->scratch = SolverScratch{};
    SolveImplicitStep(7, kept->c, kept->x, kept->dMa, kept->dMb, kept->y, kept->m, kept->s,
                      kept->s0, n, kept->scratch, report);
    SolveImplicitStep(7, fresh->c, fresh->x, fresh->dMa, fresh->dMb, fresh->y, fresh->m, fresh->s,
                      fresh->s0, n, fresh->scratch, report);
    EXPECT_TRUE(SameBits(kept->c, fresh->c)) << "n " << n;
  }
}

TEST(SolveImplicitStep, KeptBlocksStandUntilTheCallerClearsThem) {
  const int n = 1;
  auto sys = Sample(5, n, true);
  sys->scratch.keepElimination = true;
  SolverReport report;
  SolveImplicitStep(5, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  auto eliminatedFrom = std::make_unique<System>(*sys);
  for (int j = 1; j <= 5; ++j) sys->m[j][1][1] += 0.5;  // written without clearing the flag
  auto stale = std::make_unique<System>(*sys);
  SolveImplicitStep(5, stale->c, stale->x, stale->dMa, stale->dMb, stale->y, stale->m, stale->s,
                    stale->s0, n, stale->scratch, report);
  ReferenceStep(5, n, *eliminatedFrom, report);
  EXPECT_TRUE(SameBits(stale->c, eliminatedFrom->c));  // the new M was not looked at

  sys->scratch.eliminated = false;
  auto plain = std::make_unique<System>(*sys);
  SolveImplicitStep(5, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  ReferenceStep(5, n, *plain, report);
  EXPECT_TRUE(SameBits(sys->c, plain->c));
  EXPECT_FALSE(SameBits(sys->c, stale->c));
  EXPECT_FALSE(report.singular);
}

TEST(SolveImplicitStep, ANewNodeCountOrSurfaceMatrixIsEliminatedAfresh) {
  const int n = 1;
  auto sys = Sample(8, n, true);
  sys->scratch.keepElimination = true;
  SolverReport report;
  SolveImplicitStep(8, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  sys->s0[1][1] = 2;
  auto plain = std::make_unique<System>(*sys);
  SolveImplicitStep(8, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  ReferenceStep(8, n, *plain, report);
  EXPECT_TRUE(SameBits(sys->c, plain->c));
  SolveImplicitStep(6, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                    sys->scratch, report);
  ReferenceStep(6, n, *plain, report);
  EXPECT_TRUE(SameBits(sys->c, plain->c));
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

TEST(SolveImplicitStep, KeptBlocksAgreeWithADenseSolve) {
  for (int n = 0; n <= 3; ++n) {
    auto sys = Sample(9, n, true);
    sys->scratch.keepElimination = true;
    for (int step = 0; step < 3; ++step) {
      const SpeciesNode before = sys->c;
      const auto expected = DenseSolve(9, n, before, sys->dMa, sys->dMb, sys->m, sys->s, sys->s0);
      SolverReport report;
      SolveImplicitStep(9, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                        sys->scratch, report);
      for (int j = 0; j <= 9; ++j) {
        for (int sp = 0; sp <= n; ++sp) {
          EXPECT_NEAR(sys->c[sp][j], expected[j * (n + 1) + sp], 1e-12)
              << "node " << j << " species " << sp << " n " << n << " step " << step;
        }
      }
      NextSurface(*sys, n, step);
    }
  }
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
      SolveImplicitStep(4, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, 1,
                        sys->scratch, report);
      EXPECT_TRUE(report.singular) << "step " << step << " keep " << keep;
      EXPECT_EQ(sys->scratch.eliminated, true);
    }
  }
}

TEST(SolveImplicitStep, AFailedEliminationLeavesNothingToKeep) {
  auto sys = Sample(3, 0, false);
  sys->scratch.keepElimination = true;
  SolverReport report;
  SolveImplicitStep(3, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, 0,
                    sys->scratch, report);
  ASSERT_TRUE(sys->scratch.eliminated);
  sys->m[2][0][0] = 0;  // the last block of a shorter grid: "Division by zero"
  EXPECT_THROW(SolveImplicitStep(2, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s,
                                 sys->s0, 0, sys->scratch, report),
               RuntimeFault);
  EXPECT_FALSE(sys->scratch.eliminated);
}

// A profile of -0 everywhere: every sum of the step begins at +0, so the new profile is +0
// everywhere, with a negative coupling to the surface as much as with a positive one.
TEST(SolveImplicitStep, SignedZerosComeOutAsTheFullSumsGiveThem) {
  for (int n = 0; n <= 3; ++n) {
    for (double a : {0.5, -0.5}) {
      auto sys = std::make_unique<System>();
      auto plain = std::make_unique<System>();
      for (System* p : {sys.get(), plain.get()}) {
        for (int j = 1; j <= 4; ++j) {
          for (int sp = 0; sp <= n; ++sp) {
            p->dMa[j][sp] = a;
            p->dMb[j][sp] = 0.4;
            p->m[j][sp][sp] = 2;
          }
        }
        for (int sp = 0; sp <= n; ++sp) {
          for (int j = 0; j <= 5; ++j) p->c[sp][j] = -0.0;
          p->s[sp][sp] = 3;
          p->s0[sp][sp] = 1;
        }
        p->scratch.keepElimination = true;
      }
      for (int step = 0; step < 2; ++step) {
        SolverReport report;
        SolveImplicitStep(4, sys->c, sys->x, sys->dMa, sys->dMb, sys->y, sys->m, sys->s, sys->s0, n,
                          sys->scratch, report);
        ReferenceStep(4, n, *plain, report);
        EXPECT_TRUE(SameBits(sys->c, plain->c)) << "n " << n << " a " << a << " step " << step;
        for (int sp = 0; sp <= n; ++sp) {
          for (int j = 0; j <= 4; ++j) {
            EXPECT_EQ(sys->c[sp][j], 0.0);
            EXPECT_FALSE(std::signbit(sys->c[sp][j])) << "n " << n << " a " << a << " node " << j;
          }
        }
        for (int sp = 0; sp <= n; ++sp) sys->c[sp][5] = plain->c[sp][5] = -0.0;
        for (int sp = 0; sp <= n; ++sp) {
          for (int j = 1; j <= 4; ++j) sys->c[sp][j] = plain->c[sp][j] = -0.0;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorex
