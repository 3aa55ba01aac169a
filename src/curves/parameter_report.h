#pragma once

#include <string>

namespace vorex {

struct ParameterSet;

inline constexpr const char* kParameterFilter = "parameter (*.par)|*.par|all|*.*";

// The report of the last captured parameter set: a label line, then a value line, CR LF.
std::string ParameterReport(const ParameterSet& p, int pointCount);

}  // namespace vorex
