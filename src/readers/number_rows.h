#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorex {

// How a format cuts one of its lines into fields, into a vector kept from row to row (a table of
// a million rows then costs no allocation per row).
using FieldSplit =
    std::function<void(std::string_view line, std::vector<std::string_view>& fields)>;

// The fields between `separator`s (as SplitFields), or between runs of blanks (as SplitWhitespace).
FieldSplit SplitAt(char separator);
FieldSplit SplitAtBlanks();

// The numbers of the chosen columns of a table, and the lines that could not be read.
struct NumberRows {
  std::vector<std::vector<double>> columns;  // one per chosen column, all of one length
  std::vector<std::string> notes;            // one sentence per kind of line left out
};

// Reads lines[first] on. A row counts when every chosen column is a number there. Blank lines
// and labels ending in ':' ("Segment 2:") are passed over; any other line is left out and named
// in a note, the last one as cut short (a run stopped or a copy broken off mid-line).
NumberRows ReadNumberRows(const std::vector<std::string_view>& lines, std::size_t first,
                          const std::vector<std::size_t>& chosen, const FieldSplit& split,
                          bool decimalComma);

// Up to `count` lines from lines[first] on: enough to tell a file's decimal mark.
std::vector<std::string_view> SampleLines(const std::vector<std::string_view>& lines,
                                          std::size_t first, std::size_t count = 200);

}  // namespace vorex
