#pragma once

#include <string_view>

namespace vorex {

class CliHost;
class Program;

// The command interface's statements for the set of measured curves fitted together, all
// beginning with the word `global` (`help global` lists them):
//   global add FILE [cycle=N|cycle=all] [invert-current] [abscissa=applied] [KEYWORD=VALUE ...]
//   global add curve [N] [KEYWORD=VALUE ...]
//   global set N KEYWORD=VALUE ...    global remove N    global clear    global list
//   global per_curve NAME ...         global shared NAME ...
//   global weighting none|max|noise   global threads N
//   global fit    global export FILE    global plot N [residual]
// False when the statement is none of these; ScriptError when one of them is malformed. A
// well-formed statement that the set, a file or the settings refuse shows why in a message and
// changes nothing. A file named is the answer of the host's file dialog, as for a menu command.
bool GlobalFitStatement(Program& program, CliHost& host, std::string_view statement);

}  // namespace vorex
