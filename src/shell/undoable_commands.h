#pragma once

#include <optional>
#include <string_view>

namespace vorex {

// What Undo calls the step a menu command makes ("Import Data" for mnuImport), or nothing for a
// command that is not undone (one that only shows, prints or saves).
std::optional<std::string_view> UndoLabel(std::string_view control);

}  // namespace vorex
