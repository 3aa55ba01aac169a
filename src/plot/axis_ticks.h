#pragma once

#include <string>
#include <vector>

namespace vorex {

// Round tick values of one axis: consecutive multiples of a step of 1, 2 or 5 x 10^exponent.
struct AxisTicks {
  int mantissa = 1;  // 1, 2 or 5
  int exponent = 0;  // of ten
  double first = 0;  // the first tick is first x step (a whole number)
  int count = 0;     // none where the range cannot be ticked

  double Step() const;
  // Tick k = 0..count-1, the double nearest its round decimal value, so that a label read back
  // gives the very position the tick is drawn at.
  double At(int k) const;
  double Last() const { return At(count - 1); }
};

// The steps are the finest giving at most this many intervals: five to eight ticks per axis.
inline constexpr double kMostIntervals = 7;

// The ticks inside [low, high] (limits in either order), ticks on the limits included: a range
// typed or zoomed into. No ticks for an empty or unbounded range, nor for one too narrow for its
// distance from zero to be told apart in a double.
AxisTicks TicksWithin(double low, double high);

// The ticks of an automatic range around data from low to high: the first at or below low, the
// last at or above high, each less than a step away, so that the frame ends on ticks.
AxisTicks TicksAround(double low, double high);

// As TicksWithin, with steps of whole units at least: the decades of a logarithmic axis.
AxisTicks WholeTicksWithin(double low, double high);

// One label per tick, all with the same number of decimals. Where the values are too small or
// too large to read as plain decimals, the labels share a power of ten, which `power` names
// ("×1e-5"); it is empty otherwise.
struct TickLabels {
  std::vector<std::string> texts;
  std::string power;
};
TickLabels LabelTicks(const AxisTicks& ticks);

// The label of the decade 10^exponent of a logarithmic axis: "1e-6".
std::string DecadeLabel(double exponent);

}  // namespace vorex
