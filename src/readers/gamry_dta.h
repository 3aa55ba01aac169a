#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// Gamry .DTA: whether a decoded text (see DecodeText) is one, and what it holds. The reader raises
// ReadError (format "Gamry .DTA") when nothing usable is in the file, and for a technique that is
// not a voltammogram (chronoamperometry, impedance ...). The CURVE tables are read (Vf measured,
// Sig applied, Im; a square wave's Vstep and Idif), one per cycle or with a Cycle column (from
// 0); the sign follows CONVENTION (1, or no such row: anodic positive, negated).
bool LooksLikeGamryDta(std::string_view text);
MeasuredData ReadGamryDta(std::string_view text);

}  // namespace vorex
