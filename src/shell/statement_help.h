#pragma once

#include <string>

namespace vorex {

// What `help` in a script and `vorex-cli --help` print: every form of statement with what it
// does, then the menu commands by control name from the command table (FILE after those that
// take a file name), so that a new menu item is listed without a word here.
std::string StatementHelp();

// What `help global` prints: the statements of the set of measured curves fitted together.
std::string GlobalStatementHelp();

}  // namespace vorex
