#include "readers/gamry_tables.h"

#include <algorithm>

#include "readers/cycle_split.h"
#include "readers/locale_numbers.h"
#include "readers/setting_units.h"
#include "readers/sweep_table.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr const char* kFormat = "Gamry .DTA";
// Beyond this an announced count or a notes count is a broken file's, not a run's.
constexpr double kLargestCount = 1e9;

// A table's failure is returned, not thrown: a broken file can hold a great many tables.
ReadError Failure(std::size_t index, std::string reason) {
  return ReadError{kFormat, LineNumber(index), std::move(reason)};
}

std::optional<std::size_t> Count(std::string_view field) {
  const auto n = ParseNumber(field, false);
  if (!n || *n < 0 || *n > kLargestCount || *n != static_cast<double>(static_cast<long>(*n))) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(*n);
}

bool Indented(std::string_view line) {
  return !line.empty() && line[0] == '\t';
}

// A column found by its title, with its unit (the first word of the units row: "V vs. Ref." is
// in V) as a scale when it is one of the kind wanted.
struct Column {
  std::size_t index = 0;
  std::string_view unit;
  std::optional<double> scale;
};

std::optional<Column> FindColumn(const std::vector<std::string_view>& titles,
                                 const std::vector<std::string_view>& units, std::string_view name,
                                 Quantity kind, std::string_view usualUnit) {
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (titles[i] != name) continue;
    std::string_view unit = i < units.size() ? units[i] : std::string_view();
    unit = unit.substr(0, unit.find(' '));
    if (unit.empty()) unit = usualUnit;
    return Column{i, unit, UnitScale(unit, kind)};
  }
  return std::nullopt;
}

struct Found {
  SweepColumns columns;
  bool squareWave = false;
  std::optional<ReadError> error;
};

// A column the reading needs: its unit must be known.
std::size_t Needed(const Column& c, std::string_view name, std::size_t unitsIndex, double& scale,
                   Found& f) {
  if (!c.scale && !f.error) {
    f.error = Failure(unitsIndex, "the unit \"" + std::string(c.unit) + "\" of column " +
                                      std::string(name) + " is not known");
  }
  scale = c.scale.value_or(1);
  return c.index;
}

Found FindColumns(const std::vector<std::string_view>& lines, const GamryTable& t) {
  const auto titles = TabTitles(lines[t.begin]);
  const auto units = TabTitles(lines[t.begin + 1]);
  Found f;
  auto potential = FindColumn(titles, units, "Vf", Quantity::Potential, "V");
  auto current = FindColumn(titles, units, "Im", Quantity::Current, "A");
  if (!potential || !current) {
    potential = FindColumn(titles, units, "Vstep", Quantity::Potential, "V");
    current = FindColumn(titles, units, "Idif", Quantity::Current, "A");
    f.squareWave = true;
  }
  if (!potential || !current) {
    f.error = Failure(t.begin, "table " + std::string(t.name) +
                                   " has no potential and current columns (Vf and Im, or Vstep "
                                   "and Idif)");
    return f;
  }
  SweepColumns& c = f.columns;
  c.titleCount = titles.size();
  c.potential = Needed(*potential, titles[potential->index], t.begin + 1, c.potentialScale, f);
  c.current = Needed(*current, titles[current->index], t.begin + 1, c.currentScale, f);
  const auto sig = FindColumn(titles, units, "Sig", Quantity::Potential, "V");
  if (!f.squareWave && sig && sig->scale) {
    c.applied = sig->index;
    c.appliedScale = *sig->scale;
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (titles[i] == "Cycle") c.cycle = i;
  }
  return f;
}

// CURVE3 is the third cycle; a plain CURVE has no number.
std::optional<int> NumberInName(std::string_view name) {
  const std::string_view digits = name.substr(5);
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  int n = 0;
  for (const char d : digits) n = n * 10 + (d - '0');
  return n;
}

bool NoteMissingPoints(const GamryTable& t, std::size_t read, bool aborted,
                       std::vector<std::string>& notes) {
  if (!t.announced || *t.announced <= read) return false;
  notes.push_back("Table " + std::string(t.name) + " announces " + std::to_string(*t.announced) +
                  " points; " + std::to_string(read) + " follow (" +
                  (aborted ? "the run was aborted" : "the file is cut short") + ").");
  return true;
}

}  // namespace

bool IsCurveTable(std::string_view name) {
  if (!StartsWith(name, "CURVE")) return false;
  for (const char c : name.substr(5)) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

GamryLayout ScanGamryLayout(const std::vector<std::string_view>& lines) {
  GamryLayout layout;
  std::vector<std::string_view> f;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty() || Indented(lines[i])) continue;
    FirstFields(lines[i], '\t', 3, f);
    const std::string_view type = f.size() > 1 ? Trim(f[1]) : std::string_view();
    if (type == "TABLE") {
      GamryTable t{Trim(f[0]), i, f.size() > 2 ? Count(f[2]) : std::nullopt, i + 1, i + 1};
      while (t.end < lines.size() && Indented(lines[t.end])) ++t.end;
      layout.tables.push_back(t);
      i = t.end - 1;
      continue;
    }
    layout.headerRows.push_back(i);
    if (type == "NOTES") {
      // The note lines are the user's text: skipped by their count, whatever they hold.
      const std::size_t n = f.size() > 2 ? Count(f[2]).value_or(0) : 0;
      i += std::min(n, lines.size() - 1 - i);
    }
  }
  return layout;
}

GamryTableRead ReadGamryTable(const std::vector<std::string_view>& lines, const GamryTable& table,
                              bool decimalComma, double sign, bool aborted,
                              std::vector<std::string>& notes) {
  GamryTableRead read;
  if (table.end - table.begin < 2) {
    read.error =
        Failure(table.end, "table " + std::string(table.name) + " lacks its title and units rows");
    return read;
  }
  Found found = FindColumns(lines, table);
  if (found.error) {
    read.error = found.error;
    return read;
  }
  found.columns.currentScale *= sign;
  const SweepRows rows =
      ReadSweepRows(lines, table.begin + 2, table.end, found.columns, decimalComma);
  if (rows.record.potential.empty()) {
    read.error =
        Failure(table.begin + 2, "table " + std::string(table.name) + " holds no data rows");
    return read;
  }
  NoteLeftOutRows(rows, notes);
  read.shortOfAnnounced = NoteMissingPoints(table, rows.record.potential.size(), aborted, notes);
  read.squareWave = found.squareWave;
  read.cycleColumn = found.columns.cycle.has_value();
  if (read.cycleColumn) {
    read.cycles = CyclesByNumber(rows);
  } else if (const auto number = NumberInName(table.name)) {
    read.cycles.push_back(rows.record);
    read.cycles.back().number = *number;
  } else {
    read.cycles = SplitAtTurningPoints(rows.record);
  }
  return read;
}

}  // namespace vorex
