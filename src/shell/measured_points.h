#pragma once

#include <string>
#include <variant>
#include <vector>

#include "readers/measured_data.h"
#include "readers/uniform_grid.h"
#include "shell/import_command.h"

namespace vorex {

// The request's options on what the reader gave: the currents negated once more, the applied
// potential as the abscissa; a note for each in the data's notes.
void ApplyImportOptions(MeasuredData& data, const ImportRequest& request);

// A measured record as the curve store takes it: on a uniform step, thinned to the store's points
// when it has more (see MakeUniform); or why it cannot be, in the words of Import Data's message
// after "<format>: ".
std::variant<UniformRecord, std::string> StorePoints(const std::vector<double>& potential,
                                                     const std::vector<double>& current);

// What was done to the measured points to put them on the store's uniform step and within its
// size, a line for each; none when they were taken as measured.
std::vector<std::string> ResamplingLines(const UniformRecord& uniform, std::size_t measured,
                                         std::size_t stored);

}  // namespace vorex
