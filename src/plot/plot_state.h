#pragma once

#include <vector>

#include "base/fixed_storage.h"

namespace vorex {

// A peak Find Peak found, marked on the plot: point `point` of curve `curve`, at the potential
// and ordinate it had then, so that a mark whose curve has changed since is not drawn.
struct PeakMark {
  int curve = 0;
  int point = 0;
  double potential = 0;  // [V]
  double ordinate = 0;
};

// The settings the plot draws with, copied from the option dialog by ApplyPlotOptions and
// rewritten by the automatic ranges of every drawing. The vertical range lives in the curve
// store (YMax, YMin), shared with the simulation.
struct PlotState {
  double XMin = 0;  // horizontal range of the frame [V]
  double XMax = 0;
  bool GridOn = false;
  bool OverlapOn = false;
  FixedArray<int, 5> LineStyle{};  // curves 1..5: 1 dots, 2 square markers, 3 solid line
  // The peaks of the last Find Peak, drawn after the curves until a new curve is stored or the
  // plot is cleared.
  std::vector<PeakMark> PeakMarks;
};

}  // namespace vorex
