#include "ui/dialog_keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace vorex::ui {
namespace {

QKeySequence Keys(const QKeyEvent& e) {
  return QKeySequence(e.keyCombination());
}

// A dialog's own mnemonic (a button's or a label's "&X") stays the dialog's.
bool DialogHasMnemonic(const QWidget& dialog, const QKeySequence& keys) {
  for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
    if (QKeySequence::mnemonic(b->text()) == keys) return true;
  }
  for (const QLabel* l : dialog.findChildren<QLabel*>()) {
    if (l->buddy() != nullptr && QKeySequence::mnemonic(l->text()) == keys) return true;
  }
  return false;
}

}  // namespace

DialogMenuKeys::DialogMenuKeys(QMainWindow& main) : QObject(&main), main_(main) {}

QWidget* DialogMenuKeys::DialogOf(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return nullptr;
  QWidget* window = widget->window();
  if (window == &main_ || window->isModal() || window->parentWidget() != &main_) return nullptr;
  return window;
}

bool DialogMenuKeys::IsMenuShortcut(const QKeySequence& keys) const {
  for (const QAction* action : main_.findChildren<QAction*>()) {
    if (action->isEnabled() && action->shortcuts().contains(keys)) return true;
  }
  return false;
}

bool DialogMenuKeys::OpenMenu(QWidget* dialog, const QKeySequence& keys) const {
  if (DialogHasMnemonic(*dialog, keys)) return false;
  for (QAction* menu : main_.menuBar()->actions()) {
    if (!menu->isVisible() || !menu->isEnabled() || menu->menu() == nullptr) continue;
    if (QKeySequence::mnemonic(menu->text()) != keys) continue;
    main_.raise();
    main_.activateWindow();
    main_.menuBar()->setActiveAction(menu);
    return true;
  }
  return false;
}

bool DialogMenuKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
  QWidget* dialog = DialogOf(watched);
  if (dialog == nullptr) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  const QKeySequence keys = Keys(key);
  if (type == QEvent::ShortcutOverride) {
    // Left unaccepted, the override lets the shortcut map run the command.
    if (!IsMenuShortcut(keys)) return false;
    event->ignore();
    return true;
  }
  if (key.modifiers() != Qt::AltModifier) return false;
  return OpenMenu(dialog, keys);
}

}  // namespace vorex::ui
