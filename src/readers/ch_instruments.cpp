#include "readers/ch_instruments.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "readers/ch_instruments_settings.h"
#include "readers/column_units.h"
#include "readers/cycle_split.h"
#include "readers/head_lines.h"
#include "readers/locale_numbers.h"
#include "readers/number_rows.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr std::string_view kFormat = "CH Instruments text export";

bool LineStartsWithKey(std::string_view line, std::string_view key) {
  return EqualsIgnoringCase(Trim(line).substr(0, key.size()), key);
}

// The original writes "a, b"; copies edited by hand use tabs or blanks. A run of blanks with at
// most one comma in it is one separator.
void ChiFields(std::string_view line, std::vector<std::string_view>& fields) {
  const auto blank = [&](std::size_t i) { return line[i] == ' ' || line[i] == '\t'; };
  std::size_t i = 0;
  while (i < line.size() && blank(i)) ++i;
  while (i < line.size()) {
    const std::size_t start = i;
    while (i < line.size() && !blank(i) && line[i] != ',') ++i;
    fields.push_back(line.substr(start, i - start));
    while (i < line.size() && blank(i)) ++i;
    if (i < line.size() && line[i] == ',') ++i;
    while (i < line.size() && blank(i)) ++i;
  }
}

std::vector<std::string_view> TitleFields(std::string_view line) {
  if (line.find(',') == std::string_view::npos) return SplitWhitespace(line);
  std::vector<std::string_view> fields = SplitFields(line, ',');
  for (std::string_view& field : fields) field = Trim(field);
  return fields;
}

// "Potential/V, Current/A": two or more titles, each a name with a unit after a slash. Header
// lines hold '=' or a "Key:" instead.
bool IsTitleLine(std::string_view line) {
  if (line.find('=') != std::string_view::npos || line.find(':') != std::string_view::npos) {
    return false;
  }
  const std::vector<std::string_view> fields = TitleFields(line);
  if (fields.size() < 2) return false;
  for (const std::string_view field : fields) {
    const bool letter = !field.empty() && ((field[0] >= 'A' && field[0] <= 'Z') ||
                                           (field[0] >= 'a' && field[0] <= 'z'));
    if (!letter || field.find('/') == std::string_view::npos) return false;
  }
  return true;
}

// The technique's line comes right after the date line near the top; neither holds '=', only
// the date (and the "Key:" lines) a colon or a digit.
std::string FindTechnique(const std::vector<std::string_view>& lines, std::size_t end) {
  for (std::size_t i = 0; i < end && i < 10; ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty() || line.find_first_of(":=0123456789") != std::string_view::npos) continue;
    return std::string(line);
  }
  return {};
}

struct ChiColumns {
  std::size_t potential = 0, current = 0;
  double voltScale = 1, ampereScale = 1;
  bool difference = false;  // square wave: the Diff(i/A) column
  int channels = 0;         // current columns of the chosen kind
};

std::string Shortened(std::string_view text) {
  constexpr std::size_t kLength = 80;
  return text.size() <= kLength ? std::string(text) : std::string(text.substr(0, kLength)) + "...";
}

ChiColumns FindColumns(std::string_view titleLine, int lineNumber, const std::string& technique) {
  const std::vector<std::string_view> titles = TitleFields(titleLine);
  std::optional<std::size_t> potential, current, difference;
  int currents = 0, differences = 0;
  for (std::size_t k = 0; k < titles.size(); ++k) {
    const TitledColumn c = UnitAfterSlash(titles[k]);
    if (EqualsIgnoringCase(c.name, "Potential") && !potential) potential = k;
    if (EqualsIgnoringCase(c.name, "Current") && currents++ == 0) current = k;
    if (EqualsIgnoringCase(c.name, "Diff") && differences++ == 0) difference = k;
  }
  if (!potential || (!current && !difference)) {
    throw ReadError{std::string(kFormat), lineNumber,
                    "the table (" + Shortened(Trim(titleLine)) +
                        ") has no potential axis with a current beside it: " +
                        (technique.empty() ? std::string("it") : technique) +
                        " is not a voltammogram"};
  }
  ChiColumns columns;
  columns.potential = *potential;
  columns.difference = difference.has_value();
  columns.current = difference ? *difference : *current;
  columns.channels = difference ? differences : currents;
  const auto volts = VoltScale(UnitAfterSlash(titles[columns.potential]).unit);
  const auto amperes = AmpereScale(UnitAfterSlash(titles[columns.current]).unit);
  if (!volts || !amperes) {
    throw ReadError{std::string(kFormat), lineNumber,
                    "the unit of \"" +
                        Shortened(titles[volts ? columns.current : columns.potential]) +
                        "\" is not known"};
  }
  columns.voltScale = *volts;
  columns.ampereScale = *amperes;
  return columns;
}

