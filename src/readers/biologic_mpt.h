#pragma once

#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// BioLogic EC-Lab .mpt: whether a decoded text (see DecodeText) is one, and what it holds. The
// reader raises ReadError (format "BioLogic EC-Lab .mpt") when nothing usable is in the file.
// The column titles are line N of "Nb header lines : N"; Ewe/V or <Ewe>/V is the potential,
// control/V the applied one, <I>/mA or I/mA the current (EC-Lab counts anodic current positive,
// so it is negated), "cycle number" (from 1) the cycles; without it the record is cut at its
// turning points.
bool LooksLikeBiologicMpt(std::string_view text);
MeasuredData ReadBiologicMpt(std::string_view text);

}  // namespace vorex
