#include "readers/biologic_mpt.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "readers/biologic_header.h"
#include "readers/cycle_split.h"
#include "readers/locale_numbers.h"
#include "readers/setting_units.h"
#include "readers/sweep_table.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr const char* kFormat = "BioLogic EC-Lab .mpt";
constexpr std::string_view kSignature = "EC-Lab ASCII FILE";
// Beyond this the line count is not a header's but a broken file's.
constexpr double kMostHeaderLines = 1e6;

[[noreturn]] void Fail(std::size_t index, std::string reason) {
  throw ReadError{kFormat, LineNumber(index), std::move(reason)};
}

// The header's line count (line 2, "Nb header lines : N"): the column titles are line N.
std::size_t HeaderLineCount(const std::vector<std::string_view>& lines) {
  const std::string_view line = lines.size() > 1 ? lines[1].substr(0, 256) : std::string_view();
  const std::size_t colon = line.find(':');
  const auto n = colon == std::string_view::npos || !ContainsIgnoringCase(line, "header lines")
                     ? std::nullopt
                     : ParseNumber(line.substr(colon + 1), false);
  if (!n || *n < 3 || *n > kMostHeaderLines || *n != static_cast<double>(static_cast<long>(*n))) {
    Fail(1, "the line \"Nb header lines : N\" is missing or has no line count");
  }
  const auto count = static_cast<std::size_t>(*n);
  if (count > lines.size()) {
    Fail(lines.size(), "the header announces " + std::to_string(count) +
                           " lines but the file ends after " + std::to_string(lines.size()) +
                           "; the column titles and the data are missing");
  }
  return count;
}

struct Title {
  std::string_view name, unit;
};

// "<I>/mA" -> {"<I>", "mA"}; "cycle number" -> {"cycle number", ""}.
Title SplitTitle(std::string_view title) {
  const std::size_t slash = title.rfind('/');
  if (slash == std::string_view::npos) return {title, {}};
  return {title.substr(0, slash), title.substr(slash + 1)};
}

// The first column, in order of `names`, that is one of them with a unit of `kind`.
std::optional<std::size_t> FindColumn(const std::vector<std::string_view>& titles,
                                      std::initializer_list<std::string_view> names, Quantity kind,
                                      double& scale) {
  for (const std::string_view name : names) {
    for (std::size_t i = 0; i < titles.size(); ++i) {
      const Title t = SplitTitle(titles[i]);
      if (t.name != name) continue;
      if (const auto s = UnitScale(t.unit, kind)) {
        scale = *s;
        return i;
      }
    }
  }
  return std::nullopt;
}

// Measured potential (Ewe) first, the control potential as the applied one; EC-Lab counts
// anodic current positive, so the current's scale carries the sign change.
SweepColumns FindSweepColumns(std::string_view titleLine, std::size_t titleIndex) {
  const std::vector<std::string_view> titles = TabTitles(titleLine);
  SweepColumns c;
  c.titleCount = titles.size();
  const auto measured = FindColumn(titles, {"Ewe", "<Ewe>"}, Quantity::Potential, c.potentialScale);
  c.applied = FindColumn(titles, {"control"}, Quantity::Potential, c.appliedScale);
  if (!measured && !c.applied) {
    Fail(titleIndex, "the column titles name no potential (Ewe/V, <Ewe>/V or control/V)");
  }
  const auto current = FindColumn(titles, {"<I>", "I"}, Quantity::Current, c.currentScale);
  if (!current) Fail(titleIndex, "the column titles name no current (I/mA or <I>/mA)");
  if (measured) {
    c.potential = *measured;
  } else {
    c.potential = *c.applied;
    c.potentialScale = c.appliedScale;
    c.applied.reset();
  }
  c.current = *current;
  c.currentScale = -c.currentScale;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (EqualsIgnoringCase(titles[i], "cycle number")) c.cycle = i;
  }
  return c;
}

bool DecimalComma(const std::vector<std::string_view>& lines, std::size_t begin) {
  const std::vector<std::string_view> sample = DecimalSample(lines, begin, lines.size());
  if (sample.empty()) Fail(begin, "no data rows follow the column titles");
  return UsesDecimalComma(sample, '\t');
}

std::vector<MeasuredCycle> Cycles(const SweepRows& rows, bool hasCycleColumn,
                                  std::vector<std::string>& notes) {
  if (hasCycleColumn) {
    std::vector<MeasuredCycle> cycles = CyclesByNumber(rows);
    const bool fromZero = std::any_of(cycles.begin(), cycles.end(),
                                      [](const MeasuredCycle& c) { return c.number == 0; });
    if (fromZero) notes.push_back("Cycles are numbered from 0, as the file counts them.");
    return cycles;
  }
  std::vector<MeasuredCycle> cycles = SplitAtTurningPoints(rows.record);
  if (cycles.size() > 1) {
    notes.push_back(
        "The file has no cycle number column; the record was cut into cycles at its turning "
        "points, numbered from 1.");
  }
  return cycles;
}

}  // namespace

bool LooksLikeBiologicMpt(std::string_view text) {
  const std::string_view head = text.substr(0, 64);
  return Trim(head.substr(0, head.find_first_of("\r\n"))) == kSignature;
}

MeasuredData ReadBiologicMpt(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || Trim(lines[0]) != kSignature) {
    Fail(0, "the first line is not \"EC-Lab ASCII FILE\"");
  }
  const std::size_t titleIndex = HeaderLineCount(lines) - 1;
  const SweepColumns columns = FindSweepColumns(lines[titleIndex], titleIndex);
  const bool decimalComma = DecimalComma(lines, titleIndex + 1);
  const SweepRows rows = ReadSweepRows(lines, titleIndex + 1, lines.size(), columns, decimalComma);
  if (rows.record.potential.empty()) Fail(titleIndex + 1, "no data row could be read");

  BiologicHeader header = ReadBiologicHeader(lines, titleIndex, decimalComma);
  MeasuredData data;
  data.format = kFormat;
  data.technique = std::move(header.technique);
  data.settings = header.settings;
  data.notes.push_back(
      "The file counts anodic current positive; the currents were negated to reduction "
      "positive.");
  NoteLeftOutRows(rows, data.notes);
  data.cycles = Cycles(rows, columns.cycle.has_value(), data.notes);
  for (std::string& note : header.notes) data.notes.push_back(std::move(note));
  return data;
}

}  // namespace vorex
