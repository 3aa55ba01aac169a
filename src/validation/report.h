#pragma once

#include <string>
#include <vector>

#include "base/picture_encoder.h"
#include "validation/case_runner.h"

namespace vorex::validation {

// Writes the markdown report of every case and the convergence plot it shows (the plot's file
// name is linked relative to the report's folder); false, after saying why, when a file could not
// be written. The plot is drawn by `pictures`; without one there is no report.
bool WriteReport(const std::vector<CaseOutcome>& outcomes, const std::string& markdown,
                 const std::string& png, PictureEncoder* pictures);

}  // namespace vorex::validation
