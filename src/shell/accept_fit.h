#pragma once

namespace vorex {

class Program;

// Accept Fitted Values: the values the last Auto Fit found go into their fields of the
// Experimental dialog, so that the next Simulate runs with them, and the result window and the
// status line say which. Refused with a warning, nothing changed, when no fit has ended with a
// report, or when a field would not take its value. A fitted concentration goes into the
// analytical concentration C of its species.
void AcceptFittedValues(Program& program);

}  // namespace vorex
