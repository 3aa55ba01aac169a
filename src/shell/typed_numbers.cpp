#include "shell/typed_numbers.h"

#include <cmath>

#include "base/number_text.h"

namespace vorex {

std::optional<int> CountingNumber(std::string_view text) {
  const std::optional<double> value = StrictNumber(text);
  if (!value || *value < 1 || *value > 1e6 || std::floor(*value) != *value) return std::nullopt;
  return static_cast<int>(*value);
}

std::variant<std::vector<PotentialRange>, std::string> TypedRanges(std::string_view text) {
  std::vector<double> values;
  const auto separator = [](char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n';
  };
  std::size_t at = 0;
  while (at < text.size()) {
    if (separator(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && !separator(text[end])) ++end;
    const std::string_view word = text.substr(at, end - at);
    const std::optional<double> value = StrictNumber(word);
    if (!value) {
      std::string refusal(1, '"');
      refusal += word;
      refusal += "\" is not a potential.";
      return refusal;
    }
    values.push_back(*value);
    at = end;
  }
  if (values.size() % 2 != 0) {
    return std::string(
        "The ranges are pairs of potentials, low then high (-0.1 0, 0.6 0.69): one is left "
        "over.");
  }
  std::vector<PotentialRange> ranges;
  for (std::size_t k = 0; k < values.size(); k += 2) ranges.push_back({values[k], values[k + 1]});
  return ranges;
}

}  // namespace vorex
