#pragma once

#include <optional>
#include <string>

namespace vorex {

class FormExpr;

// Why the fit cannot search within the bounds typed for the ticked parameters: the first
// parameter (in fit index order) whose lower bound lies above its upper one, whose bounds take in
// values without physical meaning (a negative concentration or rate constant, an α outside 0 to
// 1), or whose bound is too large a number. Nothing when every bound may be used.
std::optional<std::string> RefusedBounds(FormExpr& form);

}  // namespace vorex
