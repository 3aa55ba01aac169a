#include "shell/shared_grid.h"

#include "curves/curve_store.h"
#include "curves/shared_abscissa.h"
#include "experiment/parameter_set.h"
#include "simulation/potential_programme.h"

namespace vorex {

std::optional<std::string> RefusedProgramme(const CurveLinks& l, const CurveSlot& slot,
                                            const ParameterSet& p,
                                            std::span<const double> programme) {
  const std::span<const double> shared = JoinedAbscissa(l.curves, slot.currentCurve);
  if (shared.empty()) return std::nullopt;  // nothing to join
  const int point = FirstDifferentPoint(shared, programme, p.EStep / 1000);
  if (point == 0) return std::nullopt;
  if (l.fitting) {
    return AbscissaMismatchMessage(
        "The measured curve has", shared, "the Experimental dialog gives", programme, point,
        "Set E start, E end, E step and Scan to those of the measured curve; nothing was "
        "fitted.");
  }
  return AbscissaMismatchMessage(
      "The curves on the plot have", shared, "the Experimental dialog gives", programme, point,
      "Set E start, E end, E step and Scan to theirs, or untick Overlap in the Option dialog; "
      "nothing was simulated.");
}

std::optional<std::string> RefusedNextRun(const CurveLinks& l, const ParameterSet& p,
                                          SimulationWorkspace& w) {
  const Programme g = BuildPotentialProgramme(p, w.Abscissa);
  return RefusedProgramme(
      l, NextCurveSlot(l), p,
      std::span<const double>(w.Abscissa.data() + 1, static_cast<std::size_t>(g.pointCount)));
}

}  // namespace vorex
