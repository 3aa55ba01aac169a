#include "ui/undo_keys.h"

#include <QKeySequence>

namespace vorex::ui {

void AddUndoKeys(QAction& undo, QAction& redo) {
  undo.setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  // Both spellings users bring from other programs.
  redo.setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  for (QAction* action : {&undo, &redo}) action->setShortcutContext(Qt::ApplicationShortcut);
}

}  // namespace vorex::ui
