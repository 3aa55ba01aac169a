#include "readers/autolab_nova.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "readers/autolab_nova_settings.h"
#include "readers/column_units.h"
#include "readers/cycle_split.h"
#include "readers/head_lines.h"
#include "readers/locale_numbers.h"
#include "readers/number_rows.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr std::string_view kFormat = "Metrohm Autolab NOVA ASCII export";

// The user picks the delimiter on export; the titles hold none of them, so the most frequent one
// in the title line is it.
char FindDelimiter(std::string_view titles) {
  char best = 0;
  std::ptrdiff_t most = 0;
  for (const char candidate : {';', '\t', ','}) {
    const auto count = std::count(titles.begin(), titles.end(), candidate);
    if (count > most) {
      most = count;
      best = candidate;
    }
  }
  return best;
}

struct NovaColumns {
  char delimiter = ';';
  std::optional<std::size_t> applied, measured, current, scan;
  double appliedScale = 1, measuredScale = 1, currentScale = 1;
  int currents = 0;
  bool novaNames = false;      // a "WE(n)." signal or "Potential applied": NOVA's own names
  bool measuredNamed = false;  // the measured potential is a "WE(n)." signal
  std::vector<std::size_t> settingColumns;  // filled on the first row only
};

void Classify(NovaColumns& c, std::size_t k, const TitledColumn& title) {
  const auto volts = VoltScale(title.unit);
  const auto amperes = AmpereScale(title.unit);
  const bool signal = StartsWith(title.name, "WE(");
  c.novaNames = c.novaNames || signal || EqualsIgnoringCase(title.name, "Potential applied");
  if (ContainsIgnoringCase(title.name, "Potential") && volts) {
    const bool applied = ContainsIgnoringCase(title.name, "applied");
    auto& slot = applied ? c.applied : c.measured;
    // The working electrode's own signal beats any other potential a user added to the export.
    if (!slot || (!applied && signal && !c.measuredNamed)) {
      slot = k;
      (applied ? c.appliedScale : c.measuredScale) = *volts;
      if (!applied) c.measuredNamed = signal;
    }
  }
  if (ContainsIgnoringCase(title.name, "Current") && !ContainsIgnoringCase(title.name, "range") &&
      amperes && c.currents++ == 0) {
    c.current = k;
    c.currentScale = *amperes;
  }
  if (EqualsIgnoringCase(title.name, "Scan") && !c.scan) c.scan = k;
}

// NOVA writes the procedure's settings ("Start potential (V)", "Step (V)", "Scan rate (V/s)")
// as columns with a value on the first row and empty cells below it: they are no signal. A
// column counts as one when it is filled on most of the rows after the first that are looked at.
std::vector<bool> SignalColumns(const std::vector<std::string_view>& lines, char delimiter,
                                std::size_t count) {
  constexpr std::size_t kLooked = 20;
  std::vector<std::size_t> filled(count, 0);
  std::size_t rows = 0;
  std::vector<std::string_view> fields;
  for (std::size_t i = 2; i < lines.size() && rows < kLooked; ++i) {
    if (Trim(lines[i]).empty()) continue;
    ++rows;
    fields = SplitFields(lines[i], delimiter);
    for (std::size_t k = 0; k < count && k < fields.size(); ++k) {
      if (!Trim(fields[k]).empty()) ++filled[k];
    }
  }
  std::vector<bool> signal(count, true);
  if (rows == 0) return signal;
  for (std::size_t k = 0; k < count; ++k) signal[k] = 2 * filled[k] > rows;
  return signal;
}

NovaColumns FindColumns(const std::vector<std::string_view>& lines) {
  NovaColumns columns;
  const std::string_view titleLine = lines.empty() ? std::string_view() : lines.front();
  columns.delimiter = FindDelimiter(titleLine);
  if (columns.delimiter == 0) return columns;
  const std::vector<std::string_view> titles = SplitFields(titleLine, columns.delimiter);
  const std::vector<bool> signal = SignalColumns(lines, columns.delimiter, titles.size());
  for (std::size_t k = 0; k < titles.size(); ++k) {
    if (signal[k]) {
      Classify(columns, k, UnitInParentheses(titles[k]));
    } else {
      columns.settingColumns.push_back(k);
    }
  }
  return columns;
}

bool Readable(const NovaColumns& c) {
  return c.delimiter != 0 && (c.applied || c.measured) && c.current;
}

