#include "experiment/reaction_network.h"

#include <optional>

namespace vorex {
namespace {

constexpr int kElectron = -1;  // the species number a term holds for "e"
constexpr int kMaxCount = 99;  // counts beyond two digits are typing slips, not chemistry

// A term as written: what it names, how many, and where it starts (1-based).
struct WrittenTerm {
  int species = 0;  // 0..7, or kElectron
  int count = 1;
  int position = 0;
};

// One side of a statement, as written; a step's side holds at most kMaxStepOrder molecules but
// a side is checked for that only once it is complete, so it keeps a few more terms.
struct WrittenSide {
  static constexpr int kCapacity = 8;
  std::array<WrittenTerm, kCapacity> terms{};
  int count = 0;
};

struct Failure {
  std::string message;
};

std::string At(int position, const std::string& what) {
  return "position " + std::to_string(position) + ": " + what;
}

std::string SpeciesName(int species) {
  return species == kElectron ? std::string("e") : std::string(1, static_cast<char>('A' + species));
}

// Reads one statement of the text, counting positions in characters (a UTF-8 sequence is one).
class StatementReader {
 public:
  StatementReader(std::string_view text, std::size_t begin, std::size_t end, int firstPosition)
      : text_(text), at_(begin), end_(end), position_(firstPosition) {}

  bool Blank() {
    SkipBlanks();
    return at_ == end_;
  }

  int Position() const { return position_; }

  // The position where the statement ends: its ';' or newline, or one past the text.
  int EndPosition() {
    while (at_ < end_) Advance();
    return position_;
  }

  std::optional<Failure> ReadSide(WrittenSide& side, char after) {
    std::string last(1, after);
    while (true) {
      WrittenTerm term;
      if (auto f = ReadTerm(term, last)) return f;
      if (side.count == WrittenSide::kCapacity) {
        return Failure{At(term.position, "too many terms on one side")};
      }
      side.terms[static_cast<std::size_t>(side.count++)] = term;
      SkipBlanks();
      if (at_ == end_ || text_[at_] != '+') return std::nullopt;
      last = '+';
      Advance();
    }
  }

  // Past a complete left side: the '='.
  std::optional<Failure> ExpectEquals(const WrittenSide& left) {
    SkipBlanks();
    const WrittenTerm& t = left.terms[static_cast<std::size_t>(left.count - 1)];
    if (at_ == end_) {
      return Failure{At(position_, "expected '=' after '" + SpeciesName(t.species) + "'")};
    }
    if (text_[at_] != '=') return Failure{At(position_, "expected '+' or '=', found " + Found())};
    Advance();
    return std::nullopt;
  }

  // Past a complete right side: the end of the statement.
  std::optional<Failure> ExpectEnd() {
    SkipBlanks();
    if (at_ == end_) return std::nullopt;
    if (text_[at_] == '=') return Failure{At(position_, "a statement has one '='")};
    return Failure{At(position_, "expected '+' or ';', found " + Found())};
  }

