#pragma once

#include <QAction>

namespace vorex::ui {

// Edit > Undo answers Ctrl+Z, Redo both Ctrl+Shift+Z and Ctrl+Y, in the dialogs too.
void AddUndoKeys(QAction& undo, QAction& redo);

}  // namespace vorex::ui
