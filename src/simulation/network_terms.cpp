#include "simulation/network_terms.h"

#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

using Side = std::array<NetworkTerm, kMaxStepOrder>;

// The species a step changes, with nu_s; a species on both sides counts once, its counts netted.
struct Changes {
  int species[2 * kMaxStepOrder] = {};
  int nu[2 * kMaxStepOrder] = {};
  int count = 0;
};

void Change(Changes& c, int species, int by) {
  for (int i = 0; i < c.count; ++i) {
    if (c.species[i] == species) {
      c.nu[i] += by;
      return;
    }
  }
  c.species[c.count] = species;
  c.nu[c.count] = by;
  ++c.count;
}

Changes ChangesOf(const NetworkStep& step) {
  Changes c;
  for (int t = 0; t < step.reactantTerms; ++t)
    Change(c, step.reactants[static_cast<std::size_t>(t)].species,
           -step.reactants[static_cast<std::size_t>(t)].count);
  for (int t = 0; t < step.productTerms; ++t)
    Change(c, step.products[static_cast<std::size_t>(t)].species,
           step.products[static_cast<std::size_t>(t)].count);
  return c;
}

int OrderOf(const Side& side, int terms) {
  int order = 0;
  for (int t = 0; t < terms; ++t) order += side[static_cast<std::size_t>(t)].count;
  return order;
}

// The side's rate kappa prod(c^count) at `at`, and its derivative by each term's species.
template <class At>
double SideRate(const Side& side, int terms, double kappa, At at) {
  double rate = kappa;
  for (int t = 0; t < terms; ++t) {
    const NetworkTerm& term = side[static_cast<std::size_t>(t)];
    for (int k = 0; k < term.count; ++k) rate *= at(term.species);
  }
  return rate;
}

template <class At>
double SideDerivative(const Side& side, int terms, double kappa, int by, At at) {
  if (terms == 2) {
    return kappa * at(side[static_cast<std::size_t>(1 - by)].species);
  }
  if (side[0].count == 2) return 2 * kappa * at(side[0].species);
  return kappa;
}

// Adds -nu_s sign dR/dc_t of one side to the block m: sign +1 for the forward side, -1 for the
// backward.
template <class At>
void AddSide(Block& m, const Changes& changes, const Side& side, int terms, double kappa,
             double sign, At at) {
  for (int t = 0; t < terms; ++t) {
    const int by = side[static_cast<std::size_t>(t)].species;
    const double slope = sign * SideDerivative(side, terms, kappa, t, at);
    for (int i = 0; i < changes.count; ++i) m[changes.species[i]][by] -= changes.nu[i] * slope;
  }
}

}  // namespace

void NetworkConstantEntries(const ReactionNetwork& network, Block& m, const StepRates& k) {
  const auto none = [](int) { return 0.0; };
  for (int i = 0; i < network.stepCount; ++i) {
    const NetworkStep& step = network.steps[static_cast<std::size_t>(i)];
    const Changes changes = ChangesOf(step);
    const std::size_t r = static_cast<std::size_t>(i + 1);
    if (OrderOf(step.reactants, step.reactantTerms) == 1)
      AddSide(m, changes, step.reactants, step.reactantTerms, k.kf[r], 1, none);
    if (OrderOf(step.products, step.productTerms) == 1)
      AddSide(m, changes, step.products, step.productTerms, k.kb[r], -1, none);
  }
}

bool NetworkHasConcentrationEntries(const ReactionNetwork& network) {
  for (int i = 0; i < network.stepCount; ++i) {
    const NetworkStep& step = network.steps[static_cast<std::size_t>(i)];
    if (OrderOf(step.reactants, step.reactantTerms) == 2 ||
        OrderOf(step.products, step.productTerms) == 2)
      return true;
  }
  return false;
}

void NetworkConcentrationEntries(const ReactionNetwork& network, const SpeciesNode& c,
                                 const NodeSpecies& diag, int nodes, const StepRates& k,
                                 NodeBlocks& blocks) {
  const int ns = network.species;
  Block base{};
  NetworkConstantEntries(network, base, k);
  Changes changes[kMaxNetworkSteps];
  for (int i = 0; i < network.stepCount; ++i)
    changes[i] = ChangesOf(network.steps[static_cast<std::size_t>(i)]);
  for (int j = 1; j <= nodes; ++j) {
    Block& m = blocks[static_cast<std::size_t>(j)];
    for (int s = 0; s < ns; ++s) {
      for (int t = 0; t < ns; ++t) m[s][t] = base[s][t];
      m[s][s] = diag[j][s] + base[s][s];
    }
    const auto at = [&](int s) { return c[s][j]; };
    for (int i = 0; i < network.stepCount; ++i) {
      const NetworkStep& step = network.steps[static_cast<std::size_t>(i)];
      const std::size_t r = static_cast<std::size_t>(i + 1);
      if (OrderOf(step.reactants, step.reactantTerms) == 2)
        AddSide(m, changes[i], step.reactants, step.reactantTerms, k.kf[r], 1, at);
      if (OrderOf(step.products, step.productTerms) == 2)
        AddSide(m, changes[i], step.products, step.productTerms, k.kb[r], -1, at);
    }
  }
}

void NetworkConcentrationSources(const ReactionNetwork& network, int nodes, const StepRates& k,
                                 SpeciesNode& c) {
  for (int i = 0; i < network.stepCount; ++i) {
    const NetworkStep& step = network.steps[static_cast<std::size_t>(i)];
    const bool forward = OrderOf(step.reactants, step.reactantTerms) == 2;
    const bool backward = OrderOf(step.products, step.productTerms) == 2;
    if (!forward && !backward) continue;
    const Changes changes = ChangesOf(step);
    const std::size_t r = static_cast<std::size_t>(i + 1);
    for (int j = 1; j <= nodes; ++j) {
      const auto at = [&](int s) { return c[s][j]; };
      double r2 = 0;
      if (forward) r2 += SideRate(step.reactants, step.reactantTerms, k.kf[r], at);
      if (backward) r2 -= SideRate(step.products, step.productTerms, k.kb[r], at);
      for (int n = 0; n < changes.count; ++n) c[changes.species[n]][j] -= changes.nu[n] * r2;
    }
  }
}

void NetworkKineticEntries(const ReactionNetwork& network, const double* kred, const double* kox,
                           const double* g, Block& s) {
  const int ns = network.species;
  for (int a = 0; a < ns; ++a) {
    for (int b = 0; b < ns; ++b) s[a][b] = a == b ? 1 : 0;
  }
  for (int r = 0; r < network.transferCount; ++r) {
    const NetworkTransfer& t = network.transfers[static_cast<std::size_t>(r)];
    const int ox = t.ox, red = t.red;
    s[ox][ox] += kred[r + 1] * g[ox];
    s[ox][red] -= kox[r + 1] * g[ox];
    s[red][ox] -= kred[r + 1] * g[red];
    s[red][red] += kox[r + 1] * g[red];
  }
}

}  // namespace vorex
