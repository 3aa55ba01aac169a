#include "experiment/mechanism_scheme.h"

#include "experiment/written_mechanism.h"

namespace vorex {
namespace {

std::string Letter(int species) {
  return std::string(1, static_cast<char>('A' + species));
}

// "2 B", "B + C", as the parser reads a side.
template <class Terms>
std::string Side(const Terms& terms, int count) {
  std::string text;
  for (int t = 0; t < count; ++t) {
    const NetworkTerm& term = terms[static_cast<std::size_t>(t)];
    text += (t == 0 ? "" : " + ") + (term.count == 1 ? "" : std::to_string(term.count) + " ") +
            Letter(term.species);
  }
  return text;
}

std::string TransferEquation(const NetworkTransfer& t) {
  const std::string electrons = t.electrons == 1 ? "e" : std::to_string(t.electrons) + "e";
  return Letter(t.ox) + " + " + electrons + " = " + Letter(t.red);
}

}  // namespace

Scheme MechanismScheme(const Settings& settings) {
  Scheme scheme;
  const auto parsed = WrittenNetwork(settings);
  if (const auto* error = std::get_if<NetworkError>(&parsed)) {
    scheme.message = error->message;
    return scheme;
  }
  const ReactionNetwork& network = std::get<ReactionNetwork>(parsed);
  for (int i = 0; i < network.species; ++i) {
    const std::string letter = Letter(i);
    scheme.rows.push_back({"species", letter, "", "D_" + letter + ", C_" + letter});
  }
  for (int j = 1; j <= network.transferCount; ++j) {
    const std::string n = std::to_string(j);
    scheme.rows.push_back({"transfer", n,
                           TransferEquation(network.transfers[static_cast<std::size_t>(j - 1)]),
                           "n_" + n + ", E0_" + n + ", ks_" + n + ", alpha_" + n});
  }
  for (int k = 1; k <= network.stepCount; ++k) {
    const std::string n = std::to_string(k);
    const NetworkStep& step = network.steps[static_cast<std::size_t>(k - 1)];
    scheme.rows.push_back(
        {"step", n,
         Side(step.reactants, step.reactantTerms) + " = " + Side(step.products, step.productTerms),
         "kf_" + n + ", kb_" + n});
  }
  return scheme;
}

}  // namespace vorex
