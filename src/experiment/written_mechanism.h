#pragma once

#include <optional>
#include <string>
#include <variant>

#include "experiment/reaction_network.h"
#include "experiment/settings.h"

// The mechanism the user writes, as the settings hold it: Mechanism 18 and the text of
// mechanism_text. Its species, transfers and steps come from the text, so the rows the dialogs
// show and the capture reads follow the text as it is now.
namespace vorex {

bool IsWritten(const Settings& settings);

// The network the settings' text writes, or the parser's reason why not (whatever the mechanism
// chosen).
std::variant<ReactionNetwork, NetworkError> WrittenNetwork(const Settings& settings);

// Why the written mechanism of the settings cannot be used, as the capture refuses it:
// "Mechanism: position 12: expected '=' after 'B'"; nothing when its text gives a network or the
// mechanism is a built-in one.
std::optional<std::string> WrittenMechanismFault(const Settings& settings);

// The N fields of the transfers the text writes take its electron numbers ("A + 2e = B": n_1 2).
// Run when the text changes; a text that does not parse changes nothing.
void TakeElectronNumbers(Settings& settings);

}  // namespace vorex
