#pragma once

#include "plot/curve_links.h"

namespace vorex {

// The potentials of the measured curve (curve 1) into the settings, for the "measured" scan to
// follow: called before every capture, so that a curve imported, cut or rescaled since is the
// one followed. Nothing when curve 1 holds no measured curve; the potentials last attached stay.
void AttachMeasuredPotentials(CurveLinks& links);

// After an import into curve 1: when the dialog's programme does not give the measured
// potentials and the technique is a sweep, the scan becomes "measured" (with a line saying so)
// when the import asked for it; otherwise a line proposes it.
void OfferMeasuredProgramme(CurveLinks& links, bool asked);

}  // namespace vorex
