#pragma once

#include <string>
#include <vector>

#include "case_runner.h"

namespace vorex::validation {

// Writes the markdown report of every case and the convergence plot it shows (the plot's file
// name is linked relative to the report's folder); false, after saying why, when a file could not
// be written.
bool WriteReport(const std::vector<CaseOutcome>& outcomes, const std::string& markdown,
                 const std::string& png);

}  // namespace vorex::validation
