#pragma once

#include <string>
#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// What a PalmSens method states: its INI-like "KEY=value" lines (METHOD_ID=cv, E_BEGIN=-0.5,
// E_VTX1, E_VTX2, E_END, E_STEP, SCAN_RATE, E_PULSE, T_PULSE, FREQUENCY) in V, V/s, s and Hz.
struct PalmSensMethod {
  std::string technique;  // the technique's name for the METHOD_ID, or the id itself
  bool impedance = false;
  MeasuredSettings settings;
};

// Unknown keys, comments ('#') and values that are not numbers are skipped.
PalmSensMethod ReadPalmSensMethod(std::string_view text);

}  // namespace vorex
