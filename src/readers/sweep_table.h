#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// Where a voltammogram's quantities sit in the tab-separated rows of a table, and the factors
// (sign included) that bring them to V and to A, reduction positive.
struct SweepColumns {
  std::size_t potential = 0;
  std::size_t current = 0;
  std::optional<std::size_t> applied;
  std::optional<std::size_t> cycle;
  double potentialScale = 1;
  double appliedScale = 1;
  double currentScale = 1;
  std::size_t titleCount = 0;  // fields of the title row, trailing empty ones left out
};

// The points of a table and what was left out of it on the way.
struct SweepRows {
  MeasuredCycle record;             // every point read, number 0
  std::vector<int> cycle;           // each point's cycle, when the table has a cycle column
  std::size_t missing = 0;          // rows left out for a missing value ("XXX", empty)
  std::size_t unreadable = 0;       // rows left out for a value that is not a number
  std::size_t firstUnreadable = 0;  // the first of them (1-based line), 0 when none
  std::size_t cutLine = 0;          // the last line, cut short and left out (1-based), or 0
};

// The fields of a tab-separated line, each trimmed; trailing empty fields are dropped. Only
// the line's first 64 KB are looked at: no instrument writes more columns than that.
std::vector<std::string_view> TabTitles(std::string_view line);

// The first `limit` fields of a line split at `separator` (fewer when the line has fewer), into
// `fields`, whose storage is reused from line to line.
void FirstFields(std::string_view line, char separator, std::size_t limit,
                 std::vector<std::string_view>& fields);

// Up to `count` non-blank lines of lines[begin, end), each cut to its first 64 KB at a tab:
// enough to tell the decimal mark at a cost that does not grow with a broken file's lines.
std::vector<std::string_view> DecimalSample(const std::vector<std::string_view>& lines,
                                            std::size_t begin, std::size_t end,
                                            std::size_t count = 200);

// Reads lines[begin, end) as data rows; blank lines are passed over.
SweepRows ReadSweepRows(const std::vector<std::string_view>& lines, std::size_t begin,
                        std::size_t end, const SweepColumns& columns, bool decimalComma);

// One sentence for each kind of row left out.
void NoteLeftOutRows(const SweepRows& rows, std::vector<std::string>& notes);

// The record cut where its cycle value changes, each cycle numbered with that value.
std::vector<MeasuredCycle> CyclesByNumber(const SweepRows& rows);

// A 1-based line number for a ReadError, from a 0-based index.
int LineNumber(std::size_t index);

}  // namespace vorex
