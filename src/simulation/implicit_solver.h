#pragma once

#include <array>

// One fully implicit time step of coupled diffusion: a block-tridiagonal system with one
// species x species block per node, solved by elimination from the bulk towards the electrode,
// closure at the surface and substitution back out. Storage is fixed: species 0..7 (the eight of
// a written mechanism), nodes 0..100; the bounds are checked once on entry and the loops run
// unchecked inside them.
namespace vorex {

inline constexpr int kMaxSolverNode = 100;
inline constexpr int kMaxSolverSpecies = 7;

using Block = std::array<std::array<double, kMaxSolverSpecies + 1>, kMaxSolverSpecies + 1>;
using NodeSpecies = std::array<std::array<double, kMaxSolverSpecies + 1>, kMaxSolverNode + 1>;
using SpeciesNode = std::array<std::array<double, kMaxSolverNode + 1>, kMaxSolverSpecies + 1>;
using NodeBlocks = std::array<Block, kMaxSolverNode + 1>;
using SurfaceValues = std::array<double, kMaxSolverSpecies + 1>;  // c(0) of each species

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

// What the solver keeps between steps. The inverses of the eliminated blocks Y_j and the product
// Y_1 S0^-1 depend only on M, DMa, DMb, S0 and the node and species counts; the right-hand sides
// and the surface matrix S change every step. The inverse of the fixed surface matrix S0 is kept
// with the matrix it was formed from (S0 is constant through a run, so it is inverted once).
//
// Reuse of the eliminated blocks is the caller's choice, off unless keepElimination is set. The
// solver sets `eliminated` when a step has eliminated completely; while both flags are set, the
// following steps take the kept blocks instead of eliminating again and give bit for bit what a
// fresh elimination would, a singular block included (it is reported again on every such step).
// A caller that sets keepElimination must clear `eliminated` whenever it writes M, DMa or DMb:
// at the set-up of every run (the scratch outlives a run) and at every step that writes
// reaction terms linearised on the profile. A changed node count, species count or S0 is
// noticed by the solver, which then eliminates afresh. Reuse skips the zero entries of diagonal
// blocks, which is exact only while the profile and the right-hand sides are finite.
struct SolverScratch {
  NodeBlocks inverses;
  Block s0Source{};
  Block s0Inverse{};
  int s0Species = -1;
  bool keepElimination = false;  // set by the caller that keeps the contract above
  bool eliminated = false;       // set by the solver, cleared by the caller

  // Kept by the solver with the inverses; read only by the solver.
  Block surfaceProduct{};  // Y_1 S0^-1
  std::array<bool, kMaxSolverNode + 1> diagonalInverse{};
  int eliminatedNodes = -1;
  int eliminatedSpecies = -1;
  bool eliminationSingular = false;  // reported again on every step that reuses the blocks
  bool reusing = false;              // the step in progress took the kept blocks
  SolverReport elimination;          // what the step's own inversions met
  // The factors of the last closing block of CloseImplicitSurface, with its row exchanges.
  Block closure{};
  std::array<int, kMaxSolverSpecies + 1> closurePivot{};
};

// Advances c (species x node) at nodes 0..N to the new time level; node N+1 is the bulk. For
// j = 1..N: -DMa(j) c(j-1) + M_j c(j) - DMb(j) c(j+1) = c(j) before the step; at the surface
// S c(0) = S0 c(1). X and Y are workspaces (Y keeps the blocks of the last elimination); n is the
// number of species - 1. Blocks of up to four species run through code compiled for their size.
void SolveImplicitStep(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                       const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m, const Block& s,
                       const Block& s0, int n, SolverScratch& scratch, SolverReport& report);

// The same step in three parts, for a caller whose surface matrix S depends on the step's own
// result (an electrode potential that depends on the current): the part that does not depend on
// S, once; the surface values c(0) for a trial S, as often as the caller likes; and the
// substitution out from the c(0) the caller has written into column 0 of c. Prepare, one Close
// with c(0) written into c, and Finish do what SolveImplicitStep does, but for rounding: the
// closure here eliminates with partial pivoting instead of inverting the block, which is cheaper
// for a block solved more than once.
void PrepareImplicitStep(int nodes, const SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                         const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m,
                         const Block& s0, int n, SolverScratch& scratch, SolverReport& report);
void CloseImplicitSurface(const Block& s, const NodeSpecies& x, const NodeSpecies& dMa, int n,
                          SolverScratch& scratch, SolverReport& report, SurfaceValues& c0);
// After a closure with S: the change of c(0) when S changes by dS is -R dS c(0) to first order;
// this is -R v.
void SurfaceShift(const SolverScratch& scratch, int n, const SurfaceValues& v,
                  SurfaceValues& shift);
void FinishImplicitStep(int nodes, SpeciesNode& c, const NodeSpecies& x, const NodeSpecies& dMa,
                        const NodeBlocks& y, int n, SolverScratch& scratch, SolverReport& report);

// The same step through the code for any block size, so that the sized code can be checked
// against it.
void SolveImplicitStepAnySize(int nodes, SpeciesNode& c, NodeSpecies& x, const NodeSpecies& dMa,
                              const NodeSpecies& dMb, NodeBlocks& y, const NodeBlocks& m,
                              const Block& s, const Block& s0, int n, SolverScratch& scratch,
                              SolverReport& report);

}  // namespace vorex
