#pragma once

#include <functional>
#include <optional>
#include <string>

#include "experiment/settings_table.h"

namespace vorex {

class Control;
class Program;
class Settings;

// Runs `command` as one step that Undo takes back, called `label`: the state before it is kept
// when the command changed anything, so a refused command leaves no step. `withCurves` false
// keeps the settings alone (a dialog's field). A step run inside another is part of that one.
void RecordStep(Program& program, std::string label, bool withCurves,
                const std::function<void()>& command);
// A field of the settings changed in a dialog, outside any command; `before` holds the settings
// before it. Further changes of the same field join this step until another step is made.
void RecordFieldEdit(Program& program, FieldId id, const Settings& before);

// Edit > Undo and Redo: the state on the other side of the newest step, the dialogs and the plot
// following it. False when there is nothing to take back or a fit is running (said so).
bool UndoStepBack(Program& program);
bool RedoStepForward(Program& program);

// The Undo and Redo menu items name the step they would take back and are enabled only then.
void ShowUndoCaptions(Program& program);
// Why Undo or Redo is disabled, for a script or key that asks for it anyway; nothing for any other
// menu item.
std::optional<std::string> NothingToTakeBack(const Control& item);

}  // namespace vorex
