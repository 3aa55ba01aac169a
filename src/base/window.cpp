#include "base/window.h"

#include <cctype>

#include "base/desktop.h"

namespace vorex {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

Window::Window(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

void Window::Show() {
  if (desktop_ != nullptr) {
    desktop_->Show(*this);
  } else {
    SetVisible(true);
  }
}

void Window::Hide() {
  if (desktop_ != nullptr) {
    desktop_->Hide(*this);
  } else {
    SetVisible(false);
  }
}

void Window::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (observer) observer(*this, nullptr, ControlProperty::Visible);
}

Control& Window::Add(ControlKind kind, std::string name, int index) {
  controls_.push_back(std::make_unique<Control>(*this, kind, std::move(name), index));
  return *controls_.back();
}

Control* Window::Find(std::string_view name, int index) const {
  for (const auto& control : controls_) {
    if (control->Index() == index && SameName(control->Name(), name)) return control.get();
  }
  return nullptr;
}

bool Window::HasControlNamed(std::string_view name) const {
  for (const auto& control : controls_) {
    if (SameName(control->Name(), name)) return true;
  }
  return false;
}

void Window::Type(Control& control, std::string text) {
  control.SetText(std::move(text));
  if (control.onChange) control.onChange();
}

void Window::Choose(Control& control, int item) {
  control.SetListIndex(item);
  if (control.onChange) control.onChange();
}

void Window::Click(Control& control) {
  if (control.Kind() == ControlKind::CheckBox) {
    control.SetChecked(!control.Checked());
  } else if (control.Kind() == ControlKind::OptionButton) {
    for (const auto& other : controls_) {
      if (other->Kind() == ControlKind::OptionButton && other.get() != &control &&
          other->Group() == control.Group())
        other->SetChecked(false);
    }
    control.SetChecked(true);
  }
  if (control.onClick) control.onClick();
}

void Window::SetCheck(Control& control, bool checked) {
  if (control.Checked() != checked) Click(control);
}

void Window::NotifyChanged(const Control& control, ControlProperty property) {
  if (observer) observer(*this, &control, property);
}

}  // namespace vorex
