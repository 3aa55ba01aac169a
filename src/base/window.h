#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/control.h"

namespace vorex {

class Desktop;

// A window or dialog as a model: its caption, visibility and controls, and the user's actions on
// them. Each action changes the control as a keystroke or click would and then runs the
// control's event operation, so the desktop program and the command interface behave alike.
class Window {
 public:
  Window(std::string name, std::string caption);
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  bool Visible() const { return visible_; }

  // Shows the window and makes it the active one (running its activation when it was not);
  // Hide only hides. Both go through the desktop the window belongs to.
  void Show();
  void Hide();
  // The activation operation, run each time the window becomes the active one.
  virtual void Activate() {}

  Control& Add(ControlKind kind, std::string name, int index = Control::kNoIndex);
  // Case-insensitive, as control names are in scripts; nullptr when there is none.
  Control* Find(std::string_view name, int index = Control::kNoIndex) const;
  bool HasControlNamed(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // The user's actions.
  void Type(Control& control, std::string text);  // a text box's text, then its change
  void Choose(Control& control, int item);        // a list item, then the list's change
  void Click(Control& control);                   // toggles a check box, selects an option
  void SetCheck(Control& control, bool checked);  // a check box to a state; clicks on change

  // Mirrors: told of every change of a control property, and of the window's visibility (with
  // no control).
  std::function<void(const Window&, const Control*, ControlProperty)> observer;
  void NotifyChanged(const Control& control, ControlProperty property);

 private:
  friend class Desktop;
  void SetVisible(bool visible);

  std::string name_;
  std::string caption_;
  bool visible_ = false;
  Desktop* desktop_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
};

bool SameName(std::string_view a, std::string_view b);

}  // namespace vorex
