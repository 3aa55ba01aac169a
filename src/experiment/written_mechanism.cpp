#include "experiment/written_mechanism.h"

#include <utility>

namespace vorex {

bool IsWritten(const Settings& s) {
  return s.Mechanism() == MechanismCode::Written;
}

std::variant<ReactionNetwork, NetworkError> WrittenNetwork(const Settings& s) {
  // The dialogs ask for the counts field by field at every refresh: the text last parsed on the
  // thread is kept with what it gave.
  thread_local std::optional<std::pair<std::string, std::variant<ReactionNetwork, NetworkError>>>
      last;
  const std::string_view text = s.Value(FieldId::MechanismText);
  if (!last || last->first != text) last.emplace(std::string(text), ParseMechanism(text));
  return last->second;
}

std::optional<std::string> WrittenMechanismFault(const Settings& s) {
  if (!IsWritten(s)) return std::nullopt;
  const auto network = WrittenNetwork(s);
  const std::string name = TableField(FieldId::MechanismText).label;
  if (const auto* error = std::get_if<NetworkError>(&network)) return name + ": " + error->message;
  // The run takes n from the N fields, whose list holds what the dialog offers.
  const ReactionNetwork& written = std::get<ReactionNetwork>(network);
  const std::vector<std::string>& offered = TableField(FieldId::N1).items;
  for (int j = 1; j <= written.transferCount; ++j) {
    const int electrons = written.transfers[static_cast<std::size_t>(j - 1)].electrons;
    if (electrons > static_cast<int>(offered.size())) {
      return name + ": electron transfer " + std::to_string(j) + " writes " +
             std::to_string(electrons) + " electrons; n takes 1 to " +
             std::to_string(offered.size());
    }
  }
  return std::nullopt;
}

void TakeElectronNumbers(Settings& s) {
  const auto parsed = WrittenNetwork(s);
  const auto* network = std::get_if<ReactionNetwork>(&parsed);
  if (network == nullptr) return;
  for (int j = 1; j <= network->transferCount; ++j) {
    const int electrons = network->transfers[static_cast<std::size_t>(j - 1)].electrons;
    // An electron number the list does not hold keeps the field's own; the capture reads it.
    s.Set(Row(FieldId::N1, j), std::to_string(electrons));
  }
}

ReactionCounts CountsOf(const Settings& s) {
  if (!IsWritten(s)) return CountsOf(s.Mechanism());
  const auto parsed = WrittenNetwork(s);
  const auto* network = std::get_if<ReactionNetwork>(&parsed);
  if (network == nullptr) return ReactionCounts{0, 0, 0};
  return ReactionCounts{network->species, network->transferCount, network->stepCount};
}

}  // namespace vorex
