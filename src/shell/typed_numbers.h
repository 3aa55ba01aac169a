#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "analysis/background_fit.h"

namespace vorex {

// A count the user typed ("2", " 3 "): a whole number from 1 up, else nothing.
std::optional<int> CountingNumber(std::string_view text);

// Potential ranges typed as pairs, low then high, the numbers apart by blanks, commas or
// semicolons ("-0.1 0, 0.6 0.69"); the reason when a word is no number or one is left over.
std::variant<std::vector<PotentialRange>, std::string> TypedRanges(std::string_view text);

}  // namespace vorex
