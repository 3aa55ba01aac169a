#pragma once

#include <array>
#include <optional>
#include <string>

#include "experiment/codes.h"
#include "experiment/parameter_set.h"
#include "experiment/settings.h"
#include "experiment/settings_table.h"

namespace vorex {

// What a simulation ran with, as far as the legend tells simulations apart: the technique, the
// mechanism, the scan rate and the value of every fit slot the mechanism uses (0 for the others).
struct SimulationSignature {
  // "lsv" or "cv" for the sweep, single or cycled, the technique's short name otherwise.
  std::string technique = "lsv";
  MechanismCode mechanism = MechanismCode::E;
  double scanRate = 0;
  std::array<double, kFitSlots + 1> slotValues{};
};

SimulationSignature SignatureOf(const ParameterSet& p, const Settings& settings);

// The legend's name of a simulation: "sim " and what sets it apart from the simulation before it,
// the scan rate or the first two fit slots that differ ("sim ks(1) = 1e-3"); the technique and
// mechanism when those changed, nothing differs or there was none before ("sim lsv, simple
// charge reaction").
std::string SimulationName(const SimulationSignature& now,
                           const std::optional<SimulationSignature>& before);

}  // namespace vorex
