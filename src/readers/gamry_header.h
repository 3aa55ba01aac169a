#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// What the KEY TYPE value label rows of a Gamry .DTA file state.
struct GamryHeader {
  std::string tag;          // TAG: the technique ("CV", "SQUARE_WAVE", "CHRONOA" ...)
  std::size_t tagLine = 0;  // its index (0-based), for an error that names it
  MeasuredSettings settings;
  std::optional<double> convention;  // CONVENTION: 1 counts anodic current positive, 0 cathodic
  bool aborted = false;              // EXPERIMENTABORTED TOGGLE T
  std::vector<std::string> notes;
};

// Reads the header rows (their 0-based indices into `lines`): VINIT, VLIMIT1, VFINAL, SCANRATE,
// STEPSIZE, FREQUENCY, PULSESIZE, PULSEON, AREA, IRCOMP with PFCOR, CONVENTION, TAG and
// EXPERIMENTABORTED. A unit in the row's label wins over the one Gamry usually writes.
GamryHeader ReadGamryHeader(const std::vector<std::string_view>& lines,
                            const std::vector<std::size_t>& rows, bool decimalComma);

}  // namespace vorex
