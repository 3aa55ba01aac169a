#include "analysis/peak_search.h"

#include <cmath>

namespace vorex {
namespace {

// Point j is a peak when the magnitude rises over j-4, j-2, j-1 to j and falls again to j+4,
// j = j±1 allowed, above the threshold; j±3 are not looked at.
bool IsPeak(const AbscissaArray& y, int j, double threshold) {
  const auto a = [&](int i) { return std::fabs(y(i)); };
  return a(j - 2) > a(j - 4) && a(j + 2) > a(j + 4) && a(j - 1) > a(j - 2) && a(j + 1) > a(j + 2) &&
         a(j) >= a(j - 1) && a(j) >= a(j + 1) && a(j) > threshold;
}

}  // namespace

CurvePeaks SearchPeaks(const AbscissaArray& x, const AbscissaArray& y,
                       const PeakSearchSettings& settings) {
  const int s = settings.first, e = settings.last, sweep = settings.pointsPerSweep;
  CurvePeaks found;
  const double threshold = 0.02 * std::fabs(settings.yMax - settings.yMin);
  const auto search = [&](int from, int to) {
    for (int j = from; j <= to; ++j) {
      if (!IsPeak(y, j, threshold)) continue;
      if (static_cast<int>(found.peaks.size()) == kMaxPeaks) {
        ++found.notListed;
        continue;
      }
      found.peaks.push_back({.potential = x(j), .current = y(j)});
    }
  };
  if (settings.singleSweep) {
    search(s + 4, e - 4);
  } else {
    search(s + 4, sweep - 4);
    search(sweep + 4, e - 4);
  }
  if (settings.oneCycleSweep && found.peaks.size() == 2) {
    const double ip1 = found.peaks[0].current, ip2 = found.peaks[1].current;
    const double isp = y(sweep);
    found.ratio = std::fabs(ip2 / ip1) + 0.485 * std::fabs(isp / ip1) + 0.08;
    found.separation = found.peaks[1].potential - found.peaks[0].potential;
  }
  // The curve's own spacing: an imported curve's area must not follow the E step last typed.
  const double spacing = std::fabs(x(2) - x(1));
  if (settings.singleSweep) {
    double sum = 0;
    for (int j = s; j <= e; ++j) sum += std::fabs(y(j));
    found.area = spacing * sum;
  } else {
    double forward = 0, reverse = 0;
    for (int j = s; j <= sweep; ++j) forward += y(j);
    for (int j = sweep; j <= e; ++j) reverse += y(j);
    found.area = spacing * (forward - reverse);
  }
  return found;
}

}  // namespace vorex
