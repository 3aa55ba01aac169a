#include "curves/shared_abscissa.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/number_format.h"
#include "curves/curve_store.h"

namespace vorex {
namespace {

std::string Volts(double value) {
  return FormatShortest(value) + " V";
}

}  // namespace

std::span<const double> JoinedAbscissa(const CurveStore& c, int curve) {
  if (curve == 1 || c.PointCount < 1) return {};
  return {c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount)};
}

int FirstDifferentPoint(std::span<const double> a, std::span<const double> b, double tolerance) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    // Written so that a NaN, which no curve should hold, counts as a difference.
    if (!(std::fabs(a[i] - b[i]) <= tolerance)) return static_cast<int>(i + 1);
  }
  return a.size() == b.size() ? 0 : static_cast<int>(common + 1);
}

double AbscissaStep(std::span<const double> x) {
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i] != x[i - 1]) return std::fabs(x[i] - x[i - 1]);
  }
  return 0;
}

std::string DescribeAbscissa(std::span<const double> x) {
  if (x.empty()) return "no points";
  if (x.size() == 1) return "1 point at " + Volts(x[0]);
  std::size_t far = 0;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (std::fabs(x[i] - x[0]) > std::fabs(x[far] - x[0])) far = i;
  }
  std::string text =
      std::to_string(x.size()) + " points from " + Volts(x[0]) + " to " + Volts(x[far]);
  if (far + 1 < x.size()) text += " and back";
  return text + " in steps of " + Volts(AbscissaStep(x));
}

std::string AbscissaMismatchMessage(std::string_view sharedPhrase, std::span<const double> shared,
                                    std::string_view freshPhrase, std::span<const double> fresh,
                                    int point, std::string_view advice) {
  std::string text = std::string(sharedPhrase) + " " + DescribeAbscissa(shared) + "; " +
                     std::string(freshPhrase) + " " + DescribeAbscissa(fresh);
  const auto at = static_cast<std::size_t>(point - 1);
  if (shared.size() == fresh.size() && point >= 1 && at < fresh.size()) {
    text += " (point " + std::to_string(point) + " at " + Volts(fresh[at]) + " against " +
            Volts(shared[at]) + ")";
  }
  return text + ". " + std::string(advice);
}

}  // namespace vorex
