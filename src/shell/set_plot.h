#pragma once

#include <string>

#include "shell/global_fit_set.h"

// What the plot of the Fit Several Curves window shows: every curve of the set, measured points
// and (after a fit) the fitted line, on axes with round ticks; the residuals in a strip below.
namespace vorex {

// An axis from one round tick to another: ticks at n × step for n = first .. first + count - 1,
// the step being mantissa × 10^exponent with a mantissa of 1, 2 or 5.
struct PlotAxis {
  int mantissa = 1, exponent = 0;
  long first = 0;
  int count = 2;

  // The value of tick k (0-based), as near as a double comes to the decimal it is, so that
  // its text is that decimal ("0.3", never "0.30000000000000004").
  double Tick(int k) const;
  std::string TickText(int k) const;
  double Low() const { return Tick(0); }
  double High() const { return Tick(count - 1); }
};

// The axis of fewest ticks, at most `most` (at least 2), whose ends lie on ticks around low ..
// high. A range of no width is widened by a tenth of its value either way (by 1 around 0).
PlotAxis RoundAxis(double low, double high, int most);

// The unit of the current axis: the largest of A, mA, µA, nA, pA that the largest |I| is at
// least 1 of (pA below that), and the factor from amperes to it.
struct CurrentUnit {
  double factor = 1;
  std::string name = "A";
};
CurrentUnit CurrentUnitFor(double largest);

struct SetPlotLayout {
  PlotAxis potential;  // [V]
  PlotAxis current;    // [unit]: the measured and the fitted currents
  PlotAxis residual;   // [unit], around 0: the residuals of the last fit
  CurrentUnit unit;
  bool fitted = false;  // the last fit belongs to these curves: fitted lines and residuals
};

// Nothing to lay out for an empty set: the axes of 0..1.
SetPlotLayout SetPlotOf(const GlobalFitSet& set);

// The last fit's result for these curves, point for point; nothing when the set changed since.
const GlobalFitResult* FitOfTheCurves(const GlobalFitSet& set);

}  // namespace vorex
