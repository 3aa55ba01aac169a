#pragma once

#include <string>
#include <vector>

#include "readers/json_value.h"
#include "readers/measured_data.h"

namespace vorex {

// The scans of one measurement of a PalmSens session, in V and A as the file signs them.
struct PalmSensScans {
  std::vector<MeasuredCycle> cycles;  // numbered as the file counts the scans (from 1)
  bool impedance = false;             // frequency arrays or impedance data instead
};

// Reads the measurement's DataSet.Values: arrays typed ...DataArrayPotentials and
// ...DataArrayCurrents, paired by the scan in their Description ("scan2channel1"), each value
// {"V": x} scaled by the unit in Unit.Type. Sessions that keep their data only in the curves
// (Curves[].XAxisDataArray / YAxisDataArray, PSTrace 5.0) are read from there. What did not fit
// is said in `notes`.
PalmSensScans ReadPalmSensScans(const JsonValue& measurement, std::vector<std::string>& notes);

}  // namespace vorex
