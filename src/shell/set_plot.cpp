#include "shell/set_plot.h"

#include <algorithm>
#include <cmath>

#include "base/number_format.h"

namespace vorex {
namespace {

// 10^n, exact for n up to 22 (every power of ten a double holds exactly).
double PowerOfTen(int n) {
  double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

struct Extent {
  double low = HUGE_VAL, high = -HUGE_VAL;
  void Take(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  bool Empty() const { return low > high; }
};

}  // namespace

double PlotAxis::Tick(int k) const {
  const double multiple = static_cast<double>(first + k) * mantissa;
  return exponent < 0 ? multiple / PowerOfTen(-exponent) : multiple * PowerOfTen(exponent);
}

std::string PlotAxis::TickText(int k) const {
  return FormatShortest(Tick(k));
}

PlotAxis RoundAxis(double low, double high, int most) {
  most = std::max(most, 2);
  if (!(high > low)) {
    const double d = low != 0 ? std::fabs(low) / 10 : 1;
    low -= d;
    high += d;
  }
  const double raw = (high - low) / (most - 1);
  static constexpr int kMantissas[] = {1, 2, 5};
  for (int exponent = static_cast<int>(std::floor(std::log10(raw)));; ++exponent) {
    for (int m : kMantissas) {
      const double step = m * std::pow(10.0, exponent);
      // A limit on a tick, give or take its rounding, needs no tick beyond it.
      const double from = std::floor(low / step + 1e-9), to = std::ceil(high / step - 1e-9);
      if (to - from + 1 <= most) {
        return PlotAxis{m, exponent, static_cast<long>(from),
                        std::max(2, static_cast<int>(to - from) + 1)};
      }
    }
  }
}

CurrentUnit CurrentUnitFor(double largest) {
  static const CurrentUnit kUnits[] = {{1, "A"}, {1e3, "mA"}, {1e6, "\u00b5A"}, {1e9, "nA"}};
  for (const CurrentUnit& unit : kUnits) {
    if (largest * unit.factor >= 1) return unit;
  }
  return {1e12, "pA"};
}

const GlobalFitResult* FitOfTheCurves(const GlobalFitSet& set) {
  if (!set.last || set.last->curves.size() != set.curves.size()) return nullptr;
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    const GlobalCurveResult& fit = set.last->curves[c];
    const std::size_t points = set.curves[c].potential.size();
    if (fit.fitted.size() != points || fit.residual.size() != points) return nullptr;
  }
  return &*set.last;
}

SetPlotLayout SetPlotOf(const GlobalFitSet& set) {
  SetPlotLayout layout;
  const GlobalFitResult* fit = FitOfTheCurves(set);
  layout.fitted = fit != nullptr;
  Extent e, i;
  double largestResidual = 0;
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    for (double v : set.curves[c].potential) e.Take(v);
    for (double v : set.curves[c].current) i.Take(v);
    if (!fit) continue;
    for (double v : fit->curves[c].fitted) i.Take(v);
    for (double v : fit->curves[c].residual)
      largestResidual = std::max(largestResidual, std::fabs(v));
  }
  if (e.Empty()) {
    layout.potential = RoundAxis(0, 1, 8);
    layout.current = RoundAxis(0, 1, 7);
    return layout;
  }
  layout.unit = CurrentUnitFor(std::max(std::fabs(i.low), std::fabs(i.high)));
  const double f = layout.unit.factor;
  layout.potential = RoundAxis(e.low, e.high, 8);
  layout.current = RoundAxis(i.low * f, i.high * f, 7);
  layout.residual = RoundAxis(-largestResidual * f, largestResidual * f, 3);
  return layout;
}

}  // namespace vorex
