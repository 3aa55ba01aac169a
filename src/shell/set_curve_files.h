#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "shell/global_fit_set.h"

namespace vorex {

// What a data file gives the set: a curve for each cycle taken, with the cycle's number as the
// file counts it, and what the reader and the thinning said about the points.
struct SetFileCurves {
  std::string format;            // "CH Instruments text export", "Pairs of numbers"
  std::vector<SetCurve> curves;  // in the file's order
  std::vector<int> cycles;       // the file's number of each curve's cycle
  std::vector<std::string> notes;
};

// Reads a file into curves of the set as `global add` does (SetCurvesOfFile): its cycle `cycle`
// as the file numbers it, or every cycle as a curve of its own when none is given, for the window
// to ask which. Why not, when the file cannot be read or has no such cycle.
std::variant<SetFileCurves, std::string> ReadSetCurves(const std::string& path,
                                                       std::optional<int> cycle = std::nullopt);

}  // namespace vorex
