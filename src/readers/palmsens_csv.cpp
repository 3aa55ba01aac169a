#include "readers/palmsens_csv.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "readers/locale_numbers.h"
#include "readers/palmsens_common.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr const char* kFormat = "PalmSens PSTrace .csv";
// The header is a handful of lines; a file without units there has none.
constexpr std::size_t kHeaderLines = 40;

// The text after a line that is a view into it, past the line's end (LF, CR LF or CR).
std::string_view After(std::string_view text, std::string_view line) {
  std::size_t start = static_cast<std::size_t>(line.data() - text.data()) + line.size();
  if (start < text.size() && text[start] == '\r') ++start;
  if (start < text.size() && text[start] == '\n') ++start;
  return text.substr(start);
}

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
}

// The first `count` lines, without splitting the whole text.
std::vector<std::string_view> FirstLines(std::string_view text, std::size_t count) {
  std::vector<std::string_view> lines;
  while (lines.size() < count && !text.empty()) {
    lines.push_back(FirstLine(text));
    text = After(text, lines.back());
  }
  return lines;
}

// One curve: a pair of columns, potential and current, under one title.
struct Curve {
  std::size_t potentialColumn = 0;
  std::size_t currentColumn = 0;
  double potentialFactor = 1;
  double currentFactor = 1;
  std::string technique;
  MeasuredCycle cycle;
};

char SeparatorOf(std::string_view unitRow) {
  if (unitRow.find(',') != std::string_view::npos) return ',';
  if (unitRow.find(';') != std::string_view::npos) return ';';
  return '\t';
}

// The row of units under the curve titles: a potential and a current unit, and no number (a unit
// of another quantity, s or Hz, may stand beside them).
bool IsUnitRow(std::string_view line) {
  bool potential = false, current = false;
  for (const std::string_view field : SplitFields(line, SeparatorOf(line))) {
    if (Trim(field).empty()) continue;
    const auto unit = ReadPalmSensUnit(field);
    if (!unit && ParseNumber(field, false)) return false;
    if (!unit) continue;
    (unit->quantity == PalmSensQuantity::Potential ? potential : current) = true;
  }
  return potential && current;
}

// The impedance export is recognised too, so that it is refused with a reason of its own.
void RefuseImpedance(const std::vector<std::string_view>& lines) {
  for (std::size_t k = 0; k < lines.size() && k < 8; ++k) {
    const std::string_view line = Trim(lines[k]);
    if ((StartsWith(line, "Measurement:") && ContainsIgnoringCase(line, "Impedance")) ||
        StartsWith(line, "freq / Hz")) {
      throw ReadError{kFormat, static_cast<int>(k) + 1,
                      "the file holds an impedance measurement, not a voltammogram"};
    }
  }
}

std::size_t FindUnitRow(const std::vector<std::string_view>& lines) {
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (IsUnitRow(lines[k])) return k;
  }
  throw ReadError{kFormat, 0, "the row of units (V, µA) above the data was not found"};
}

// The curve titles stand above the units, perhaps with the measurement's date between.
std::vector<std::string_view> TitlesAbove(const std::vector<std::string_view>& lines,
                                          std::size_t unitRow, char separator) {
  std::size_t k = unitRow;
  while (k > 0 && StartsWith(Trim(lines[k - 1]), "Date and time measurement")) --k;
  if (k <= 1) return {};
  const std::string_view line = Trim(lines[k - 1]);
  if (StartsWith(line, "Notes:") || StartsWith(line, "Date and time:")) return {};
  return SplitFields(line, separator);
}

// "Cyclic Voltammetry: CV i vs E Scan 2" names the technique before the colon and the scan at
// the end; a single curve may have no scan number, and then the curves are counted.
void NameCurve(Curve& curve, std::string_view title, int position) {
  title = Trim(title);
  const std::size_t colon = title.find(':');
  if (colon != std::string_view::npos) curve.technique = std::string(Trim(title.substr(0, colon)));
  curve.cycle.number = PalmSensScanNumber(title).value_or(position);
}

std::vector<Curve> CurvesOf(const std::vector<std::string_view>& units,
                            const std::vector<std::string_view>& titles,
                            std::vector<std::string>& notes) {
  std::vector<Curve> curves;
  for (std::size_t c = 0; c + 1 < units.size(); c += 2) {
    const auto first = ReadPalmSensUnit(units[c]);
    const auto second = ReadPalmSensUnit(units[c + 1]);
    if (!first && !second && Trim(units[c]).empty()) continue;
    if (!first || !second || first->quantity == second->quantity) {
      notes.push_back("The columns " + std::to_string(c + 1) + " and " + std::to_string(c + 2) +
                      " are not a potential and a current; they were left out.");
      continue;
    }
    const bool potentialFirst = first->quantity == PalmSensQuantity::Potential;
    Curve curve;
    curve.potentialColumn = potentialFirst ? c : c + 1;
    curve.currentColumn = potentialFirst ? c + 1 : c;
    curve.potentialFactor = (potentialFirst ? first : second)->factor;
    curve.currentFactor = (potentialFirst ? second : first)->factor;
    NameCurve(curve, c < titles.size() ? titles[c] : std::string_view(),
              static_cast<int>(curves.size()) + 1);
    curves.push_back(std::move(curve));
  }
  return curves;
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t column) {
  return column < fields.size() ? Trim(fields[column]) : std::string_view();
}

