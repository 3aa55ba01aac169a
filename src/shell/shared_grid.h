#pragma once

#include <optional>
#include <span>
#include <string>

#include "plot/curve_links.h"
#include "plot/displayed_quantity.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

struct ParameterSet;

// A run joins curves already in the store when a fit puts it beside the measured curve (curve 2)
// or "Overlap" puts it after the others. All curves are drawn over one abscissa, so such a run
// must have their potentials: point for point, within a thousandth of the step. Otherwise it
// would move the measured curve, or the earlier ones, to potentials they were not measured at.

// Nothing when a run of `programme` (its potentials, point 1 first) may fill `slot`; otherwise
// the message that refuses it, naming both sets of potentials and what to set.
std::optional<std::string> RefusedProgramme(const CurveLinks& links, const CurveSlot& slot,
                                            const ParameterSet& p,
                                            std::span<const double> programme);

// The same for the run the parameter set would give now, its programme built in the workspace.
// Raises RuntimeFault when no programme can be built (the run itself then says why).
std::optional<std::string> RefusedNextRun(const CurveLinks& links, const ParameterSet& p,
                                          SimulationWorkspace& work);

}  // namespace vorex
