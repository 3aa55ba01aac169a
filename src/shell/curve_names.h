#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorex {

class Program;

// The longest name a curve takes in the legend.
inline constexpr std::size_t kMaxCurveName = 60;

// Curve `curve` (1 to the number on the plot) is called `name` in the legend from now on; an
// empty name gives it back the name of what it holds ("measured", "Curve 2"). The plot is drawn
// again. Why not, and nothing changed, for a curve the plot does not show or a name that is too
// long or holds a line break.
std::optional<std::string> RenameCurve(Program& program, int curve, std::string_view name);

// The command interface's statement FormPlot.CurveName(N) = NAME, which renames curve N (a
// refusal is a warning message); false when the statement is not one, ScriptError when it is
// malformed.
bool CurveNameStatement(Program& program, std::string_view statement);

}  // namespace vorex
