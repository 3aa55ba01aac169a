#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// The settings a NOVA export states in the procedure columns it fills on its first row only:
// "Start potential (V)", "Step (V)" or "Step potential (V)", "Scan rate (V/s)". `columns` are
// those columns, `titles` and `firstRow` the file's title and first data fields.
MeasuredSettings NovaProcedureSettings(const std::vector<std::string_view>& titles,
                                       const std::vector<std::string_view>& firstRow,
                                       const std::vector<std::size_t>& columns, bool decimalComma);

}  // namespace vorex
