#pragma once

#include <string_view>

#include "shell/import_command.h"

namespace vorex {

// Splits `mnuImport`'s argument into the file name and the import options that end it
// (`cycle=N`, `cycle=all`, `cycles`, `apply-settings`, `invert-current`, `abscissa=applied` or
// `abscissa=measured`, in any order), which go into `request`. Returns the file name; throws
// ScriptError for an option whose value is malformed.
std::string_view TakeImportOptions(std::string_view argument, ImportRequest& request);

}  // namespace vorex
