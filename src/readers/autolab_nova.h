#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// Metrohm Autolab NOVA ASCII export: whether a decoded text (see DecodeText) is one, and what it
// holds. The reader raises ReadError (format "Metrohm Autolab NOVA ASCII export") when nothing
// usable is in the file.
bool LooksLikeAutolabNova(std::string_view text);
MeasuredData ReadAutolabNova(std::string_view text);

}  // namespace vorex