std::vector<std::string> ColumnNotes(const ChiColumns& columns) {
  std::vector<std::string> notes;
  notes.push_back(
      "CH Instruments' default convention was assumed (cathodic current positive, as in Vorex); "
      "the currents were kept as they are.");
  if (columns.difference) {
    notes.push_back(
        "The difference current Diff(i/A) was read; the forward and reverse currents were left "
        "out.");
  }
  if (columns.channels > 1) {
    notes.push_back("The table holds the currents of " + std::to_string(columns.channels) +
                    " channels; channel 1 was read.");
  }
  return notes;
}

// A cyclic voltammogram is one continuous table: its cycles are found at the turning points.
std::vector<MeasuredCycle> Cycles(MeasuredCycle record, const std::string& technique,
                                  std::optional<int> segments, std::vector<std::string>& notes) {
  const bool cyclic = ContainsIgnoringCase(technique, "Cyclic") || segments.value_or(1) > 1;
  if (!cyclic) {
    record.number = 1;
    return {std::move(record)};
  }
  std::vector<MeasuredCycle> cycles = SplitAtTurningPoints(record);
  notes.push_back("The table was cut into cycles at its turning points.");
  const std::size_t announced = (static_cast<std::size_t>(segments.value_or(0)) + 1) / 2;
  if (cycles.size() < announced) {
    notes.push_back("The header announces " + std::to_string(*segments) + " segments (" +
                    std::to_string(announced) + " cycles); the table holds " +
                    std::to_string(cycles.size()) + ".");
  }
  return cycles;
}

}  // namespace

bool LooksLikeChInstruments(std::string_view text) {
  bool model = false, source = false;
  for (const std::string_view line : HeadLines(text, 40)) {
    model = model || LineStartsWithKey(line, "Instrument Model:");
    source = source || LineStartsWithKey(line, "Data Source:");
  }
  return model && source;
}

MeasuredData ReadChInstruments(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::size_t title = 0;
  while (title < lines.size() && !IsTitleLine(lines[title])) ++title;
  if (title == lines.size()) {
    throw ReadError{std::string(kFormat), 0,
                    "no column title line (such as \"Potential/V, Current/A\") was found"};
  }
  MeasuredData data;
  data.format = kFormat;
  data.technique = FindTechnique(lines, title);
  ChInstrumentsHeaderReader header;
  for (std::size_t i = 0; i < title; ++i) header.Add(lines[i]);
  const ChInstrumentsHeader found = header.Finish();
  data.settings = found.settings;

  const ChiColumns columns = FindColumns(lines[title], static_cast<int>(title + 1), data.technique);
  const bool decimalComma = UsesDecimalComma(SampleLines(lines, title + 1), ' ');
  const FieldSplit split = decimalComma ? SplitAtBlanks() : FieldSplit(ChiFields);
  NumberRows rows =
      ReadNumberRows(lines, title + 1, {columns.potential, columns.current}, split, decimalComma);
  if (rows.columns[0].empty()) {
    throw ReadError{std::string(kFormat), static_cast<int>(title + 2),
                    "no data rows follow the column titles"};
  }
  MeasuredCycle record;
  record.potential = std::move(rows.columns[0]);
  record.current = std::move(rows.columns[1]);
  for (double& e : record.potential) e *= columns.voltScale;
  for (double& i : record.current) i *= columns.ampereScale;

  data.notes = ColumnNotes(columns);
  data.cycles = Cycles(std::move(record), data.technique, found.segments, data.notes);
  data.notes.insert(data.notes.end(), rows.notes.begin(), rows.notes.end());
  return data;
}

}  // namespace vorex
