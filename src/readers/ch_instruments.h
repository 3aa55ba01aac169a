#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// CH Instruments text export: whether a decoded text (see DecodeText) is one, and what it holds.
// The reader raises ReadError (format "CH Instruments text export") when nothing usable is in the
// file.
bool LooksLikeChInstruments(std::string_view text);
MeasuredData ReadChInstruments(std::string_view text);

}  // namespace vorex
