#include "readers/sweep_table.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

enum class Field { Number, Missing, Unreadable };

struct FieldValue {
  Field kind = Field::Missing;
  double value = 0;
};

FieldValue ReadField(const std::vector<std::string_view>& fields, std::size_t index,
                     bool decimalComma) {
  if (index >= fields.size()) return {Field::Missing, 0};
  const std::string_view field = Trim(fields[index]);
  if (field.empty() || field == "XXX") return {Field::Missing, 0};
  if (const auto value = ParseNumber(field, decimalComma)) return {Field::Number, *value};
  return {Field::Unreadable, 0};
}

// Cycle values beyond this are not cycle numbers but noise in a broken file.
constexpr double kLargestCycle = 1e6;

struct RowOutcome {
  Field kind = Field::Number;
  double potential = 0, applied = 0, current = 0;
  std::optional<int> cycle;
};

RowOutcome ReadRow(const std::vector<std::string_view>& fields, const SweepColumns& columns,
                   bool decimalComma) {
  RowOutcome row;
  const auto take = [&](std::size_t index, double scale, double& out) {
    const FieldValue f = ReadField(fields, index, decimalComma);
    if (f.kind != Field::Number && row.kind != Field::Unreadable) row.kind = f.kind;
    out = f.value * scale;
  };
  take(columns.potential, columns.potentialScale, row.potential);
  take(columns.current, columns.currentScale, row.current);
  if (columns.applied) take(*columns.applied, columns.appliedScale, row.applied);
  if (columns.cycle) {
    const FieldValue f = ReadField(fields, *columns.cycle, decimalComma);
    if (f.kind == Field::Number && std::fabs(f.value) <= kLargestCycle) {
      row.cycle = static_cast<int>(std::lround(f.value));
    }
  }
  return row;
}

// Longer lines are looked at only this far (cut at a tab) where a whole line is not needed.
constexpr std::size_t kLongestLook = 65536;

std::string_view Head(std::string_view line) {
  if (line.size() <= kLongestLook) return line;
  const std::size_t tab = line.rfind('\t', kLongestLook);
  return line.substr(0, tab == std::string_view::npos ? kLongestLook : tab);
}

std::size_t LastFilledLine(const std::vector<std::string_view>& lines, std::size_t begin,
                           std::size_t end) {
  for (std::size_t i = end; i > begin; --i) {
    if (!Trim(lines[i - 1]).empty()) return i - 1;
  }
  return end;
}

}  // namespace

std::vector<std::string_view> TabTitles(std::string_view line) {
  std::vector<std::string_view> titles = SplitFields(Head(line), '\t');
  for (auto& title : titles) title = Trim(title);
  while (!titles.empty() && titles.back().empty()) titles.pop_back();
  return titles;
}

void FirstFields(std::string_view line, char separator, std::size_t limit,
                 std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  while (fields.size() < limit) {
    const std::size_t end = line.find(separator, start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return;
    start = end + 1;
  }
}

std::vector<std::string_view> DecimalSample(const std::vector<std::string_view>& lines,
                                            std::size_t begin, std::size_t end, std::size_t count) {
  std::vector<std::string_view> sample;
  for (std::size_t i = begin; i < end && i < lines.size() && sample.size() < count; ++i) {
    if (!Trim(lines[i]).empty()) sample.push_back(Head(lines[i]));
  }
  return sample;
}

SweepRows ReadSweepRows(const std::vector<std::string_view>& lines, std::size_t begin,
                        std::size_t end, const SweepColumns& columns, bool decimalComma) {
  SweepRows rows;
  const std::size_t last = LastFilledLine(lines, begin, end);
  std::size_t expectedFields = columns.titleCount;
  // A row is split only as far as the columns read and the count that shows it whole.
  std::size_t needed = std::max({columns.titleCount, columns.potential + 1, columns.current + 1});
  if (columns.applied) needed = std::max(needed, *columns.applied + 1);
  if (columns.cycle) needed = std::max(needed, *columns.cycle + 1);
  std::optional<int> cycle;
  std::vector<std::string_view> fields;  // one for all rows: no allocation per row
  for (std::size_t i = begin; i < end; ++i) {
    if (Trim(lines[i]).empty()) continue;
    FirstFields(lines[i], '\t', needed, fields);
    RowOutcome row = ReadRow(fields, columns, decimalComma);
    // A file broken off mid-line leaves its last row short or with half a number.
    if (i == last && (fields.size() < expectedFields || row.kind == Field::Unreadable)) {
      rows.cutLine = i + 1;
      break;
    }
    if (row.cycle) cycle = row.cycle;
    if (row.kind == Field::Number && columns.cycle && !cycle) row.kind = Field::Missing;
    if (row.kind == Field::Missing) {
      ++rows.missing;
      continue;
    }
    if (row.kind == Field::Unreadable) {
      if (rows.unreadable++ == 0) rows.firstUnreadable = i + 1;
      continue;
    }
    expectedFields = fields.size();
    rows.record.potential.push_back(row.potential);
    rows.record.current.push_back(row.current);
    if (columns.applied) rows.record.applied.push_back(row.applied);
    if (columns.cycle) rows.cycle.push_back(*cycle);
  }
  return rows;
}

void NoteLeftOutRows(const SweepRows& rows, std::vector<std::string>& notes) {
  if (rows.missing > 0) {
    notes.push_back(std::to_string(rows.missing) +
                    (rows.missing == 1 ? " row lacks" : " rows lack") +
                    " a potential or current value (XXX or empty) and " +
                    (rows.missing == 1 ? "was" : "were") + " left out.");
  }
  if (rows.unreadable > 0) {
    notes.push_back(std::to_string(rows.unreadable) + (rows.unreadable == 1 ? " row" : " rows") +
                    " could not be read and " + (rows.unreadable == 1 ? "was" : "were") +
                    " left out (the first at line " + std::to_string(rows.firstUnreadable) + ").");
  }
  if (rows.cutLine > 0) {
    notes.push_back("The last line (line " + std::to_string(rows.cutLine) +
                    ") is cut short; it was left out.");
  }
}

std::vector<MeasuredCycle> CyclesByNumber(const SweepRows& rows) {
  const MeasuredCycle& r = rows.record;
  // Where each cycle starts, so that every vector is allocated once.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < r.potential.size(); ++i) {
    if (i == 0 || rows.cycle[i] != rows.cycle[i - 1]) starts.push_back(i);
  }
  starts.push_back(r.potential.size());
  std::vector<MeasuredCycle> cycles(starts.size() - 1);
  const auto cut = [](const std::vector<double>& v, std::size_t from, std::size_t to) {
    using Offset = std::vector<double>::difference_type;
    return v.empty() ? v
                     : std::vector<double>(v.begin() + static_cast<Offset>(from),
                                           v.begin() + static_cast<Offset>(to));
  };
  for (std::size_t k = 0; k < cycles.size(); ++k) {
    cycles[k].number = rows.cycle[starts[k]];
    cycles[k].potential = cut(r.potential, starts[k], starts[k + 1]);
    cycles[k].applied = cut(r.applied, starts[k], starts[k + 1]);
    cycles[k].current = cut(r.current, starts[k], starts[k + 1]);
  }
  return cycles;
}

int LineNumber(std::size_t index) {
  return index >= static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(index) + 1;
}

}  // namespace vorex
