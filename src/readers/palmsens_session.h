#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// PalmSens .pssession: whether a decoded text (see DecodeText) is one, and what it holds. The
// reader raises ReadError (format "PalmSens .pssession") when nothing usable is in the file.
bool LooksLikePalmSensSession(std::string_view text);
MeasuredData ReadPalmSensSession(std::string_view text);

}  // namespace vorex
