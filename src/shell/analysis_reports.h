#pragma once

#include "analysis/peak_search.h"

namespace vorex {

struct CurveLinks;

// Find Peak: the peaks of every curve between points s and e, kept in the tables and marked for
// the plot, with the cyclic ratio and separation and the area, printed into the result window
// (each Ep in V to 0.1 mV, each Ip to 4 significant digits).
void FindPeaks(CurveLinks& links, PeakTables& peaks, int s, int e);

// Find Halfwave E: the half-wave potential and wave height of every curve, one line each.
void FindHalfWave(CurveLinks& links);

// Theoretical Peak: capture, then the title and two lines per reaction in the result window.
void TheoreticalPeaks(CurveLinks& links);

}  // namespace vorex
