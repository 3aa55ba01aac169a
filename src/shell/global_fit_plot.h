#pragma once

#include <optional>
#include <string>

namespace vorex {

class Program;

// Curve n (1-based) of the set's last fit on the plot, alone over its own potentials: its
// measured points as curve 1, the fitted curve as curve 2 and, when asked, the residual (measured
// - fitted) as curve 3; a line in the result window says which. The plot's abscissa is one for
// all its curves, so one curve of the set is shown at a time. The peaks found and the residual
// of an earlier Auto Fit were of other points: they are forgotten. Why not (no fit kept, no such
// curve), and nothing changes.
std::optional<std::string> PlotSetCurve(Program& program, int n, bool residual);

}  // namespace vorex
