#pragma once

#include "plot/curve_links.h"
#include "readers/measured_data.h"

namespace vorex {

// The technique parameters an imported file states, printed in the result window and, when
// `apply` is set or the user confirms, typed into the Experimental dialog's fields that take them
// (a field the dialog derives or does not show is left, with a line saying so). E start, E end
// and E step are not offered: the import typed them from the curve itself. `direction` is
// -1 for a sweep towards negative potentials, whose pulses Vorex writes negative.
void OfferSettings(CurveLinks& links, const MeasuredSettings& settings, bool apply, int direction);

}  // namespace vorex
