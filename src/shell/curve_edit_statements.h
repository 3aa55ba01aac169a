#pragma once

#include <string_view>

namespace vorex {

class Program;

// The command interface's statements for the Cut and Subtract Background dialogs, the numbers
// given on the line:
//   sweeps                          the cycles and segments, to look before cutting
//   cut cycle N | cut segment N | cut segments FIRST LAST | cut window LOW HIGH
//   background subtract [degree D] [segment N] ranges LOW HIGH [LOW HIGH ...]
// False when the statement is none of these; ScriptError when one of them is malformed. A
// well-formed statement the curves cannot take is refused with the dialog's message.
bool CurveEditStatement(Program& program, std::string_view statement);

}  // namespace vorex
