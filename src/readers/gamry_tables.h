#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// One TABLE of a Gamry .DTA file: the row that names it, the points it announces, and its
// tab-indented lines (title row, units row, data rows).
struct GamryTable {
  std::string_view name;
  std::size_t nameIndex = 0;  // 0-based, like begin and end
  std::optional<std::size_t> announced;
  std::size_t begin = 0, end = 0;
};

// Where the KEY rows and the tables of a .DTA file are. NOTES rows are listed; the note lines
// they announce are not.
struct GamryLayout {
  std::vector<std::size_t> headerRows;
  std::vector<GamryTable> tables;
};
GamryLayout ScanGamryLayout(const std::vector<std::string_view>& lines);

// Whether a table holds the voltammogram: CURVE, or CURVE1, CURVE2 ... (one per cycle in older
// files). OCVCURVE, the open-circuit record before the run, does not.
bool IsCurveTable(std::string_view name);

// What one curve table gave.
struct GamryTableRead {
  std::vector<MeasuredCycle> cycles;
  bool cycleColumn = false;        // numbered by a Cycle column, which counts from 0
  bool squareWave = false;         // Vstep and Idif read
  bool shortOfAnnounced = false;   // fewer points than the table row announces
  std::optional<ReadError> error;  // why the table gave no cycles
};

// Reads a curve table: Vf (measured) and Im, with Sig as the applied potential, or a square
// wave's Vstep and Idif. `sign` turns the file's current convention into reduction positive.
// Gives an error instead of cycles when the table has no such columns or no data rows; adds
// notes for rows left out and for points announced but missing.
GamryTableRead ReadGamryTable(const std::vector<std::string_view>& lines, const GamryTable& table,
                              bool decimalComma, double sign, bool aborted,
                              std::vector<std::string>& notes);

}  // namespace vorex
