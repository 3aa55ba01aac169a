#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

enum Species { A = 0, B = 1, C = 2, D = 3 };

// Reaction X = Y with kf turning X into Y and kb turning Y into X, in the balances of X and Y.
void AddExchange(Block& m, int from, int to, double kf, double kb) {
  m[from][from] += kf;
  m[from][to] = -kb;
  m[to][from] = -kf;
  m[to][to] += kb;
}

void Mechanism16Entries(Block& m, const std::array<double, kMaxSolverSpecies + 1>& dg, double ca,
                        double cb, double cc, double cd, double kf1, double kb1) {
  m[A][A] = dg[A] + kb1 * cd;
  m[B][A] = -kb1 * cd;
  m[C][A] = -kb1 * cd;
  m[D][A] = kb1 * cd;
  m[A][B] = -kf1 * cc;
  m[B][B] = dg[B] + kf1 * cc;
  m[C][B] = kf1 * cc;
  m[D][B] = -kf1 * cc;
  m[A][C] = -kf1 * cb;
  m[B][C] = kf1 * cb;
  m[C][C] = dg[C] + kf1 * cb;
  m[D][C] = -kf1 * cb;
  m[A][D] = kb1 * ca;
  m[B][D] = -kb1 * ca;
  m[C][D] = -kb1 * ca;
  m[D][D] = dg[D] + kb1 * ca;
}

// Row `row` conserves the sum over the listed species weighted by D_s / D_row.
void ConserveWith(Block& s, const double* d, int row, int other) {
  s[row][other] = d[other] / d[row];
}

}  // namespace

void ConstantReactionEntries(int mechanism, Block& m, const StepRates& k) {
  switch (mechanism) {
    case 5:
      AddExchange(m, C, A, k.kf1, k.kb1);
      break;
    case 6:
      AddExchange(m, C, A, k.kf1, k.kb1);
      AddExchange(m, B, D, k.kf2, k.kb2);
      break;
    case 7:
    case 11:
      AddExchange(m, B, C, k.kf1, k.kb1);
      break;
    case 8:
      m[B][C] = -k.kb1;
      m[C][B] = -2 * k.kf1;
      m[C][C] += k.kb1;
      break;
    case 9:
      AddExchange(m, B, A, k.kf1, k.kb1);
      break;
    case 10:
      m[A][A] += k.kb1;
      m[A][B] = -2 * k.kf1;
      m[B][A] = -k.kb1;
      break;
    case 12:
    case 15:
      AddExchange(m, B, D, k.kf1, k.kb1);
      break;
    case 13:
      AddExchange(m, B, D, k.kf1, k.kb1);
      AddExchange(m, C, A, k.kf2, k.kb2);
      break;
    case 14:
      AddExchange(m, C, D, k.kf1, k.kb1);
      break;
    case 17:
      m[A][C] = -k.kf1;
      m[C][A] = -k.kb1;
      m[C][C] += k.kf1;
      m[D][C] = -k.kf1;
      break;
    default:
      break;
  }
}

bool HasConcentrationEntries(int mechanism) {
  return mechanism == 8 || mechanism == 10 || mechanism == 16 || mechanism == 17;
}

void ConcentrationEntries(int mechanism, const SpeciesNode& c, const NodeSpecies& diag, int nodes,
                          const StepRates& k, NodeBlocks& blocks) {
  if (!HasConcentrationEntries(mechanism)) return;
  for (int j = 1; j <= nodes; ++j) {
    Block& m = blocks[j];
    const auto& dg = diag[j];
    if (mechanism == 8 || mechanism == 10) {
      m[B][B] = dg[B] + 2 * k.kf1 * c[B][j];
    } else if (mechanism == 16) {
      Mechanism16Entries(m, dg, c[A][j], c[B][j], c[C][j], c[D][j], k.kf1, k.kb1);
    } else {
      m[A][A] = dg[A] + k.kb1 * c[D][j];
      m[D][D] = dg[D] + k.kb1 * c[A][j];
    }
  }
}

void ConservationEntries(int mechanism, const double* d, Block& s) {
  switch (mechanism) {
    case 2:
    case 14:
    case 15:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, B, C);
      break;
    case 3:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, C, B);
      ConserveWith(s, d, C, D);
      break;
    case 4:
    case 11:
    case 12:
    case 13:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, D, C);
      break;
    default:
      ConserveWith(s, d, B, A);
      break;
  }
}

void KineticEntries(int mechanism, const double* kred, const double* kox, const double* g,
                    Block& s) {
  s[A][A] = 1 + kred[1] * g[A];
  s[A][B] = -kox[1] * g[A];
  switch (mechanism) {
    case 2:
    case 14:
    case 15:
      s[C][B] = -kred[2] * g[C];
      s[C][C] = 1 + kox[2] * g[C];
      break;
    case 3:
      s[C][B] = -kred[2] * g[C];
      s[C][C] = 1 + kox[2] * g[C];
      s[D][C] = -kred[3] * g[D];
      s[D][D] = 1 + kox[3] * g[D];
      break;
    case 4:
    case 11:
    case 12:
    case 13:
      s[C][C] = 1 + kred[2] * g[C];
      s[C][D] = -kox[2] * g[C];
      break;
    default:
      break;
  }
}

void NetRates(int mechanism, const SpeciesNode& c, const double* kred, const double* kox,
              double* v) {
  v[1] = kred[1] * c[A][0] - kox[1] * c[B][0];
  switch (mechanism) {
    case 2:
    case 14:
    case 15:
      v[2] = kred[2] * c[B][0] - kox[2] * c[C][0];
      break;
    case 3:
      v[2] = kred[2] * c[B][0] - kox[2] * c[C][0];
      v[3] = kred[3] * c[C][0] - kox[3] * c[D][0];
      break;
    case 4:
    case 11:
    case 12:
    case 13:
      v[2] = kred[2] * c[C][0] - kox[2] * c[D][0];
      break;
    default:
      break;
  }
}

}  // namespace vorex
