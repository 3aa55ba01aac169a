#pragma once

#include <string>

#include "base/plot_surface.h"
#include "plot/axis_ticks.h"

namespace vorex {

// One axis of the frame: its limits in world units (log10 of the magnitude on a logarithmic
// axis) and its ticks, each with its label.
struct AxisScale {
  double low = 0, high = 0;
  AxisTicks ticks;
  bool log = false;

  // A frame of some width, which the window can be fitted to.
  bool Usable() const;
  TickLabels Labels() const;
};

// A linear axis. A manual range is taken as given (sorted); an automatic one is widened to the
// ticks around the data from low to high, taking in zero where the data come near it (`toZero`),
// and a flat curve away from zero is shown from zero, one at zero from -1 to 1.
AxisScale LinearScale(double low, double high, bool automatic, bool toZero);

// A logarithmic axis of magnitudes from low to high (> 0), ticked at whole decades. The
// automatic range ends on the decades around them, no more than kShownDecades below the top: the
// magnitude of a current passing through zero gets as small as it likes.
inline constexpr double kShownDecades = 6;
AxisScale LogScale(double low, double high, bool automatic);

// The frame, its axes and their titles; X may run from positive to negative on the window.
struct AxesLayout {
  AxisScale x, y;
  bool reversed = false;
  std::string xTitle, yTitle;
};

// Keeps room for the axes' text around the frame and fits the world to the frame.
void FitFrame(PlotSurface& s, const AxesLayout& a);
// The Y title first (the window reads the quantity from it), the tick labels beside the frame.
void DrawAxesText(PlotSurface& s, const AxesLayout& a);
// Ticks inward from the frame at the labels, and a dashed grid on them when asked.
void DrawTicksAndGrid(PlotSurface& s, const AxesLayout& a, bool grid);

}  // namespace vorex
