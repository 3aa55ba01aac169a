#pragma once

#include "plot/curve_links.h"

namespace vorex {

// Export Data: curve CurrentCurve over FirstPoint..LastPoint. A cancelled dialog is silent; a
// file that cannot be written says so; a file written is confirmed, with the curve's number and
// legend name, on the status line and in the result window.
void ExportCurve(CurveLinks& links);

}  // namespace vorex
