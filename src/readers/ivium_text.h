#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// Ivium text export: whether a decoded text (see DecodeText) is one, and what it holds. The reader
// raises ReadError (format "Ivium text export") when nothing usable is in the file.
bool LooksLikeIvium(std::string_view text);
MeasuredData ReadIvium(std::string_view text);

}  // namespace vorex
