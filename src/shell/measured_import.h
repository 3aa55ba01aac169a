#pragma once

#include <vector>

#include "plot/curve_links.h"
#include "readers/measured_data.h"
#include "shell/import_command.h"

namespace vorex {

// The potentials x and ordinates y into the next curve slot, with "Number of data point" and
// "E step" printed and the E start and E step fields typed, as Import Data always does; false,
// after telling why, when Overlap forbids it or the step overflows.
bool StoreImportedCurve(CurveLinks& links, const std::vector<double>& x,
                        const std::vector<double>& y);

// An instrument file's cycle (chosen by the request, else asked) onto a uniform step and into the
// store, with what the file says printed, and its settings offered to the Experimental dialog.
bool ImportMeasured(CurveLinks& links, MeasuredData& data, const ImportRequest& request);

}  // namespace vorex
