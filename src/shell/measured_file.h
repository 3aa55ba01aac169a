#pragma once

#include <string>
#include <variant>

#include "readers/measured_data.h"

namespace vorex {

// A data file as Import Data reads it: an instrument export recognised by its content, read by
// its reader; anything else as plain pairs of numbers, one cycle of the format "Pairs of numbers".
struct MeasuredFile {
  MeasuredData data;
  bool plainPairs = false;  // pairs are stored as they are while the store holds them
};

// The file read whole; or why it cannot be, as Import Data's message says it after
// "ReadData Error: ".
std::variant<MeasuredFile, std::string> ReadMeasuredFile(const std::string& file);

}  // namespace vorex
