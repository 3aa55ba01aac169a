#pragma once

#include "plot/curve_links.h"

namespace vorex {

// The curve a new simulation or import fills, with the counts that go with it.
struct CurveSlot {
  int curveCount;
  int currentCurve;
  int storedCurveCount;
};

// During a fit curve 2 (curve 1 holds the measured data); with "Overlap" ticked the next of five
// curves; otherwise curve 1 alone.
CurveSlot NextCurveSlot(const CurveLinks& links);
void ApplyCurveSlot(CurveLinks& links, const CurveSlot& slot);
void SelectCurveSlot(CurveLinks& links);

// Converts the last simulation into the quantity chosen in the option dialog (current,
// resistance, conductance or surface concentration) and writes it into the curve store. A
// conversion that cannot be made says why and leaves the curves as they were; false then.
bool FillDisplayedQuantity(CurveLinks& links);
// The same from the parameter set as it stands, without capturing the dialogs first.
bool FillCapturedQuantity(CurveLinks& links);

// FillDisplayedQuantity, then the plot over FirstPoint..LastPoint.
void ShowCurves(CurveLinks& links);

}  // namespace vorex
