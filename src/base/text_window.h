#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/result_line.h"
#include "base/window.h"

namespace vorex {

// A window that text is printed into, line by line.
class TextWindow : public Window {
 public:
  using Window::Window;

  void Print(const ResultLine& line) { Print(line.str()); }
  void Print(const std::string& line);
  void Clear();
  const std::vector<std::string>& Lines() const { return lines_; }

  // Told of every printed line as it is printed (the command interface writes it out).
  std::function<void(const std::string&)> onPrint;
  // Told when the window is cleared (the desktop program empties its view).
  std::function<void()> onClear;

 private:
  std::vector<std::string> lines_;
};

// The result window: analysis and fit results are appended to it, each fit after a heading.
class FormResult : public TextWindow {
 public:
  FormResult() : TextWindow("FormResult", "Result") {}
};

}  // namespace vorex
