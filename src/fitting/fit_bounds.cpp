#include "fitting/fit_bounds.h"

#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/form_expr.h"
#include "experiment/parameter_set.h"

namespace vorex {
namespace {

std::string Quoted(const Control& field) {
  return "\"" + field.Text() + "\"";
}

// What the values of fit index k must satisfy, as a phrase; nothing for E°, which may be any.
const char* Meaning(int k, double low, double high) {
  if (k >= 8 && k <= 10) return low >= 0 && high <= 1 ? nullptr : "must lie between 0 and 1";
  if (k >= 11 && k <= 13) return nullptr;
  return low >= 0 ? nullptr : "must not be negative";
}

}  // namespace

std::optional<std::string> RefusedBounds(FormExpr& form) {
  for (int k = 1; k <= FormExpr::kFitSlots; ++k) {
    if (!form.CheckFitted(k).Checked() || !form.CheckFitted(k).Shown()) continue;
    const Control &min = form.TextCmin(k), &max = form.TextCmax(k);
    const std::string name = FitParameterName(k);
    double low = 0, high = 0;
    try {
      low = NumericPrefix(min.Text());
      high = NumericPrefix(max.Text());
    } catch (const RuntimeFault&) {
      return "A bound of " + name + " (min " + Quoted(min) + ", max " + Quoted(max) +
             ") is too large a number; nothing was fitted.";
    }
    if (low > high) {
      return "The bounds of " + name + " are reversed: min " + Quoted(min) + " is above max " +
             Quoted(max) + "; nothing was fitted.";
    }
    if (const char* meaning = Meaning(k, low, high)) {
      return "The bounds of " + name + " (min " + Quoted(min) + ", max " + Quoted(max) +
             ") take in values without meaning: " + name + " " + meaning + "; nothing was fitted.";
    }
  }
  return std::nullopt;
}

}  // namespace vorex
