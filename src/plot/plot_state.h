#pragma once

#include "base/fixed_storage.h"

namespace vorex {

// The settings the plot draws with, copied from the option dialog by ApplyPlotOptions and
// rewritten by the automatic ranges of every drawing. The vertical range lives in the curve
// store (YMax, YMin), shared with the simulation.
struct PlotState {
  double XMin = 0;  // horizontal range of the frame [V]
  double XMax = 0;
  bool GridOn = false;
  bool OverlapOn = false;
  FixedArray<int, 5> LineStyle{};  // curves 1..5: 1 dots, 2 square markers, 3 solid line
};

}  // namespace vorex
