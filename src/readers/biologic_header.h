#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// What the header of an EC-Lab .mpt file states: the technique and its settings, with a note
// for each setting that was there but could not be used.
struct BiologicHeader {
  std::string technique;
  MeasuredSettings settings;
  std::vector<std::string> notes;
};

// Reads the header lines between the line count (line 2) and the column titles (titleIndex,
// 0-based): "Key : value" lines and the parameter table (Ei (V), E1 (V), EL (V), Ef (V), dE/dt
// or dER/dt with its unit row, Ru or Rcmp, the electrode surface area).
BiologicHeader ReadBiologicHeader(const std::vector<std::string_view>& lines,
                                  std::size_t titleIndex, bool decimalComma);

}  // namespace vorex
