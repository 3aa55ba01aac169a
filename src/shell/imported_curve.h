#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "plot/curve_links.h"

namespace vorex {

// A curve as Import Data stores it: its points, the points at which it turns (numbered from 0,
// its ends not among them), and the E step to type: the one given, else its first step as the
// data carry it (see DecimalStep).
struct ImportedCurve {
  std::vector<double> potential;
  std::vector<double> current;
  std::vector<std::size_t> vertices;
  std::optional<double> step;
  std::string name;  // the legend's; "measured" when empty
};

// The curve into the next curve slot, with its vertices and first sweep, "Number of data point"
// and "E step" printed, and the E start, E end (its first vertex, or its last point when it never
// turns) and E step fields typed, as Import Data always does; false, after telling why, when
// Overlap forbids it or the step overflows.
bool StoreImportedCurve(CurveLinks& links, const ImportedCurve& curve);

}  // namespace vorex
