#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// A table of numbers as spreadsheets and instrument programs write it: rows separated by tabs,
// semicolons, commas or blanks, under a row of column titles. Recognised when it has a title row,
// or more columns than the two of Import Data's plain pairs (which stay plain pairs). The reader
// takes the potential and current columns whose titles say so, with the units the titles give
// ("E / mV", "Potential (V)", "I/uA", "Current [mA]"); it raises ReadError (format "Text table")
// when it cannot tell them, naming the columns it found.
bool LooksLikeTextTable(std::string_view text);
MeasuredData ReadTextTable(std::string_view text);

}  // namespace vorex
