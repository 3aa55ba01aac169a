#pragma once

#include "base/plot_surface.h"
#include "curves/curve_store.h"
#include "plot/plot_state.h"

namespace vorex {

// The point of curve `curve` within first..last at exactly that potential and ordinate (a peak
// the search found there); 0 when none is.
int PeakPoint(const CurveStore& curves, int curve, int first, int last, double potential,
              double ordinate);

// Each marked peak still on its curve within points first..last: a small cross at the peak and
// its potential beside it, dx and dy the width and height of the frame. After the curves, so a
// surface draws them as it draws the axes.
void DrawPeakMarks(const PlotState& plot, const CurveStore& curves, PlotSurface& surface, int first,
                   int last, double dx, double dy);

}  // namespace vorex
