#include "readers/number_rows.h"

#include <algorithm>

#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

bool ReadRow(std::string_view line, const std::vector<std::size_t>& chosen, const FieldSplit& split,
             bool decimalComma, std::vector<std::string_view>& fields, std::vector<double>& row) {
  fields.clear();
  split(line, fields);
  for (std::size_t k = 0; k < chosen.size(); ++k) {
    if (chosen[k] >= fields.size()) return false;
    const auto value = ParseNumber(fields[chosen[k]], decimalComma);
    if (!value) return false;
    row[k] = *value;
  }
  return true;
}

std::string LeftOutNote(std::size_t count, std::size_t firstLine) {
  if (count == 1) {
    return "Line " + std::to_string(firstLine) + " is not a row of numbers; it was left out.";
  }
  return std::to_string(count) +
         " lines that are not rows of numbers were left out (the first is line " +
         std::to_string(firstLine) + ").";
}

}  // namespace

NumberRows ReadNumberRows(const std::vector<std::string_view>& lines, std::size_t first,
                          const std::vector<std::size_t>& chosen, const FieldSplit& split,
                          bool decimalComma) {
  NumberRows rows;
  rows.columns.resize(chosen.size());
  std::vector<double> row(chosen.size());
  std::vector<std::string_view> fields;
  std::size_t leftOut = 0, firstLeftOut = 0;
  bool lastLeftOut = false;
  std::size_t lastLine = 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const std::string_view text = Trim(lines[i]);
    if (text.empty() || text.back() == ':') continue;
    lastLine = i + 1;
    lastLeftOut = !ReadRow(text, chosen, split, decimalComma, fields, row);
    if (lastLeftOut) {
      if (leftOut++ == 0) firstLeftOut = i + 1;
      continue;
    }
    for (std::size_t k = 0; k < chosen.size(); ++k) rows.columns[k].push_back(row[k]);
  }
  // Nothing read at all is the reader's error to raise, not a note.
  if (rows.columns.empty() || rows.columns.front().empty()) return rows;
  if (lastLeftOut) --leftOut;
  if (leftOut > 0) rows.notes.push_back(LeftOutNote(leftOut, firstLeftOut));
  if (lastLeftOut) {
    rows.notes.push_back("The last line (line " + std::to_string(lastLine) +
                         ") is cut short; it was left out (the run or the copy stopped there).");
  }
  return rows;
}

FieldSplit SplitAt(char separator) {
  return [separator](std::string_view line, std::vector<std::string_view>& fields) {
    std::size_t start = 0;
    for (std::size_t end = line.find(separator); end != std::string_view::npos;
         end = line.find(separator, start)) {
      fields.push_back(line.substr(start, end - start));
      start = end + 1;
    }
    fields.push_back(line.substr(start));
  };
}

FieldSplit SplitAtBlanks() {
  return [](std::string_view line, std::vector<std::string_view>& fields) {
    const auto blank = [&](std::size_t i) { return line[i] == ' ' || line[i] == '\t'; };
    std::size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && blank(i)) ++i;
      const std::size_t start = i;
      while (i < line.size() && !blank(i)) ++i;
      if (i > start) fields.push_back(line.substr(start, i - start));
    }
  };
}

std::vector<std::string_view> SampleLines(const std::vector<std::string_view>& lines,
                                          std::size_t first, std::size_t count) {
  if (first >= lines.size()) return {};
  const std::size_t end = first + std::min(count, lines.size() - first);
  return {lines.begin() + static_cast<std::ptrdiff_t>(first),
          lines.begin() + static_cast<std::ptrdiff_t>(end)};
}

}  // namespace vorex
