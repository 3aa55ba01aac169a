#pragma once

#include <string>

#include "curves/curve_links.h"

namespace vorex {

struct ParameterSet;

inline constexpr const char* kParameterFilter = "parameter (*.par)|*.par|all|*.*";

// The report of the last captured parameter set: a label line, then a value line, CR LF.
std::string ParameterReport(const ParameterSet& p, int pointCount);

// Save: the report into the chosen file. A cancelled dialog is silent; a file that cannot be
// written says so.
void SaveParameterReport(CurveLinks& links);

}  // namespace vorex
