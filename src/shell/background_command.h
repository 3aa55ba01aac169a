#pragma once

#include "analysis/background_fit.h"

namespace vorex {

class Program;

// Subtract Background: the polynomial of the request fitted to the current curve's points in the
// ranges and subtracted from the whole curve, printed in the result window, the curves drawn
// again. A request that cannot be fitted is refused with a message and changes nothing; false
// then.
bool SubtractCurveBackground(Program& program, const BackgroundRequest& request);

// The Subtract Background dialog's OK: its request carried out, and the dialog hidden once it
// is; fields it cannot read, or a refused request, keep the dialog open with a message.
void BackgroundDialogOK(Program& program);

}  // namespace vorex