// Rows grouped by their Scan number, in the order the scans first appear.
std::vector<MeasuredCycle> CyclesByScan(const MeasuredCycle& record,
                                        const std::vector<double>& scans) {
  std::vector<MeasuredCycle> cycles;
  std::map<long, std::size_t> index;
  for (std::size_t i = 0; i < scans.size(); ++i) {
    const long scan = std::lround(std::clamp(scans[i], -1e9, 1e9));
    const auto [at, added] = index.try_emplace(scan, cycles.size());
    if (added) {
      cycles.emplace_back();
      cycles.back().number = static_cast<int>(scan);
    }
    MeasuredCycle& cycle = cycles[at->second];
    cycle.potential.push_back(record.potential[i]);
    if (!record.applied.empty()) cycle.applied.push_back(record.applied[i]);
    cycle.current.push_back(record.current[i]);
  }
  return cycles;
}

std::vector<std::size_t> Chosen(const NovaColumns& c) {
  std::vector<std::size_t> chosen{c.measured ? *c.measured : *c.applied, *c.current};
  if (c.measured && c.applied) chosen.push_back(*c.applied);
  if (c.scan) chosen.push_back(*c.scan);
  return chosen;
}

// The procedure columns: the settings they state, and a line saying why they are no signal.
void TakeSettingColumns(const std::vector<std::string_view>& lines, const NovaColumns& c,
                        bool decimalComma, MeasuredData& data) {
  if (c.settingColumns.empty() || lines.size() < 2) return;
  const std::vector<std::string_view> titles = SplitFields(lines[0], c.delimiter);
  data.settings = NovaProcedureSettings(titles, SplitFields(lines[1], c.delimiter),
                                        c.settingColumns, decimalComma);
  const std::size_t n = c.settingColumns.size();
  data.notes.push_back(std::to_string(n) + (n == 1 ? " column holds" : " columns hold") +
                       " a value on the first row only (the procedure's settings, such as \"" +
                       std::string(Trim(titles[c.settingColumns.front()])) + "\"); " +
                       (n == 1 ? "it was" : "they were") + " not read as a signal.");
}

}  // namespace

bool LooksLikeAutolabNova(std::string_view text) {
  const std::vector<std::string_view> head = HeadLines(text, 1);
  if (head.empty()) return false;
  const NovaColumns columns = FindColumns(head);
  return Readable(columns) && columns.novaNames;
}

MeasuredData ReadAutolabNova(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const NovaColumns c = FindColumns(lines);
  if (!Readable(c)) {
    throw ReadError{std::string(kFormat), 1,
                    "the column titles name no potential and current with their units (such as "
                    "\"WE(1).Potential (V)\" and \"WE(1).Current (A)\")"};
  }
  const bool decimalComma = UsesDecimalComma(SampleLines(lines, 1), c.delimiter);
  NumberRows rows = ReadNumberRows(lines, 1, Chosen(c), SplitAt(c.delimiter), decimalComma);
  if (rows.columns[0].empty()) {
    throw ReadError{std::string(kFormat), 2, "no data rows follow the column titles"};
  }
  MeasuredCycle record;
  record.potential = std::move(rows.columns[0]);
  for (double& e : record.potential) e *= c.measured ? c.measuredScale : c.appliedScale;
  record.current = std::move(rows.columns[1]);
  for (double& i : record.current) i *= -c.currentScale;
  if (c.measured && c.applied) {
    record.applied = std::move(rows.columns[2]);
    for (double& e : record.applied) e *= c.appliedScale;
  }

  MeasuredData data;
  data.format = kFormat;
  data.notes.emplace_back(kAnodicPositiveNote);
  if (c.scan) {
    data.cycles = CyclesByScan(record, rows.columns.back());
    const auto zero = [](const MeasuredCycle& cycle) { return cycle.number == 0; };
    if (std::any_of(data.cycles.begin(), data.cycles.end(), zero)) {
      data.notes.push_back("The Scan column counts from 0.");
    }
  } else {
    data.cycles = SplitAtTurningPoints(record);
    data.notes.push_back(
        "The file has no Scan column; the record was cut into cycles at its turning points.");
  }
  if (c.currents > 1) {
    data.notes.push_back("The file holds " + std::to_string(c.currents) +
                         " current columns; the first was read.");
  }
  TakeSettingColumns(lines, c, decimalComma, data);
  data.notes.insert(data.notes.end(), rows.notes.begin(), rows.notes.end());
  return data;
}

}  // namespace vorex
