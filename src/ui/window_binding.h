#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include <QLabel>
#include <QString>
#include <QWidget>

#include "base/window.h"

namespace vorex::ui {

// Runs a user's action on the models. Nothing thrown leaves it, since an exception must not cross
// a slot: an unexpected one is shown in a message box and the program goes on.
void Guarded(const std::function<void()>& action);

// Static text of a dialog as it is drawn: the rate constants get their subscripts.
QString HeaderText(const std::string& label);

// Mirrors one window model in widgets. Each control gets one widget that follows every change
// of the model (text, caption, visible, enabled, read-only, check, list item), and each user
// edit goes to the model as the user makes it (Window::Type, Click, Choose, SetCheck), so that
// the change operations run as they do in the command interface.
class WindowBinding {
 public:
  // `view` is what shows and hides with the model (a dialog or an MDI subwindow); after every
  // action of the user `afterAction` runs (the main window refreshes the plot and the menus).
  WindowBinding(Window& model, QWidget& view, std::function<void()> afterAction);
  WindowBinding(const WindowBinding&) = delete;
  WindowBinding& operator=(const WindowBinding&) = delete;

  Window& Model() const { return model_; }
  QWidget& View() const { return view_; }

  // The widget of a control, made with `parent` the first time (a frame is a group box).
  QWidget* Widget(Control& control, QWidget* parent);
  QWidget* Widget(const std::string& name, int index, QWidget* parent);
  // A static label that is shown while any of the controls is shown (a column header, or the
  // caption of one field).
  QLabel* Label(const QString& text, std::vector<const Control*> owners, QWidget* parent);
  // The caption of a field beside it, from the field's own label text.
  QLabel* LabelOf(Control& control, QWidget* parent);

  // Runs `follow` after the widget of `control` took a change of the model's text, caption or
  // visible flag, and in SyncAll: for a widget of the dialog's own that shows what the model
  // derives from that control (the table of a written mechanism's text).
  void Follow(const Control& control, std::function<void()> follow);

  // Brings every widget to the model's state (after the layout is built).
  void SyncAll();
  // The model shows or hides the window; the view follows.
  void SyncVisibility();
  void Run(const std::function<void()>& action) const;

 private:
  QWidget* Make(Control& control, QWidget* parent);
  void Connect(Control& control, QWidget* widget);
  void Sync(const Control& control, ControlProperty property);
  void SyncLabels(const Control& control);

  Window& model_;
  QWidget& view_;
  std::function<void()> afterAction_;
  std::map<const Control*, QWidget*> widgets_;
  struct Follower {
    QLabel* label;
    std::vector<const Control*> owners;
  };
  std::vector<Follower> labels_;
  std::vector<std::pair<const Control*, std::function<void()>>> follows_;
};

}  // namespace vorex::ui
