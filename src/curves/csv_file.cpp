#include "curves/csv_file.h"

#include <optional>

#include "base/number_format.h"
#include "base/number_text.h"
#include "curves/curve_store.h"

namespace vorex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
bool IsFieldSeparator(char c) {
  return c == '\t' || c == ';';
}

// A comma with a digit on each side, as in "0,3".
bool HasDecimalComma(std::string_view token) {
  for (std::size_t i = 1; i + 1 < token.size(); ++i) {
    if (token[i] == ',' && IsDigit(token[i - 1]) && IsDigit(token[i + 1])) return true;
  }
  return false;
}

template <class Visit>
void ForEachToken(std::string_view line, bool (*separator)(char), Visit&& visit) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (separator(line[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && !separator(line[i])) ++i;
    visit(line.substr(start, i - start));
  }
}

bool FieldOrBlank(char c) {
  return IsFieldSeparator(c) || IsBlank(c);
}
bool AnySeparator(char c) {
  return c == ',' || FieldOrBlank(c);
}

// A line whose fields are parted by tabs or semicolons and whose numbers carry a comma between
// digits was written with the decimal comma (a spreadsheet in a European locale).
bool WrittenWithDecimalComma(std::string_view line) {
  if (line.find_first_of("\t;") == std::string_view::npos) return false;
  bool found = false;
  ForEachToken(line, FieldOrBlank,
               [&](std::string_view token) { found |= HasDecimalComma(token); });
  return found;
}

// The token's number with its decimal comma read as a point; nothing when the token could mean
// more than one number ("1,000,5", "1.000,5") or is no number.
std::optional<double> DecimalCommaNumber(std::string_view token) {
  constexpr auto npos = std::string_view::npos;
  const std::size_t comma = token.find(',');
  if (token.find('.') != npos) return std::nullopt;
  if (comma == npos) return StrictNumber(token);
  if (token.find(',', comma + 1) != npos || !HasDecimalComma(token)) return std::nullopt;
  std::string pointed(token);
  pointed[comma] = '.';
  return StrictNumber(pointed);
}

std::string Quoted(std::string_view token) {
  std::string quoted(1, '"');
  quoted += token.substr(0, 40);
  quoted += '"';
  return quoted;
}

// The numbers of one line, appended; the reason when the line cannot be read.
std::string ReadLine(std::string_view line, int number, std::vector<double>& numbers) {
  std::string error;
  const bool decimalComma = WrittenWithDecimalComma(line);
  ForEachToken(line, decimalComma ? FieldOrBlank : AnySeparator, [&](std::string_view token) {
    if (!error.empty()) return;
    const std::optional<double> value =
        decimalComma ? DecimalCommaNumber(token) : StrictNumber(token);
    if (!value) {
      error = decimalComma
                  ? "line " + std::to_string(number) + " is ambiguous: " + Quoted(token) +
                        " is not one number written with a decimal comma"
                  : "unreadable number " + Quoted(token) + " on line " + std::to_string(number);
    } else {
      numbers.push_back(*value);
    }
  });
  return error;
}

}  // namespace

CsvPairs ParseCsvPairs(std::string_view text) {
  CsvPairs pairs;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<double> numbers;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    pairs.error = ReadLine(line, ++number, numbers);
    if (!pairs.error.empty()) return pairs;
  }
  if (numbers.size() % 2 != 0) {
    pairs.error = "the file ends in the middle of a pair";
    return pairs;
  }
  if (numbers.empty()) {
    pairs.error = "the file holds no pairs of numbers";
    return pairs;
  }
  for (std::size_t k = 0; k < numbers.size(); k += 2) {
    pairs.x.push_back(numbers[k]);
    pairs.y.push_back(numbers[k + 1]);
  }
  return pairs;
}

std::string FormatCsvPairs(const CurveStore& c) {
  std::string out;
  for (int i = c.FirstPoint; i <= c.LastPoint; ++i) {
    out +=
        FormatGeneral(c.Abscissa(i)) + "," + FormatGeneral(c.Ordinate(i, c.CurrentCurve)) + "\r\n";
  }
  return out;
}

}  // namespace vorex
