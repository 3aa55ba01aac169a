#include "base/desktop.h"

namespace vorex {

void Desktop::Register(Window& window) {
  window.desktop_ = this;
  windows_.push_back(&window);
}

Window* Desktop::Find(std::string_view name) const {
  for (Window* window : windows_) {
    if (SameName(window->Name(), name)) return window;
  }
  return nullptr;
}

void Desktop::Show(Window& window) {
  window.SetVisible(true);
  Focus(window);
}

void Desktop::Hide(Window& window) {
  window.SetVisible(false);
  if (active_ == &window) active_ = nullptr;
}

void Desktop::Focus(Window& window) {
  if (active_ == &window) return;
  active_ = &window;
  window.Activate();
}

}  // namespace vorex
