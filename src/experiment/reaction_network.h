#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "experiment/codes.h"

// A mechanism the user writes, such as "A + e = B; B = C; C + e = D; 2 C = E": its species,
// its electron transfers and its chemical steps, in the order written. The numbers that go with
// them (n, E0, ks, alpha of each transfer; kf, kb of each step; D and C of each species) are
// settings like those of the built-in mechanisms and are not part of the network.
namespace vorex {

inline constexpr int kMaxNetworkSpecies = 8;    // A..H
inline constexpr int kMaxNetworkTransfers = 4;  // n_1..n_4
inline constexpr int kMaxNetworkSteps = 4;      // kf_1..kf_4
// Molecules on one side of a chemical step: first or second order in each direction.
inline constexpr int kMaxStepOrder = 2;

// One species of a side with its stoichiometric number; species 0..7 are A..H.
struct NetworkTerm {
  int species = 0;
  int count = 1;
  bool operator==(const NetworkTerm&) const = default;
};

// ox + n e = red. `electrons` is the n the text writes (1 for "e"); the run takes n from the
// settings, which start from this number.
struct NetworkTransfer {
  int ox = 0;
  int red = 1;
  int electrons = 1;
  bool operator==(const NetworkTransfer&) const = default;
};

// reactants = products, forward rate kf prod(reactants^count), backward kb prod(products^count).
// A side holds one or two terms whose counts sum to 1 or 2; a species appears once per side.
struct NetworkStep {
  std::array<NetworkTerm, kMaxStepOrder> reactants{};
  int reactantTerms = 0;
  std::array<NetworkTerm, kMaxStepOrder> products{};
  int productTerms = 0;
  bool operator==(const NetworkStep&) const = default;
};

struct ReactionNetwork {
  int species = 0;  // A .. the highest letter used; every letter below it takes part
  std::array<NetworkTransfer, kMaxNetworkTransfers> transfers{};
  int transferCount = 0;
  std::array<NetworkStep, kMaxNetworkSteps> steps{};
  int stepCount = 0;
  bool operator==(const ReactionNetwork&) const = default;
};

// What went wrong with a text, as the user is told it: "position 12: expected '=' after 'B'"
// (positions count characters from 1), or a whole-mechanism refusal without a position.
struct NetworkError {
  std::string message;
};

// The network a text writes, or why it cannot be simulated.
std::variant<ReactionNetwork, NetworkError> ParseMechanism(std::string_view text);

// The text of a network in the form the parser reads ("A + e = B; 2 B = C"); parsing it gives the
// network back.
std::string MechanismText(const ReactionNetwork& network);

// A built-in mechanism written as the text of a network; empty for one that no text writes.
std::string BuiltInMechanismText(MechanismCode mechanism);

}  // namespace vorex
