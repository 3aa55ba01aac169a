#include "readers/ivium_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "readers/column_units.h"
#include "readers/cycle_split.h"
#include "readers/head_lines.h"
#include "readers/locale_numbers.h"
#include "readers/number_rows.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr std::string_view kFormat = "Ivium text export";

// Moves `at` past `min` to `max` digits; false when fewer than `min` are there.
bool SkipDigits(std::string_view s, std::size_t& at, std::size_t min, std::size_t max) {
  std::size_t n = 0;
  while (at < s.size() && n < max && s[at] >= '0' && s[at] <= '9') {
    ++at;
    ++n;
  }
  return n >= min;
}

bool Skip(std::string_view s, std::size_t& at, char c) {
  if (at >= s.size() || s[at] != c) return false;
  ++at;
  return true;
}

// "04/03/2021 19:42:30", day first.
bool IsTimestamp(std::string_view line) {
  line = Trim(line);
  std::size_t at = 0;
  if (!SkipDigits(line, at, 1, 2) || !Skip(line, at, '/') || !SkipDigits(line, at, 1, 2) ||
      !Skip(line, at, '/') || !SkipDigits(line, at, 4, 4) || !Skip(line, at, ' ')) {
    return false;
  }
  while (at < line.size() && line[at] == ' ') ++at;
  return SkipDigits(line, at, 1, 2) && Skip(line, at, ':') && SkipDigits(line, at, 2, 2) &&
         Skip(line, at, ':') && SkipDigits(line, at, 2, 2) && at == line.size();
}

struct IviumColumns {
  std::size_t titles = 0;
  std::optional<std::size_t> potential, current;
  double voltScale = 1, ampereScale = 1;
};

IviumColumns FindColumns(std::string_view titleLine) {
  IviumColumns c;
  const std::vector<std::string_view> titles = SplitWhitespace(titleLine);
  c.titles = titles.size();
  for (std::size_t k = 0; k < titles.size(); ++k) {
    const TitledColumn title = UnitAfterSlash(titles[k]);
    const auto volts = VoltScale(title.unit);
    const auto amperes = AmpereScale(title.unit);
    if (EqualsIgnoringCase(title.name, "E") && volts && !c.potential) {
      c.potential = k;
      c.voltScale = *volts;
    }
    if (EqualsIgnoringCase(title.name, "I") && amperes && !c.current) {
      c.current = k;
      c.ampereScale = *amperes;
    }
  }
  return c;
}

// Whether the rows carry the unnamed extra column: the first row decides.
bool HasExtraColumn(const std::vector<std::string_view>& lines, std::size_t titles) {
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (!Trim(lines[i]).empty()) return SplitWhitespace(lines[i]).size() == titles + 1;
  }
  return false;
}

}  // namespace

bool LooksLikeIvium(std::string_view text) {
  const std::vector<std::string_view> head = HeadLines(text, 2);
  if (head.size() < 2 || !IsTimestamp(head[0])) return false;
  const IviumColumns columns = FindColumns(head[1]);
  return columns.potential && columns.current;
}

MeasuredData ReadIvium(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  const IviumColumns c = FindColumns(lines.size() < 2 ? std::string_view() : lines[1]);
  if (!c.potential || !c.current) {
    throw ReadError{std::string(kFormat), 2,
                    "the column titles name no potential and current (such as \"E/V I/A\")"};
  }
  const bool extra = HasExtraColumn(lines, c.titles);
  std::vector<std::size_t> chosen{*c.potential, *c.current};
  if (extra) chosen.push_back(c.titles);
  const bool decimalComma = UsesDecimalComma(SampleLines(lines, 2), ' ');
  NumberRows rows = ReadNumberRows(lines, 2, chosen, SplitAtBlanks(), decimalComma);
  if (rows.columns[0].empty()) {
    throw ReadError{std::string(kFormat), 3, "no data rows follow the column titles"};
  }
  MeasuredCycle record;
  record.potential = std::move(rows.columns[extra ? 2 : 0]);
  for (double& e : record.potential) e *= c.voltScale;
  if (extra) {
    record.applied = std::move(rows.columns[0]);
    for (double& e : record.applied) e *= c.voltScale;
  }
  record.current = std::move(rows.columns[1]);
  for (double& i : record.current) i *= -c.ampereScale;

  MeasuredData data;
  data.format = kFormat;
  data.cycles = SplitAtTurningPoints(record);
  data.notes.emplace_back(kAnodicPositiveNote);
  if (extra) {
    data.notes.push_back(
        "The rows carry one column more than the titles name; it was read as the measured "
        "potential (in the unit of E), and E as the applied potential.");
  }
  data.notes.insert(data.notes.end(), rows.notes.begin(), rows.notes.end());
  return data;
}

}  // namespace vorex
