#include "base/text_window.h"

namespace vorex {

void TextWindow::Print(const std::string& line) {
  lines_.push_back(line);
  if (onPrint) onPrint(line);
}

void TextWindow::Clear() {
  lines_.clear();
  if (onClear) onClear();
}

}  // namespace vorex
