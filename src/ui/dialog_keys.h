#pragma once

#include <QMainWindow>
#include <QObject>

namespace vorex::ui {

// While a dialog of the program has the focus, the main window's menus still answer the keys:
// Alt with a menu's letter opens that menu (the dialog's field does not get the letter), and the
// commands' shortcuts reach their commands even where a text field would take the key for itself.
// A modal window (a message, a file dialog) keeps its keys.
class DialogMenuKeys : public QObject {
 public:
  explicit DialogMenuKeys(QMainWindow& main);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* DialogOf(QObject* watched) const;
  bool IsMenuShortcut(const QKeySequence& keys) const;
  bool OpenMenu(QWidget* dialog, const QKeySequence& keys) const;

  QMainWindow& main_;
};

}  // namespace vorex::ui
