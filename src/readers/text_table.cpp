#include "readers/text_table.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "readers/head_lines.h"
#include "readers/locale_numbers.h"
#include "readers/number_rows.h"
#include "readers/text_decoding.h"
#include "readers/text_table_columns.h"

namespace vorex {
namespace {

constexpr std::string_view kFormat = "Text table";

// A title row and the header lines above it are short; a file whose numbers start later than
// this is no table of ours.
constexpr std::size_t kHeadLines = 100;

struct TableLayout {
  char separator = ' ';  // '\t', ';', ',' or ' ' for runs of blanks
  std::size_t firstRow = 0;
  std::size_t columns = 0;
  std::optional<std::size_t> titleLine;
  std::vector<std::string_view> titles;  // one a column, or none when they do not split so
};

// The separator a line is written with: tabs and semicolons first, since a decimal comma may
// stand between them; blanks only when nothing else separates the fields.
char SeparatorOf(std::string_view line) {
  for (const char c : {'\t', ';', ','}) {
    if (line.find(c) != std::string_view::npos) return c;
  }
  return ' ';
}

std::vector<std::string_view> Fields(std::string_view line, char separator) {
  std::vector<std::string_view> fields =
      separator == ' ' ? SplitWhitespace(line) : SplitFields(line, separator);
  for (std::string_view& field : fields) field = Trim(field);
  while (!fields.empty() && fields.back().empty()) fields.pop_back();
  return fields;
}

bool NumberRow(const std::vector<std::string_view>& fields) {
  if (fields.size() < 2) return false;
  for (const std::string_view field : fields) {
    if (!ParseNumber(field, false) && !ParseNumber(field, true)) return false;
  }
  return true;
}

// Titles with blanks inside ("E / mV   I / uA") over numbers separated by blanks are split at
// runs of two or more blanks.
std::vector<std::string_view> WideBlankFields(std::string_view line) {
  std::vector<std::string_view> fields;
  line = Trim(line);
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const bool wide = line[i] == '\t' || (line[i] == ' ' && i + 1 < line.size() &&
                                          (line[i + 1] == ' ' || line[i + 1] == '\t'));
    if (!wide) continue;
    if (i > start) fields.push_back(line.substr(start, i - start));
    while (i + 1 < line.size() && (line[i + 1] == ' ' || line[i + 1] == '\t')) ++i;
    start = i + 1;
  }
  if (start < line.size()) fields.push_back(line.substr(start));
  return fields;
}

std::vector<std::string_view> Titles(std::string_view line, char separator, std::size_t columns) {
  std::vector<std::string_view> titles = Fields(line, separator);
  if (titles.size() != columns && separator == ' ') titles = WideBlankFields(line);
  if (titles.size() != columns) titles.clear();
  return titles;
}

// The first row of numbers among the first lines, and the non-blank line just above it as the
// titles.
std::optional<TableLayout> FindLayout(const std::vector<std::string_view>& lines) {
  std::optional<std::size_t> above;
  for (std::size_t i = 0; i < lines.size() && i < kHeadLines; ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty()) continue;
    const char separator = SeparatorOf(line);
    const std::vector<std::string_view> fields = Fields(line, separator);
    if (!NumberRow(fields)) {
      above = i;
      continue;
    }
    TableLayout layout{separator, i, fields.size(), above, {}};
    if (above) layout.titles = Titles(lines[*above], separator, layout.columns);
    return layout;
  }
  return std::nullopt;
}

std::size_t FilledLines(const std::vector<std::string_view>& lines, std::size_t end) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < end; ++i) count += Trim(lines[i]).empty() ? 0 : 1;
  return count;
}

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

bool LooksLikeTextTable(std::string_view text) {
  const std::optional<TableLayout> layout = FindLayout(HeadLines(text, kHeadLines));
  return layout && (layout->titleLine || layout->columns > 2);
}

MeasuredData ReadTextTable(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const std::optional<TableLayout> layout = FindLayout(lines);
  if (!layout) {
    throw ReadError{std::string(kFormat), 0,
                    "no row of numbers in its first " + std::to_string(kHeadLines) + " lines"};
  }
  const auto choice =
      ChooseTableColumns(layout->titles, layout->columns, layout->titleLine.has_value());
  if (const auto* why = std::get_if<std::string>(&choice)) {
    const std::size_t line = layout->titleLine ? *layout->titleLine : layout->firstRow;
    throw ReadError{std::string(kFormat), static_cast<int>(line) + 1, *why};
  }
  const TableColumns& c = std::get<TableColumns>(choice);
  const char separator = layout->separator;
  const bool decimalComma = UsesDecimalComma(SampleLines(lines, layout->firstRow), separator);
  const FieldSplit split = separator == ' ' ? SplitAtBlanks() : SplitAt(separator);
  NumberRows rows =
      ReadNumberRows(lines, layout->firstRow, {c.potential, c.current}, split, decimalComma);
  if (rows.columns[0].empty()) {
    // The first row looked like numbers only with a decimal mark of each kind.
    throw ReadError{std::string(kFormat), static_cast<int>(layout->firstRow) + 1,
                    "no row has numbers in both its potential and current columns written with "
                    "one decimal mark"};
  }

  MeasuredCycle record;
  record.number = 1;
  record.potential = std::move(rows.columns[0]);
  for (double& e : record.potential) e *= c.potentialScale;
  record.current = std::move(rows.columns[1]);
  for (double& i : record.current) i *= c.currentScale;
  MeasuredData data;
  data.format = kFormat;
  data.cycles.push_back(std::move(record));
  const std::size_t header = layout->titleLine ? FilledLines(lines, *layout->titleLine) : 0;
  if (header > 0) {
    data.notes.push_back(Plural(header, "line", "lines") + " above the column titles " +
                         (header == 1 ? "was" : "were") + " passed over.");
  }
  data.notes.insert(data.notes.end(), c.notes.begin(), c.notes.end());
  data.notes.push_back(
      "The currents were read with the file's sign (Vorex counts reduction current positive; "
      "invert-current takes them the other way round).");
  data.notes.insert(data.notes.end(), rows.notes.begin(), rows.notes.end());
  return data;
}

}  // namespace vorex
