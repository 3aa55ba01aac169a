#include "simulation/reaction_terms.h"

#include <algorithm>

#include "base/runtime_fault.h"
#include "simulation/network_terms.h"

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

Chemistry ChemistryOf(const ParameterSet& p) {
  if (p.Mechanism != M::Written) return Chemistry(p.Mechanism);
  const ReactionNetwork& n = p.Network;
  if (n.species < 2 || n.species > kMaxNetworkSpecies || n.transferCount < 1 ||
      n.transferCount > kMaxNetworkTransfers || n.stepCount < 0 || n.stepCount > kMaxNetworkSteps ||
      p.SpeciesCount != n.species || p.ChargeReactionCount != n.transferCount ||
      p.HomogeneousReactionCount != n.stepCount)
    throw RuntimeFault(kSubscriptOutOfRange);
  return Chemistry(M::Written, &n);
}

namespace {

int SideOrder(const std::array<NetworkTerm, kMaxStepOrder>& side, int terms) {
  int order = 0;
  for (int t = 0; t < terms; ++t) order += side[static_cast<std::size_t>(t)].count;
  return order;
}

// What a written step's kf and kb are multiplied by: cMax for a second-order side.
void SideScales(const NetworkStep& step, double cMax, double& forward, double& backward) {
  forward = SideOrder(step.reactants, step.reactantTerms) == 2 ? cMax : 1;
  backward = SideOrder(step.products, step.productTerms) == 2 ? cMax : 1;
}

}  // namespace

StepRates StepRatesFor(const ParameterSet& p, double dt, double cMax) {
  StepRates k;
  if (p.Mechanism == M::Written) {
    for (int i = 1; i <= p.Network.stepCount; ++i) {
      double forward = 1, backward = 1;
      SideScales(p.Network.steps[static_cast<std::size_t>(i - 1)], cMax, forward, backward);
      k.kf[static_cast<std::size_t>(i)] = p.Kf(i) * forward * dt;
      k.kb[static_cast<std::size_t>(i)] = p.Kb(i) * backward * dt;
    }
    return k;
  }
  k.kf[1] = p.Kf(1) * dt;
  k.kb[1] = p.Kb(1) * dt;
  if (p.HomogeneousReactionCount >= 2) {
    k.kf[2] = p.Kf(2) * dt;
    k.kb[2] = p.Kb(2) * dt;
  }
  return k;
}

double LargestConcentration(const ParameterSet& p) {
  double largest = p.CInit(1);
  for (int s = 2; s <= p.SpeciesCount; ++s) largest = std::max(largest, p.CInit(s));
  return largest;
}

double FastestStepRate(const ParameterSet& p, double cMax) {
  double rate = 0;
  if (p.Mechanism == M::Written) {
    for (int i = 1; i <= p.Network.stepCount; ++i) {
      double forward = 1, backward = 1;
      SideScales(p.Network.steps[static_cast<std::size_t>(i - 1)], cMax, forward, backward);
      rate = std::max(rate, p.Kf(i) * forward + p.Kb(i) * backward);
    }
    return rate;
  }
  for (int i = 1; i <= p.HomogeneousReactionCount; ++i) rate = std::max(rate, p.Kf(i) + p.Kb(i));
  return rate;
}

void ConstantReactionEntries(const Chemistry& chemistry, Block& m, const StepRates& k) {
  if (chemistry.Written()) return NetworkConstantEntries(*chemistry.network, m, k);
  switch (chemistry.code) {
    case M::CE:
      AddExchange(m, C, A, k.kf[1], k.kb[1]);
      break;
    case M::CEC:
      AddExchange(m, C, A, k.kf[1], k.kb[1]);
      AddExchange(m, B, D, k.kf[2], k.kb[2]);
      break;
    case M::EC:
    case M::ECE:
      AddExchange(m, B, C, k.kf[1], k.kb[1]);
      break;
    case M::EC2:
      m[B][C] = -k.kb[1];
      m[C][B] = -2 * k.kf[1];
      m[C][C] += k.kb[1];
      break;
    case M::Catalytic:
      AddExchange(m, B, A, k.kf[1], k.kb[1]);
      break;
    case M::Catalytic2:
      m[A][A] += k.kb[1];
      m[A][B] = -2 * k.kf[1];
      m[B][A] = -k.kb[1];
      break;
    case M::ECOntoSecondCouple:
    case M::EEIntermediateC:
      AddExchange(m, B, D, k.kf[1], k.kb[1]);
      break;
    case M::SquareScheme:
      AddExchange(m, B, D, k.kf[1], k.kb[1]);
      AddExchange(m, C, A, k.kf[2], k.kb[2]);
      break;
    case M::EEC:
      AddExchange(m, C, D, k.kf[1], k.kb[1]);
      break;
    case M::ComplexCE:
      m[A][C] = -k.kf[1];
      m[C][A] = -k.kb[1];
      m[C][C] += k.kf[1];
      m[D][C] = -k.kf[1];
      break;
    default:
      break;
  }
}

