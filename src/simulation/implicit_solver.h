#pragma once

#include <array>

// One fully implicit time step of coupled diffusion: a block-tridiagonal system with one
// species x species block per node, solved by elimination from the bulk towards the electrode,
// closure at the surface and substitution back out. Storage is fixed: species 0..5, nodes
// 0..100; the bounds are checked once on entry and the loops run unchecked inside them.
namespace vorex {

inline constexpr int kMaxSolverNode = 100;
inline constexpr int kMaxSolverSpecies = 5;

using Block = std::array<std::array<double, kMaxSolverSpecies + 1>, kMaxSolverSpecies + 1>;
using NodeSpecies = std::array<std::array<double, kMaxSolverSpecies + 1>, kMaxSolverNode + 1>;
using SpeciesNode = std::array<std::array<double, kMaxSolverNode + 1>, kMaxSolverSpecies + 1>;
using NodeBlocks = std::array<Block, kMaxSolverNode + 1>;

// What the inversions met: a numerically singular block ("Error: inverse matrix D=0") is noted
// here and the step goes on with the partly inverted block; the caller says so once.
struct SolverReport {
  bool singular = false;
};

// Exchanges two entries.
void SwapValues(double& a, double& b);
// C = A x B over rows 0..nRows, inner 0..nInner, columns 0..nCols; C is neither A nor B.
void MultiplyMatrices(const Block& a, const Block& b, int nRows, int nInner, int nCols, Block& c);
// In-place Gauss-Jordan inversion over 0..n with complete pivoting (the first largest entry in
// row-major order wins).
void InvertMatrixGaussJordan(Block& a, int n, SolverReport& report);
// In-place inverse over 0..n: reciprocals for a diagonal block (a zero diagonal entry raises
// "Division by zero"), Gauss-Jordan otherwise.
void InvertMatrix(Block& a, int n, SolverReport& report);

// The inverses of the eliminated blocks, kept from the backward sweep for the forward pass, and
// the inverse of the fixed surface matrix with the matrix it was formed from (S0 is constant
// through a run, so it is inverted once).
struct SolverScratch {
  NodeBlocks inverses;
  Block s0Source{};
  Block s0Inverse{};
  int s0Species = -1;
};

// Advances c (species x node) at nodes 0..N to the new time level; node N+1 is the bulk. For
// j = 1..N: -DMa(j) c(j-1) + M_j c(j) - DMb(j) c(j+1) = c(j) before the step; at the surface
// S c(0) = S0 c(1). X and Y are workspaces; n is the number of species - 1.
void SolveImplicitStep(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                       const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m, const Block& s,
                       const Block& s0, int n, SolverScratch& scratch, SolverReport& report);

}  // namespace vorex
