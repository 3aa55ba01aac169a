#include "analysis/peak_search.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "experiment/experiment.h"

namespace vorex {
namespace {

// Point j is a peak when the magnitude rises over j-4, j-2, j-1 to j and falls again to j+4,
// j = j±1 allowed, above the threshold; j±3 are not looked at.
bool IsPeak(const CurveStore& c, int curve, int j, double threshold) {
  const auto a = [&](int i) { return std::fabs(c.Ordinate(i, curve)); };
  return a(j - 2) > a(j - 4) && a(j + 2) > a(j + 4) && a(j - 1) > a(j - 2) && a(j + 1) > a(j + 2) &&
         a(j) >= a(j - 1) && a(j) >= a(j + 1) && a(j) > threshold;
}

}  // namespace

void FindPeaks(CurveLinks& l, PeakTables& t, int s, int e) {
  const CurveStore& c = l.curves;
  const ParameterSet& p = l.experiment.parameterSet;
  FormResult& out = l.formResult;
  const int sweep = c.PointsPerSweep;
  const bool single = p.ScanCount == 0.5;
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    out.Print(ResultLine().Text("Curve ").Number(curve).Text(":"));
    for (int k = 1; k <= kMaxPeaks; ++k) {
      t.PeakPotential(k, curve) = 0;
      t.PeakCurrent(k, curve) = 0;
    }
    t.PeakCount = 0;
    int leftOut = 0;
    const double threshold = 0.02 * std::fabs(c.YMax - c.YMin);
    const auto search = [&](int from, int to) {
      for (int j = from; j <= to; ++j) {
        if (!IsPeak(c, curve, j, threshold)) continue;
        if (t.PeakCount == kMaxPeaks) {
          ++leftOut;
          continue;
        }
        ++t.PeakCount;
        t.PeakCurrent(t.PeakCount, curve) = c.Ordinate(j, curve);
        t.PeakPotential(t.PeakCount, curve) = c.Abscissa(j);
      }
    };
    if (single) {
      search(s + 4, e - 4);
    } else {
      search(s + 4, sweep - 4);
      search(sweep + 4, e - 4);
    }
    for (int k = 1; k <= t.PeakCount; ++k) {
      out.Print(ResultLine()
                    .Text("Peak ")
                    .Number(k)
                    .Text(":")
                    .Zone()
                    .Text("Ep = ")
                    .Number(t.PeakPotential(k, curve))
                    .Zone()
                    .Text("Ip = ")
                    .Number(t.PeakCurrent(k, curve)));
    }
    if (leftOut > 0) {
      out.Print(ResultLine()
                    .Text("Peaks not listed:")
                    .Number(leftOut)
                    .Text("(only the first 20 are kept)"));
    }
    if (p.Technique == 1 && t.PeakCount == 2 && p.ScanCount == 1) {
      const double ip1 = t.PeakCurrent(1, curve), ip2 = t.PeakCurrent(2, curve);
      const double isp = c.Ordinate(sweep, curve);
      const double ratio = Finite(std::fabs(ip2 / ip1) + 0.485 * std::fabs(isp / ip1) + 0.08);
      out.Print(ResultLine().Text("I pc/I pa = ").Number(ratio));
      out.Print(ResultLine()
                    .Text("Ep2 - Ep1 = ")
                    .Number(Finite(t.PeakPotential(2, curve) - t.PeakPotential(1, curve))));
    }
    // The curve's own spacing: an imported curve's area must not follow the E step last typed.
    const double spacing = std::fabs(c.Abscissa(2) - c.Abscissa(1));
    double area = 0;
    if (single) {
      double sum = 0;
      for (int j = s; j <= e; ++j) sum += std::fabs(c.Ordinate(j, curve));
      area = spacing * sum;
    } else {
      double forward = 0, reverse = 0;
      for (int j = s; j <= sweep; ++j) forward += c.Ordinate(j, curve);
      for (int j = sweep; j <= e; ++j) reverse += c.Ordinate(j, curve);
      area = spacing * (forward - reverse);
    }
    // Sums of very large ordinates overflow; the area is then that fault, never a number.
    out.Print(ResultLine().Text("Peak Area = ").Zone().Number(Finite(area)));
  }
}

}  // namespace vorex
