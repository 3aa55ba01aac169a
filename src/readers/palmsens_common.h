#pragma once

#include <optional>
#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// What the two PalmSens readers (PSTrace .csv and .pssession) share.

enum class PalmSensQuantity { Potential, Current };

struct PalmSensUnit {
  PalmSensQuantity quantity;
  double factor;  // to V or A
};

// A potential or current unit as PalmSens writes it: in a CSV unit row ("V", "mV", "µA", "uA",
// "nA") or as a type name ("PalmSens.Units.MicroAmpere", "PalmSens.Units.Volt"). Nothing for any
// other unit (s, Hz, µC, Ohm...).
std::optional<PalmSensUnit> ReadPalmSensUnit(std::string_view unit);

// The number after the word "scan" in a curve title ("CV i vs E Scan 2") or an array's
// description ("scan2channel1"); nothing when there is none.
std::optional<int> PalmSensScanNumber(std::string_view text);

// PalmSens counts anodic current positive: every current is negated to Vorex's reduction
// positive, and a note says so.
void MakeReductionPositive(MeasuredData& data);

}  // namespace vorex
