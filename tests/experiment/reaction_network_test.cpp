#include "experiment/reaction_network.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <utility>

namespace vorex {
namespace {

enum : int { A, B, C, D, E, F, G, H };

ReactionNetwork Parsed(std::string_view text) {
  auto result = ParseMechanism(text);
  if (auto* error = std::get_if<NetworkError>(&result)) {
    ADD_FAILURE() << "\"" << text << "\": " << error->message;
    return {};
  }
  return std::get<ReactionNetwork>(result);
}

std::string Refusal(std::string_view text) {
  auto result = ParseMechanism(text);
  if (auto* error = std::get_if<NetworkError>(&result)) return error->message;
  return "(accepted)";
}

NetworkStep Step(std::initializer_list<NetworkTerm> reactants,
                 std::initializer_list<NetworkTerm> products) {
  NetworkStep step;
  for (const NetworkTerm& t : reactants) step.reactants[step.reactantTerms++] = t;
  for (const NetworkTerm& t : products) step.products[step.productTerms++] = t;
  return step;
}

// A network from its parts, written out by hand.
ReactionNetwork Network(int species, std::initializer_list<NetworkTransfer> transfers,
                        std::initializer_list<NetworkStep> steps = {}) {
  ReactionNetwork n;
  n.species = species;
  for (const NetworkTransfer& t : transfers) n.transfers[n.transferCount++] = t;
  for (const NetworkStep& s : steps) n.steps[n.stepCount++] = s;
  return n;
}

TEST(ParseMechanism, ElectronTransferForms) {
  const ReactionNetwork one = Network(2, {{A, B, 1}});
  EXPECT_EQ(Parsed("A + e = B"), one);
  EXPECT_EQ(Parsed("A+e=B"), one);
  EXPECT_EQ(Parsed("e + A = B"), one);
  EXPECT_EQ(Parsed("1e + A = B"), one);
  EXPECT_EQ(Parsed("B = A + e"), one);  // the oxidation written: still ox A, red B
  EXPECT_EQ(Parsed("  A\t+ e =B ;"), one);
  EXPECT_EQ(Parsed("A + 2e = B"), Network(2, {{A, B, 2}}));
  EXPECT_EQ(Parsed("A + 2 e = B"), Network(2, {{A, B, 2}}));
  EXPECT_EQ(Parsed("B + e = A"), Network(2, {{B, A, 1}}));
  EXPECT_EQ(Parsed("A = B + 3e"), Network(2, {{B, A, 3}}));
}

TEST(ParseMechanism, ChemicalStepForms) {
  const NetworkTransfer ab{A, B, 1};
  EXPECT_EQ(Parsed("A + e = B; B = C"), Network(3, {ab}, {Step({{B, 1}}, {{C, 1}})}));
  EXPECT_EQ(Parsed("A + e = B; 2 B = C"), Network(3, {ab}, {Step({{B, 2}}, {{C, 1}})}));
  EXPECT_EQ(Parsed("A + e = B; 2B = C"), Network(3, {ab}, {Step({{B, 2}}, {{C, 1}})}));
  EXPECT_EQ(Parsed("A + e = B; C = 2 B"), Network(3, {ab}, {Step({{C, 1}}, {{B, 2}})}));
  EXPECT_EQ(Parsed("A + e = B; B + C = A + D"),
            Network(4, {ab}, {Step({{B, 1}, {C, 1}}, {{A, 1}, {D, 1}})}));
  EXPECT_EQ(Parsed("A + e = B; C = A + D"), Network(4, {ab}, {Step({{C, 1}}, {{A, 1}, {D, 1}})}));
  // Up to eight species, four transfers and four steps, transfers and steps numbered apart.
  EXPECT_EQ(Parsed("A + e = B; B = C; C + e = D; D = E; E + e = F; 2 F = G; G + e = H; H = A"),
            Network(8, {{A, B, 1}, {C, D, 1}, {E, F, 1}, {G, H, 1}},
                    {Step({{B, 1}}, {{C, 1}}), Step({{D, 1}}, {{E, 1}}), Step({{F, 2}}, {{G, 1}}),
                     Step({{H, 1}}, {{A, 1}})}));
}

TEST(ParseMechanism, StatementSeparators) {
  const ReactionNetwork ec = Network(3, {{A, B, 1}}, {Step({{B, 1}}, {{C, 1}})});
  EXPECT_EQ(Parsed("A + e = B\nB = C"), ec);
  EXPECT_EQ(Parsed("A + e = B\r\nB = C\r\n"), ec);
  EXPECT_EQ(Parsed(";;A + e = B;; ;\n\nB = C;"), ec);
}

TEST(ParseMechanism, SyntaxErrorsSayWhereAndWhat) {
  // Positions counted by hand, from 1.
  EXPECT_EQ(Refusal("A + e = B; B"), "position 13: expected '=' after 'B'");
  EXPECT_EQ(Refusal("A + e = B; B; B = C"), "position 13: expected '=' after 'B'");
  EXPECT_EQ(Refusal("A + Z = B"), "position 5: expected a species A to H or e, found 'Z'");
  EXPECT_EQ(Refusal("A + e = b"), "position 9: expected a species A to H or e, found 'b'");
  EXPECT_EQ(Refusal("A + e = I"), "position 9: expected a species A to H or e, found 'I'");
  EXPECT_EQ(Refusal("A + e ="), "position 8: expected a species A to H or e after '='");
  EXPECT_EQ(Refusal("A + e = B +"), "position 12: expected a species A to H or e after '+'");
  EXPECT_EQ(Refusal("A + e = B; 2"), "position 13: expected a species A to H or e after '2'");
  EXPECT_EQ(Refusal("A + e = B; = C"), "position 12: expected a species A to H or e, found '='");
  EXPECT_EQ(Refusal("A e = B"), "position 3: expected '+' or '=', found 'e'");
  EXPECT_EQ(Refusal("AB = C"), "position 2: expected '+' or '=', found 'B'");
  EXPECT_EQ(Refusal("A + e = B C"), "position 11: expected '+' or ';', found 'C'");
  EXPECT_EQ(Refusal("A + e = B = C"), "position 11: a statement has one '='");
  EXPECT_EQ(Refusal("A + e = B, B = C"), "position 10: expected '+' or ';', found ','");
  // A character of several bytes is one position and is shown whole.
  EXPECT_EQ(Refusal("\xC3\xA9 + A + e = B"),
            "position 1: expected a species A to H or e, found '\xC3\xA9'");
  EXPECT_EQ(Refusal("A + e = B; \xC3\xA9"),
            "position 12: expected a species A to H or e, found '\xC3\xA9'");
  EXPECT_EQ(Refusal("A + 0e = B"), "position 5: a count is a whole number from 1 to 99");
  EXPECT_EQ(Refusal("A + 100e = B"), "position 5: a count is a whole number from 1 to 99");
  EXPECT_EQ(Refusal("A + 99999999999999999999e = B"),
            "position 5: a count is a whole number from 1 to 99");
}

TEST(ParseMechanism, StatementsThatCannotBeSteps) {
  EXPECT_EQ(Refusal("A + e = B; 3 B = C"),
            "position 12: third-order step: at most two molecules on a side");
  EXPECT_EQ(Refusal("A + e = B; B = C + 2 D"),
            "position 20: third-order step: at most two molecules on a side");
  EXPECT_EQ(Refusal("A + e = B; A + B + C = D"),
            "position 20: third-order step: at most two molecules on a side");
  EXPECT_EQ(Refusal("A + e = B; B + B = C"), "position 16: B twice on one side");
  EXPECT_EQ(Refusal("A + e = B; B = B + C"), "position 16: B on both sides");
  EXPECT_EQ(Refusal("A + e + e = B"), "position 9: e twice on one side");
  EXPECT_EQ(Refusal("A + e = B + e"), "position 13: electrons on both sides");
  EXPECT_EQ(Refusal("A + e = A"), "position 9: A on both sides");
  EXPECT_EQ(Refusal("A + e = B + C"),
            "position 1: an electron transfer has one molecule on each side");
  EXPECT_EQ(Refusal("A + e = 2 B"),
            "position 1: an electron transfer has one molecule on each side");
  EXPECT_EQ(Refusal("A + C + e = B"),
            "position 5: an electron transfer has one molecule on each side");
  EXPECT_EQ(Refusal("2 A + e = B"),
            "position 1: an electron transfer has one molecule on each side");
  EXPECT_EQ(Refusal("B; e = B"), "position 2: expected '=' after 'B'");
  EXPECT_EQ(Refusal("A + e = B; e = C"),
            "position 12: an electron transfer has one molecule on each side");
}

TEST(ParseMechanism, WholeMechanismRefusals) {
  EXPECT_EQ(Refusal(""), "the mechanism is empty");
  EXPECT_EQ(Refusal(" ;\n ; "), "the mechanism is empty");
  EXPECT_EQ(Refusal("B = C"), "the mechanism has no electron transfer");
  EXPECT_EQ(Refusal("A + e = B; B = D"), "species C takes part in no step");
  EXPECT_EQ(Refusal("B + e = C"), "species A takes part in no step");
  EXPECT_EQ(Refusal("A + e = B; B + e = C; C + e = D; D + e = E; E + e = F"),
            "more than 4 electron transfers");
  EXPECT_EQ(Refusal("A + e = B; B = C; C = D; D = E; E = F; F = G"), "more than 4 chemical steps");
}

TEST(MechanismText, IsCanonicalAndReadsBack) {
  EXPECT_EQ(MechanismText(Parsed("B = A + e; 2B=C")), "A + e = B; 2 B = C");
  EXPECT_EQ(MechanismText(Parsed("A + 2 e = B")), "A + 2e = B");
  EXPECT_EQ(MechanismText(Parsed("C = A; A + e = B")), "A + e = B; C = A");
  for (const char* text :
       {"A + e = B", "A + 3e = B; B + C = A + D", "C = A + D; A + e = B",
        "A + e = B; B = C; C + 2e = D; 2 D = E; E + F = G + H; F + e = H", "A + e = B; C = 2 B"}) {
    const ReactionNetwork network = Parsed(text);
    EXPECT_EQ(Parsed(MechanismText(network)), network) << text;
  }
}

// The structure each built-in's text writes, set down from the mechanism comments of codes.h.
TEST(BuiltInMechanismText, WritesEachBuiltIn) {
  using M = MechanismCode;
  const NetworkTransfer ab{A, B, 1}, bc{B, C, 1}, cd{C, D, 1};
  const auto first = [](int from, int to) { return Step({{from, 1}}, {{to, 1}}); };
  const std::pair<M, ReactionNetwork> expected[] = {
      {M::E, Network(2, {ab})},
      {M::EE, Network(3, {ab, bc})},
      {M::EEE, Network(4, {ab, bc, cd})},
      {M::TwoCouples, Network(4, {ab, cd})},
      {M::CE, Network(3, {ab}, {first(C, A)})},
      {M::CEC, Network(4, {ab}, {first(C, A), first(B, D)})},
      {M::EC, Network(3, {ab}, {first(B, C)})},
      {M::EC2, Network(3, {ab}, {Step({{B, 2}}, {{C, 1}})})},
      {M::Catalytic, Network(2, {ab}, {first(B, A)})},
      {M::Catalytic2, Network(2, {ab}, {Step({{B, 2}}, {{A, 1}})})},
      {M::ECE, Network(4, {ab, cd}, {first(B, C)})},
      {M::ECOntoSecondCouple, Network(4, {ab, cd}, {first(B, D)})},
      {M::SquareScheme, Network(4, {ab, cd}, {first(B, D), first(C, A)})},
      {M::EEC, Network(4, {ab, bc}, {first(C, D)})},
      {M::EEIntermediateC, Network(4, {ab, bc}, {first(B, D)})},
      {M::CatalyticSubstrate, Network(4, {ab}, {Step({{B, 1}, {C, 1}}, {{A, 1}, {D, 1}})})},
      {M::ComplexCE, Network(4, {ab}, {Step({{C, 1}}, {{A, 1}, {D, 1}})})},
  };
  ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kMechanismCount));
  for (const auto& [code, network] : expected) {
    EXPECT_EQ(Parsed(BuiltInMechanismText(code)), network) << CodeNumber(code);
  }
  EXPECT_EQ(BuiltInMechanismText(M::Written), "");
}

}  // namespace
}  // namespace vorex
