#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorex {

struct CurveStore;

inline constexpr const char* kCsvFilter = "csv|*.csv|all|*.*";

// Some hundred thousand pairs, more than any record needs that Import Data thins to the store's
// points; a longer file is refused by its size before it is read [bytes].
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{4} << 20;

// The potential/ordinate pairs of a data file: numbers separated by commas, semicolons, blanks,
// tabs and line ends (CR LF or LF, a UTF-8 byte-order mark allowed, the last line end optional),
// read two at a time. A line whose fields are parted by tabs or semicolons and whose numbers carry
// a comma between digits ("0,3<TAB>1,5") is read with the decimal comma; such a line in which a
// number could be read more than one way ("1.000,5", "1,000,5") is refused with its number.
// `error` says what made the text unreadable; the pairs are then incomplete.
struct CsvPairs {
  std::vector<double> x, y;
  std::string error;
};
CsvPairs ParseCsvPairs(std::string_view text);

// One record per line, "x , y" in the general number format, CR LF.
std::string FormatCsvPairs(const CurveStore& curves);

}  // namespace vorex
