#pragma once

#include <optional>
#include <string>

#include "shell/global_fit_set.h"

namespace vorex {

// Every curve of the set's last fit as CSV: a header line "curve,E,I,I_fit,residual", then one
// line a point, the curve by its number in the set, the numbers as they round-trip (the residual
// is I - I_fit as the fit computed it), CR LF. Empty when no fit is kept.
std::string GlobalFitCsv(const GlobalFitSet& set);

// `global export FILE`: the CSV written whole or not at all; why not (no fit kept since the set
// last changed, the file cannot be written).
std::optional<std::string> ExportGlobalFit(const GlobalFitSet& set, const std::string& file);

}  // namespace vorex
