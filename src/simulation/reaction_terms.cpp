#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

enum Species { A = 0, B = 1, C = 2, D = 3 };
using M = MechanismCode;

// Reaction X = Y with kf turning X into Y and kb turning Y into X, in the balances of X and Y.
void AddExchange(Block& m, int from, int to, double kf, double kb) {
  m[from][from] += kf;
  m[from][to] = -kb;
  m[to][from] = -kf;
  m[to][to] += kb;
}

void CatalyticSubstrateEntries(Block& m, const std::array<double, kMaxSolverSpecies + 1>& dg,
                               double ca, double cb, double cc, double cd, double kf1, double kb1) {
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

void ConstantReactionEntries(MechanismCode mechanism, Block& m, const StepRates& k) {
  switch (mechanism) {
    case M::CE:
      AddExchange(m, C, A, k.kf1, k.kb1);
      break;
    case M::CEC:
      AddExchange(m, C, A, k.kf1, k.kb1);
      AddExchange(m, B, D, k.kf2, k.kb2);
      break;
    case M::EC:
    case M::ECE:
      AddExchange(m, B, C, k.kf1, k.kb1);
      break;
    case M::EC2:
      m[B][C] = -k.kb1;
      m[C][B] = -2 * k.kf1;
      m[C][C] += k.kb1;
      break;
    case M::Catalytic:
      AddExchange(m, B, A, k.kf1, k.kb1);
      break;
    case M::Catalytic2:
      m[A][A] += k.kb1;
      m[A][B] = -2 * k.kf1;
      m[B][A] = -k.kb1;
      break;
    case M::ECOntoSecondCouple:
    case M::EEIntermediateC:
      AddExchange(m, B, D, k.kf1, k.kb1);
      break;
    case M::SquareScheme:
      AddExchange(m, B, D, k.kf1, k.kb1);
      AddExchange(m, C, A, k.kf2, k.kb2);
      break;
    case M::EEC:
      AddExchange(m, C, D, k.kf1, k.kb1);
      break;
    case M::ComplexCE:
      m[A][C] = -k.kf1;
      m[C][A] = -k.kb1;
      m[C][C] += k.kf1;
      m[D][C] = -k.kf1;
      break;
    default:
      break;
  }
}

bool HasConcentrationEntries(MechanismCode mechanism) {
  return mechanism == M::EC2 || mechanism == M::Catalytic2 || mechanism == M::CatalyticSubstrate ||
         mechanism == M::ComplexCE;
}

void ConcentrationEntries(MechanismCode mechanism, const SpeciesNode& c, const NodeSpecies& diag,
                          int nodes, const StepRates& k, NodeBlocks& blocks) {
  if (!HasConcentrationEntries(mechanism)) return;
  for (int j = 1; j <= nodes; ++j) {
    Block& m = blocks[j];
    const auto& dg = diag[j];
    if (mechanism == M::EC2 || mechanism == M::Catalytic2) {
      m[B][B] = dg[B] + 2 * k.kf1 * c[B][j];
    } else if (mechanism == M::CatalyticSubstrate) {
      CatalyticSubstrateEntries(m, dg, c[A][j], c[B][j], c[C][j], c[D][j], k.kf1, k.kb1);
    } else {
      m[A][A] = dg[A] + k.kb1 * c[D][j];
      m[D][D] = dg[D] + k.kb1 * c[A][j];
    }
  }
}

void ConcentrationSources(MechanismCode mechanism, int nodes, const StepRates& k, SpeciesNode& c) {
  if (mechanism != M::CatalyticSubstrate) return;
  for (int j = 1; j <= nodes; ++j) {
    const double r0 = k.kf1 * c[B][j] * c[C][j] - k.kb1 * c[A][j] * c[D][j];
    c[A][j] -= r0;
    c[B][j] += r0;
    c[C][j] += r0;
    c[D][j] -= r0;
  }
}

void ConservationEntries(MechanismCode mechanism, const double* d, Block& s) {
  switch (mechanism) {
    case M::EE:
    case M::EEC:
    case M::EEIntermediateC:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, B, C);
      break;
    case M::EEE:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, C, B);
      ConserveWith(s, d, C, D);
      break;
    case M::TwoCouples:
    case M::ECE:
    case M::ECOntoSecondCouple:
    case M::SquareScheme:
      ConserveWith(s, d, B, A);
      ConserveWith(s, d, D, C);
      break;
    default:
      ConserveWith(s, d, B, A);
      break;
  }
}

void KineticEntries(MechanismCode mechanism, const double* kred, const double* kox, const double* g,
                    Block& s) {
  s[A][A] = 1 + kred[1] * g[A];
  s[A][B] = -kox[1] * g[A];
  switch (mechanism) {
    case M::EE:
    case M::EEC:
    case M::EEIntermediateC:
      s[C][B] = -kred[2] * g[C];
      s[C][C] = 1 + kox[2] * g[C];
      break;
    case M::EEE:
      s[C][B] = -kred[2] * g[C];
      s[C][C] = 1 + kox[2] * g[C];
      s[D][C] = -kred[3] * g[D];
      s[D][D] = 1 + kox[3] * g[D];
      break;
    case M::TwoCouples:
    case M::ECE:
    case M::ECOntoSecondCouple:
    case M::SquareScheme:
      s[C][C] = 1 + kred[2] * g[C];
      s[C][D] = -kox[2] * g[C];
      break;
    default:
      break;
  }
}

namespace {

// v from the surface concentration at(s) of each species s.
template <class At>
void Rates(MechanismCode mechanism, At at, const double* kred, const double* kox, double* v) {
  v[1] = kred[1] * at(A) - kox[1] * at(B);
  switch (mechanism) {
    case M::EE:
    case M::EEC:
    case M::EEIntermediateC:
      v[2] = kred[2] * at(B) - kox[2] * at(C);
      break;
    case M::EEE:
      v[2] = kred[2] * at(B) - kox[2] * at(C);
      v[3] = kred[3] * at(C) - kox[3] * at(D);
      break;
    case M::TwoCouples:
    case M::ECE:
    case M::ECOntoSecondCouple:
    case M::SquareScheme:
      v[2] = kred[2] * at(C) - kox[2] * at(D);
      break;
    default:
      break;
  }
}

}  // namespace

void NetRates(MechanismCode mechanism, const SpeciesNode& c, const double* kred, const double* kox,
              double* v) {
  const auto at = [&](int s) { return c[s][0]; };
  Rates(mechanism, at, kred, kox, v);
}

void NetRatesAt(MechanismCode mechanism, const SurfaceValues& c0, const double* kred,
                const double* kox, double* v) {
  const auto at = [&](int s) { return c0[s]; };
  Rates(mechanism, at, kred, kox, v);
}

}  // namespace vorex
