#include "readers/locale_numbers.h"

#include <charconv>
#include <cmath>
#include <string>

#include "readers/text_decoding.h"

namespace vorex {
namespace {

// The shape of a number: sign, digits with at most one decimal mark, optional exponent.
bool NumberShape(std::string_view s, char mark) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false, seenMark = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digits = true;
    } else if (s[i] == mark && !seenMark) {
      seenMark = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i == s.size()) return true;
  if (s[i] != 'e' && s[i] != 'E') return false;
  ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t first = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  return i > first && i == s.size();
}

}  // namespace

std::optional<double> ParseNumber(std::string_view field, bool decimalComma) {
  const std::string_view s = Trim(field);
  const char mark = decimalComma ? ',' : '.';
  if (s.empty() || s.size() > 64 || !NumberShape(s, mark)) return std::nullopt;
  char buffer[65];
  std::size_t n = 0;
  for (const char c : s) buffer[n++] = c == mark ? '.' : c;
  const char* begin = buffer + (buffer[0] == '+' ? 1 : 0);
  double value = 0;
  const auto [end, error] = std::from_chars(begin, buffer + n, value);
  if (error != std::errc() || end != buffer + n || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool UsesDecimalComma(const std::vector<std::string_view>& dataLines, char separator) {
  if (separator == ',') return false;  // a comma cannot be both the separator and the mark
  bool commaOnly = false;
  for (const std::string_view line : dataLines) {
    const auto fields = separator == ' ' ? SplitWhitespace(line) : SplitFields(line, separator);
    for (const std::string_view field : fields) {
      const bool withPoint = ParseNumber(field, false).has_value();
      const bool withComma = ParseNumber(field, true).has_value();
      if (withPoint && !withComma && Trim(field).find('.') != std::string_view::npos) return false;
      if (withComma && !withPoint) commaOnly = true;
    }
  }
  return commaOnly;
}

}  // namespace vorex
