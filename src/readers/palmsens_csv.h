#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// PalmSens PSTrace .csv: whether a decoded text (see DecodeText) is one, and what it holds. The
// reader raises ReadError (format "PalmSens PSTrace .csv") when nothing usable is in the file.
bool LooksLikePalmSensCsv(std::string_view text);
MeasuredData ReadPalmSensCsv(std::string_view text);

}  // namespace vorex
