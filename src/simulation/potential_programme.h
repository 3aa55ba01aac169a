#pragma once

#include "analysis/column_operators.h"
#include "experiment/parameter_set.h"

namespace vorex {

// The shape of one run's potential programme.
struct Programme {
  int pointsPerSweep = 0;  // round(|EEnd - EStart| / EStep) + 1, halves to even, 16-bit
  int pointCount = 0;      // ScanCount x 2 x pointsPerSweep, at most 4000
  int direction = -1;      // +1 when EEnd > EStart
  bool measured = false;   // the potentials of a measured programme, as they are
};

// Writes the abscissa of every point: one sweep from EStart in steps of EStep, mirrored for a
// cycle (the turning potential twice in a row) and repeated for two cycles. Raises RuntimeFault
// for a zero step ("Division by zero"), a 16-bit overflow, or more than 4000 points
// ("Subscript out of range"); nothing is written then.
// A measured programme's potentials are copied as they are, pointsPerSweep then the first
// vertex's point (the whole programme when it never turns).
Programme BuildPotentialProgramme(const ParameterSet& p, AbscissaArray& abscissa);

// The sense of the sweep at point i (1..pointCount) of the abscissa: that of the step into it,
// or where the potential holds (a dialog cycle's turning potential twice), of the step out of it.
int SweepDirectionAt(const AbscissaArray& abscissa, int pointCount, int i);

}  // namespace vorex
