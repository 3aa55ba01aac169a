#pragma once

#include <string>

#include "experiment/settings_table.h"

namespace vorex {

// The message that refuses what a field holds: the field as the dialog labels it (with its
// control name when it is one of a row), its text and why, as in
// "D (cm ²/s) (D(1)): "-1" must be greater than 0.".
std::string FieldMessage(const FieldSpec& field, const std::string& text, const std::string& why);

}  // namespace vorex
