#pragma once

#include <optional>
#include <string>

#include "experiment/parameter_set.h"
#include "experiment/settings.h"

namespace vorex {

// The "measured" scan's programme into the parameter set: the potentials the settings carry, with
// EStart, EEnd (the first vertex, or the last potential of a sweep that never turns), EStep (the
// typed step when the programme's median step is that step, else the median) and the drop time
// of one point at the scan rate. The reason when they cannot be simulated: no potentials, a
// technique other than a sweep, fewer than 2 or more than 4000 points, a potential that is not a
// number, or no step at all.
std::optional<std::string> ReadMeasuredProgramme(const Settings& settings, ParameterSet& p);

// The closed-form currents follow any programme of a sweep at a solid electrode or a rotating
// disc; a thin film's currents are a derivative along a uniform potential step.
bool AnalyticalFollowsMeasured(const ParameterSet& p);

}  // namespace vorex
