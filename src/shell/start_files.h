#pragma once

#include <string>

namespace vorex {

// The kinds of file the desktop program opens when it is started with them (a double-click on a
// project, a settings file or a script).
enum class StartFileKind { Project, Settings, Script };

// By the name's extension (.vorex a project, .vxs a script, .json settings); otherwise by the
// format its opening names; otherwise a settings file, whose reading then says what is wrong.
StartFileKind StartFileKindOf(const std::string& file);

}  // namespace vorex
