#include <algorithm>
#include <cmath>

#include "fitting/global_fit.h"

namespace vorex {
namespace {

// 0.6745 sqrt 6: the median of |N(0, 1)| times the deviation of a second difference.
const double kSecondDifferenceMedian = 0.6744897501960817 * std::sqrt(6.0);

}  // namespace

const char* WeightingName(CurveWeighting weighting) {
  switch (weighting) {
    case CurveWeighting::None:
      return "none";
    case CurveWeighting::LargestCurrent:
      return "max";
    case CurveWeighting::Noise:
      break;
  }
  return "noise";
}

std::optional<CurveWeighting> WeightingNamed(std::string_view name) {
  for (CurveWeighting w :
       {CurveWeighting::None, CurveWeighting::LargestCurrent, CurveWeighting::Noise}) {
    if (name == WeightingName(w)) return w;
  }
  return std::nullopt;
}

double NoiseEstimate(const std::vector<double>& y) {
  if (y.size() < 3) return 0;
  std::vector<double> second(y.size() - 2);
  for (std::size_t j = 1; j + 1 < y.size(); ++j) {
    second[j - 1] = std::fabs(y[j - 1] - 2 * y[j] + y[j + 1]);
  }
  const std::size_t middle = second.size() / 2;
  std::nth_element(second.begin(), second.begin() + static_cast<std::ptrdiff_t>(middle),
                   second.end());
  double median = second[middle];
  if (second.size() % 2 == 0) {
    const double below =
        *std::max_element(second.begin(), second.begin() + static_cast<std::ptrdiff_t>(middle));
    median = (median + below) / 2;
  }
  return median / kSecondDifferenceMedian;
}

}  // namespace vorex