 private:
  std::optional<Failure> ReadTerm(WrittenTerm& term, const std::string& last) {
    SkipBlanks();
    term.position = position_;
    if (at_ < end_ && IsDigit(text_[at_])) {
      int count = 0;
      std::string digits;
      while (at_ < end_ && IsDigit(text_[at_])) {
        count = count > kMaxCount ? count : count * 10 + (text_[at_] - '0');
        digits += text_[at_];
        Advance();
      }
      if (count < 1 || count > kMaxCount) {
        return Failure{At(term.position, "a count is a whole number from 1 to 99")};
      }
      term.count = count;
      SkipBlanks();
      if (at_ == end_) {
        return Failure{At(position_, "expected a species A to H or e after '" + digits + "'")};
      }
    }
    if (at_ == end_) {
      return Failure{At(position_, "expected a species A to H or e after '" + last + "'")};
    }
    const char c = text_[at_];
    if (c == 'e') {
      term.species = kElectron;
    } else if (c >= 'A' && c < 'A' + kMaxNetworkSpecies) {
      term.species = c - 'A';
    } else {
      return Failure{At(position_, "expected a species A to H or e, found " + Found())};
    }
    Advance();
    return std::nullopt;
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
  static bool Continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

  void SkipBlanks() {
    while (at_ < end_ && IsBlank(text_[at_])) Advance();
  }

  void Advance() {
    ++at_;
    while (at_ < end_ && Continues(text_[at_])) ++at_;
    ++position_;
  }

  // The character at the reading point, quoted, whole if it takes several bytes.
  std::string Found() const {
    std::size_t stop = at_ + 1;
    while (stop < end_ && Continues(text_[stop])) ++stop;
    std::string found(1, '\'');
    found += text_.substr(at_, stop - at_);
    found += '\'';
    return found;
  }

  std::string_view text_;
  std::size_t at_;
  std::size_t end_;
  int position_;
};

struct Statement {
  WrittenSide left, right;
};

bool HasElectrons(const WrittenSide& side) {
  for (int i = 0; i < side.count; ++i) {
    if (side.terms[static_cast<std::size_t>(i)].species == kElectron) return true;
  }
  return false;
}

// A species or e written twice on one side, or a species on both sides.
std::optional<Failure> RepeatedTerm(const Statement& s) {
  for (const WrittenSide* side : {&s.left, &s.right}) {
    for (int i = 1; i < side->count; ++i) {
      const WrittenTerm& t = side->terms[static_cast<std::size_t>(i)];
      for (int j = 0; j < i; ++j) {
        if (side->terms[static_cast<std::size_t>(j)].species == t.species) {
          return Failure{At(t.position, SpeciesName(t.species) + " twice on one side")};
        }
      }
    }
  }
  for (int i = 0; i < s.right.count; ++i) {
    const WrittenTerm& t = s.right.terms[static_cast<std::size_t>(i)];
    for (int j = 0; j < s.left.count; ++j) {
      if (t.species != kElectron &&
          s.left.terms[static_cast<std::size_t>(j)].species == t.species) {
        return Failure{At(t.position, SpeciesName(t.species) + " on both sides")};
      }
    }
  }
  return std::nullopt;
}

// ox + n e = red, or red = ox + n e: the oxidised form is the species that goes with the
// electrons, whichever side they are written on; one molecule on each side.
std::variant<NetworkTransfer, Failure> TransferOf(const Statement& s, int statementPosition) {
  const bool leftHasElectrons = HasElectrons(s.left);
  const WrittenSide& withElectrons = leftHasElectrons ? s.left : s.right;
  const WrittenSide& other = leftHasElectrons ? s.right : s.left;
  for (int i = 0; i < other.count; ++i) {
    const WrittenTerm& t = other.terms[static_cast<std::size_t>(i)];
    if (t.species == kElectron) return Failure{At(t.position, "electrons on both sides")};
  }
  NetworkTransfer transfer;
  int speciesTerms = 0;
  for (int i = 0; i < withElectrons.count; ++i) {
    const WrittenTerm& t = withElectrons.terms[static_cast<std::size_t>(i)];
    if (t.species == kElectron) {
      transfer.electrons = t.count;
    } else {
      transfer.ox = t.species;
      if (t.count != 1 || ++speciesTerms > 1) {
        return Failure{At(t.position, "an electron transfer has one molecule on each side")};
      }
    }
  }
  if (speciesTerms == 0 || other.count != 1 || other.terms[0].count != 1) {
    return Failure{At(statementPosition, "an electron transfer has one molecule on each side")};
  }
  transfer.red = other.terms[0].species;
  return transfer;
}

std::optional<Failure> StepSide(const WrittenSide& written,
                                std::array<NetworkTerm, kMaxStepOrder>& terms, int& termCount) {
  int molecules = 0;
  for (int i = 0; i < written.count; ++i) {
    const WrittenTerm& t = written.terms[static_cast<std::size_t>(i)];
    molecules += t.count;
    if (molecules > kMaxStepOrder) {
      return Failure{At(t.position, "third-order step: at most two molecules on a side")};
    }
    terms[static_cast<std::size_t>(termCount++)] = NetworkTerm{t.species, t.count};
  }
  return std::nullopt;
}

std::variant<NetworkStep, Failure> StepOf(const Statement& s) {
  NetworkStep step;
  if (auto f = StepSide(s.left, step.reactants, step.reactantTerms)) return *f;
  if (auto f = StepSide(s.right, step.products, step.productTerms)) return *f;
  return step;
}

std::optional<Failure> ReadStatement(StatementReader& reader, Statement& s) {
  if (auto f = reader.ReadSide(s.left, ' ')) return f;
  if (auto f = reader.ExpectEquals(s.left)) return f;
  if (auto f = reader.ReadSide(s.right, '=')) return f;
  return reader.ExpectEnd();
}

// Adds what one statement writes to the network; beyond the limits it only counts.
std::optional<Failure> AddStatement(const Statement& s, int position, ReactionNetwork& network,
                                    int& transfers, int& steps) {
  if (auto f = RepeatedTerm(s)) return f;
  if (HasElectrons(s.left) || HasElectrons(s.right)) {
    auto transfer = TransferOf(s, position);
    if (auto* f = std::get_if<Failure>(&transfer)) return *f;
    if (transfers < kMaxNetworkTransfers) {
      network.transfers[static_cast<std::size_t>(transfers)] = std::get<NetworkTransfer>(transfer);
    }
    ++transfers;
    return std::nullopt;
  }
  auto step = StepOf(s);
  if (auto* f = std::get_if<Failure>(&step)) return *f;
  if (steps < kMaxNetworkSteps) {
    network.steps[static_cast<std::size_t>(steps)] = std::get<NetworkStep>(step);
  }
  ++steps;
  return std::nullopt;
}

std::array<bool, kMaxNetworkSpecies> UsedSpecies(const ReactionNetwork& network) {
  std::array<bool, kMaxNetworkSpecies> used{};
  const auto use = [&](int species) { used[static_cast<std::size_t>(species)] = true; };
  for (int i = 0; i < network.transferCount; ++i) {
    use(network.transfers[static_cast<std::size_t>(i)].ox);
    use(network.transfers[static_cast<std::size_t>(i)].red);
  }
  for (int i = 0; i < network.stepCount; ++i) {
    const NetworkStep& step = network.steps[static_cast<std::size_t>(i)];
    for (int t = 0; t < step.reactantTerms; ++t)
      use(step.reactants[static_cast<std::size_t>(t)].species);
    for (int t = 0; t < step.productTerms; ++t)
      use(step.products[static_cast<std::size_t>(t)].species);
  }
  return used;
}

// The refusals of a network whose statements all read: limits, no transfer, an unused letter.
std::optional<Failure> WholeMechanism(ReactionNetwork& network, int transfers, int steps) {
  if (transfers == 0 && steps == 0) return Failure{"the mechanism is empty"};
  if (transfers > kMaxNetworkTransfers) {
    return Failure{"more than " + std::to_string(kMaxNetworkTransfers) + " electron transfers"};
  }
  if (steps > kMaxNetworkSteps) {
    return Failure{"more than " + std::to_string(kMaxNetworkSteps) + " chemical steps"};
  }
  if (transfers == 0) return Failure{"the mechanism has no electron transfer"};
  network.transferCount = transfers;
  network.stepCount = steps;
  const auto used = UsedSpecies(network);
  int highest = 0;
  for (int s = 0; s < kMaxNetworkSpecies; ++s) {
    if (used[static_cast<std::size_t>(s)]) highest = s;
  }
  for (int s = 0; s < highest; ++s) {
    if (!used[static_cast<std::size_t>(s)]) {
      return Failure{"species " + SpeciesName(s) + " takes part in no step"};
    }
  }
  network.species = highest + 1;
  return std::nullopt;
}

std::string TermText(const NetworkTerm& t) {
  return (t.count == 1 ? std::string() : std::to_string(t.count) + " ") + SpeciesName(t.species);
}

std::string SideText(const std::array<NetworkTerm, kMaxStepOrder>& terms, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += " + ";
    text += TermText(terms[static_cast<std::size_t>(i)]);
  }
  return text;
}

}  // namespace

std::variant<ReactionNetwork, NetworkError> ParseMechanism(std::string_view text) {
  ReactionNetwork network;
  int transfers = 0, steps = 0;
  std::size_t begin = 0;
  int position = 1;
  while (begin <= text.size()) {
    std::size_t end = text.find_first_of(";\n", begin);
    if (end == std::string_view::npos) end = text.size();
    StatementReader reader(text, begin, end, position);
    if (!reader.Blank()) {
      Statement s;
      const int first = reader.Position();
      auto failure = ReadStatement(reader, s);
      if (!failure) failure = AddStatement(s, first, network, transfers, steps);
      if (failure) return NetworkError{failure->message};
    }
    position = reader.EndPosition() + 1;
    begin = end + 1;
  }
  if (auto failure = WholeMechanism(network, transfers, steps)) {
    return NetworkError{failure->message};
  }
  return network;
}

std::string MechanismText(const ReactionNetwork& network) {
  std::string text;
  const auto separate = [&] {
    if (!text.empty()) text += "; ";
  };
  for (int i = 0; i < network.transferCount; ++i) {
    const NetworkTransfer& t = network.transfers[static_cast<std::size_t>(i)];
    separate();
    text += SpeciesName(t.ox) + " + " + (t.electrons == 1 ? "" : std::to_string(t.electrons)) +
            "e = " + SpeciesName(t.red);
  }
  for (int i = 0; i < network.stepCount; ++i) {
    const NetworkStep& s = network.steps[static_cast<std::size_t>(i)];
    separate();
    text += SideText(s.reactants, s.reactantTerms) + " = " + SideText(s.products, s.productTerms);
  }
  return text;
}

// Each text numbers its transfers and steps as the built-in numbers its couples and reactions,
// and turns the left side into the right with kf as the built-in's kf does (reaction_terms.cpp).
// Where the built-in's equations are not the mass-action equations of its text:
// - EC2 (2 B = C) and Catalytic2 (2 B = A): the built-in removes B at 2 kf [B]^2 but forms the
//   product at 2 kf [B], first order, and the backward step gives back one B, not two, at kb [C]
//   (kb [A]); the text's step forms the product at kf [B]^2 and gives back 2 kb [C] of B.
// - ComplexCE (C = A + D): the built-in forms C back at kb [A], first order, while A and D go
//   at kb [A][D]; the text has kb [A][D] throughout. The stoichiometric p of the built-in enters
//   only its pre-equilibration; the text's p is 1.
// - CatalyticSubstrate (B + C = A + D): the built-in linearises the rate once per time step,
//   the text's step is solved to convergence; the equations are the same.
std::string BuiltInMechanismText(MechanismCode mechanism) {
  using M = MechanismCode;
  switch (mechanism) {
    case M::E:
      return "A + e = B";
    case M::EE:
      return "A + e = B; B + e = C";
    case M::EEE:
      return "A + e = B; B + e = C; C + e = D";
    case M::TwoCouples:
      return "A + e = B; C + e = D";
    case M::CE:
      return "C = A; A + e = B";
    case M::CEC:
      return "C = A; A + e = B; B = D";
    case M::EC:
      return "A + e = B; B = C";
    case M::EC2:
      return "A + e = B; 2 B = C";
    case M::Catalytic:
      return "A + e = B; B = A";
    case M::Catalytic2:
      return "A + e = B; 2 B = A";
    case M::ECE:
      return "A + e = B; B = C; C + e = D";
    case M::ECOntoSecondCouple:
      return "A + e = B; B = D; C + e = D";
    case M::SquareScheme:
      return "A + e = B; B = D; C + e = D; C = A";
    case M::EEC:
      return "A + e = B; B + e = C; C = D";
    case M::EEIntermediateC:
      return "A + e = B; B + e = C; B = D";
    case M::CatalyticSubstrate:
      return "A + e = B; B + C = A + D";
    case M::ComplexCE:
      return "C = A + D; A + e = B";
    case M::Written:
      break;
  }
  return {};
}

}  // namespace vorex
