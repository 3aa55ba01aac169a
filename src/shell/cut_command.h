#pragma once

#include "analysis/curve_cut.h"

namespace vorex {

class Program;

// Cut: keeps what the choice names of every curve, says what was kept in the result window and
// draws the curves again. The peaks found and the residual of the last fit were of the points
// that are gone, so they are forgotten. A choice that keeps nothing is refused with a message and
// changes nothing; false then.
bool CutCurves(Program& program, const CutChoice& choice);

// The Cut dialog's OK: its choice cut, and the dialog hidden once it is; a choice it cannot read,
// or that is refused, keeps the dialog open with a message.
void CutDialogOK(Program& program);

// The cycles and segments of the curves' potentials, one line each with their points (numbered
// from 1, as Export Data writes them) into the result window: what a cut may keep.
void ListSweeps(Program& program);

}  // namespace vorex
