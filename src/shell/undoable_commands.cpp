#include "shell/undoable_commands.h"

namespace vorex {
namespace {

struct Undoable {
  std::string_view control;
  std::string_view label;
};

// The commands that change the settings or the curves; one line makes a command undoable.
constexpr Undoable kUndoable[] = {
    {"mnuOpenSettings", "Open Settings"},
    {"mnuImport", "Import Data"},
    {"mnuSimulate", "Simulate"},
    {"mnuClear", "Clear"},
    {"mnuSemi", "Semi-differentiate"},
    {"mnuSemiInte", "Semi-integrate"},
    {"mnuDerivative", "Differentiate"},
    {"mnuIntegral", "Integrate"},
    {"mnu1000X", "1000X"},
    {"mnu10X", "10X"},
    {"mnu01X", "0.1X"},
    {"mnu0001X", "0.001X"},
    {"mnuMinusX", "-X"},
    {"mnu1000Y", "1000Y"},
    {"mnu10Y", "10Y"},
    {"mnu01Y", "0.1Y"},
    {"mnu0001Y", "0.001Y"},
    {"mnuMinusY", "-Y"},
    {"mnuAcceptFit", "Accept Fitted Values"},
};

}  // namespace

std::optional<std::string_view> UndoLabel(std::string_view control) {
  for (const Undoable& u : kUndoable) {
    if (u.control == control) return u.label;
  }
  return std::nullopt;
}

}  // namespace vorex
