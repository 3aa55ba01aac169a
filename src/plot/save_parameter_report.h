#pragma once

#include "plot/curve_links.h"

namespace vorex {

// Save: the report into the chosen file. A cancelled dialog is silent; a file that cannot be
// written says so; a file written is confirmed on the status line.
void SaveParameterReport(CurveLinks& links);

}  // namespace vorex