struct RowCounts {
  int unreadable = 0;
  int cut = 0;  // points of the last line
};

void ReadRow(std::string_view row, char separator, bool decimalComma, bool last,
             std::vector<Curve>& curves, RowCounts& counts) {
  const auto fields = SplitFields(row, separator);
  for (Curve& curve : curves) {
    // The curves stand in column order: a short row ends the loop, whatever the width.
    if (curve.potentialColumn >= fields.size() && curve.currentColumn >= fields.size()) break;
    const std::string_view e = FieldAt(fields, curve.potentialColumn);
    const std::string_view i = FieldAt(fields, curve.currentColumn);
    if (e.empty() && i.empty()) continue;
    const auto potential = ParseNumber(e, decimalComma);
    const auto current = ParseNumber(i, decimalComma);
    if (potential && current) {
      curve.cycle.potential.push_back(*potential * curve.potentialFactor);
      curve.cycle.current.push_back(*current * curve.currentFactor);
    } else {
      ++(last ? counts.cut : counts.unreadable);
    }
  }
}

// The columns of a curve end where its scan ended (ragged rows); a point with only one of its
// two numbers is unreadable, or cut off when it is on the last line. The rows are taken one by
// one, so that a large export is not copied into a vector of lines first.
void ReadRows(std::string_view rows, char separator, std::vector<Curve>& curves,
              RowCounts& counts) {
  const bool decimalComma = separator != ',' && UsesDecimalComma(SplitLines(rows), separator);
  while (!rows.empty()) {
    const std::string_view row = FirstLine(rows);
    rows = After(rows, row);
    if (!Trim(row).empty()) ReadRow(row, separator, decimalComma, rows.empty(), curves, counts);
  }
}

void NoteRows(const RowCounts& counts, std::vector<std::string>& notes) {
  if (counts.unreadable > 0) {
    notes.push_back(std::to_string(counts.unreadable) +
                    (counts.unreadable == 1 ? " point lacked" : " points lacked") +
                    " a potential or a current and " + (counts.unreadable == 1 ? "was" : "were") +
                    " left out.");
  }
  if (counts.cut > 0) {
    notes.push_back(
        "The last line is cut short (the file was truncated); its incomplete point was left "
        "out.");
  }
}

MeasuredData Assemble(std::vector<Curve>& curves, std::vector<std::string> notes) {
  MeasuredData data;
  data.format = kFormat;
  int empty = 0;
  for (Curve& curve : curves) {
    if (curve.cycle.potential.empty()) {
      ++empty;
      continue;
    }
    if (data.cycles.empty()) data.technique = curve.technique;
    data.cycles.push_back(std::move(curve.cycle));
  }
  if (empty > 0 && !data.cycles.empty()) {
    notes.push_back(std::to_string(empty) + (empty == 1 ? " curve holds" : " curves hold") +
                    " no points.");
  }
  data.notes = std::move(notes);
  MakeReductionPositive(data);
  data.notes.push_back(
      "The export states no technique parameters; enter the scan rate and the other settings "
      "by hand.");
  return data;
}

}  // namespace

bool LooksLikePalmSensCsv(std::string_view text) {
  auto lines = FirstLines(text, 6);
  if (lines.empty()) return false;
  for (std::string_view& line : lines) line = Trim(line);
  const bool dated = StartsWith(lines[0], "Date and time:");
  const bool impedance = StartsWith(lines[0], "File date:");
  if (!dated && !impedance) return false;
  for (std::size_t k = 1; k < lines.size(); ++k) {
    if (dated &&
        (StartsWith(lines[k], "Notes:") || StartsWith(lines[k], "Date and time measurement:"))) {
      return true;
    }
    if (impedance && StartsWith(lines[k], "Measurement:")) return true;
  }
  return false;
}

MeasuredData ReadPalmSensCsv(std::string_view text) {
  const std::vector<std::string_view> lines = FirstLines(text, kHeaderLines);
  RefuseImpedance(lines);
  const std::size_t unitRow = FindUnitRow(lines);
  const char separator = SeparatorOf(lines[unitRow]);
  std::vector<std::string> notes;
  std::vector<Curve> curves = CurvesOf(SplitFields(lines[unitRow], separator),
                                       TitlesAbove(lines, unitRow, separator), notes);
  RowCounts counts;
  ReadRows(After(text, lines[unitRow]), separator, curves, counts);
  NoteRows(counts, notes);
  MeasuredData data = Assemble(curves, std::move(notes));
  if (data.cycles.empty()) {
    throw ReadError{kFormat, static_cast<int>(unitRow) + 2,
                    "no rows of potentials and currents follow the units"};
  }
  return data;
}

}  // namespace vorex
