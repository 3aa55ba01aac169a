#pragma once

#include "plot/curve_links.h"

namespace vorex {

// Export Data: curve CurrentCurve over FirstPoint..LastPoint. A cancelled dialog is silent; a
// file that cannot be written says so.
void ExportCurve(CurveLinks& links);

}  // namespace vorex
