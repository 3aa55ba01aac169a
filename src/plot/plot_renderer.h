#pragma once

#include "plot/curve_links.h"

namespace vorex {

// Copies grid, overlap, manual ranges and line styles from the option dialog into the plot state.
void ApplyPlotOptions(CurveLinks& links);

// Draws curves 1..CurveCount over points first..last into the plot window: ranges, labels, zero
// line, frame, curves, ticks and grid. An empty range shows "Error: No data!"; an arithmetic
// failure while drawing ends the drawing silently, keeping what was drawn.
void PlotCurves(CurveLinks& links, int first, int last);

// The option dialog's OK: apply the options, hide the dialog, convert and draw.
void FormOptionOK(CurveLinks& links);

}  // namespace vorex
