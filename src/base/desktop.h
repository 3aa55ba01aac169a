#pragma once

#include <string_view>
#include <vector>

#include "base/window.h"

namespace vorex {

// The windows of one run and which of them is active. A window becomes active when it is shown
// or when the user turns to it, and its activation operation runs each time that happens.
class Desktop {
 public:
  void Register(Window& window);
  Window* Find(std::string_view name) const;  // case-insensitive
  const std::vector<Window*>& Windows() const { return windows_; }

  void Show(Window& window);
  void Hide(Window& window);
  // The user turns to a window: it becomes active, and its activation runs if it was not.
  void Focus(Window& window);
  Window* Active() const { return active_; }

 private:
  std::vector<Window*> windows_;
  Window* active_ = nullptr;
};

}  // namespace vorex
