#include "readers/measured_step.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vorex {

double DecimalStep(double step, double uncertainty) {
  if (!std::isfinite(step) || step == 0) return step;
  const double tolerance = std::max(1e-6 * std::fabs(step), uncertainty);
  for (int digits = 1; digits <= 17; ++digits) {
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, step, std::chars_format::scientific, digits - 1);
    double rounded = 0;
    std::from_chars(text, written.ptr, rounded);
    if (std::fabs(rounded - step) <= tolerance) return rounded;
  }
  return step;
}

double ShownStep(double dataStep, const std::optional<double>& stated, double uncertainty) {
  constexpr double kBorneOut = 0.05;
  if (stated && std::isfinite(*stated) && *stated != 0 &&
      std::fabs(std::fabs(*stated) - dataStep) <= kBorneOut * dataStep) {
    return std::fabs(*stated);
  }
  return DecimalStep(dataStep, uncertainty);
}

}  // namespace vorex