bool HasConcentrationEntries(const Chemistry& chemistry) {
  if (chemistry.Written()) return NetworkHasConcentrationEntries(*chemistry.network);
  const MechanismCode mechanism = chemistry.code;
  return mechanism == M::EC2 || mechanism == M::Catalytic2 || mechanism == M::CatalyticSubstrate ||
         mechanism == M::ComplexCE;
}

void ConcentrationEntries(const Chemistry& chemistry, const SpeciesNode& c, const NodeSpecies& diag,
                          int nodes, const StepRates& k, NodeBlocks& blocks) {
  if (!HasConcentrationEntries(chemistry)) return;
  if (chemistry.Written())
    return NetworkConcentrationEntries(*chemistry.network, c, diag, nodes, k, blocks);
  const MechanismCode mechanism = chemistry.code;
  for (int j = 1; j <= nodes; ++j) {
    Block& m = blocks[j];
    const auto& dg = diag[j];
    if (mechanism == M::EC2 || mechanism == M::Catalytic2) {
      m[B][B] = dg[B] + 2 * k.kf[1] * c[B][j];
    } else if (mechanism == M::CatalyticSubstrate) {
      CatalyticSubstrateEntries(m, dg, c[A][j], c[B][j], c[C][j], c[D][j], k.kf[1], k.kb[1]);
    } else {
      m[A][A] = dg[A] + k.kb[1] * c[D][j];
      m[D][D] = dg[D] + k.kb[1] * c[A][j];
    }
  }
}

void ConcentrationSources(const Chemistry& chemistry, int nodes, const StepRates& k,
                          SpeciesNode& c) {
  if (chemistry.Written()) return NetworkConcentrationSources(*chemistry.network, nodes, k, c);
  if (chemistry.code != M::CatalyticSubstrate) return;
  for (int j = 1; j <= nodes; ++j) {
    const double r0 = k.kf[1] * c[B][j] * c[C][j] - k.kb[1] * c[A][j] * c[D][j];
    c[A][j] -= r0;
    c[B][j] += r0;
    c[C][j] += r0;
    c[D][j] -= r0;
  }
}

void ConservationEntries(const Chemistry& chemistry, const double* d, Block& s) {
  switch (chemistry.code) {
    case M::Written:
      break;
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

void KineticEntries(const Chemistry& chemistry, const double* kred, const double* kox,
                    const double* g, Block& s) {
  if (chemistry.Written()) return NetworkKineticEntries(*chemistry.network, kred, kox, g, s);
  const MechanismCode mechanism = chemistry.code;
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
void Rates(const Chemistry& chemistry, At at, const double* kred, const double* kox, double* v) {
  if (chemistry.Written()) return NetworkNetRates(*chemistry.network, at, kred, kox, v);
  const MechanismCode mechanism = chemistry.code;
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

void NetRates(const Chemistry& chemistry, const SpeciesNode& c, const double* kred,
              const double* kox, double* v) {
  const auto at = [&](int s) { return c[s][0]; };
  Rates(chemistry, at, kred, kox, v);
}

void NetRatesAt(const Chemistry& chemistry, const SurfaceValues& c0, const double* kred,
                const double* kox, double* v) {
  const auto at = [&](int s) { return c0[s]; };
  Rates(chemistry, at, kred, kox, v);
}

}  // namespace vorex
