#pragma once

#include <QPlainTextEdit>

#include "base/text_window.h"

namespace vorex::ui {

// A text window's lines in a read-only view with a fixed-width font, so that the print zones of
// the result lines stay in columns.
class TextView : public QPlainTextEdit {
 public:
  TextView(TextWindow& model, QWidget* parent);
};

}  // namespace vorex::ui
