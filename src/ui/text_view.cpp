#include "ui/text_view.h"

#include <QFontDatabase>
#include <QScrollBar>

namespace vorex::ui {

TextView::TextView(TextWindow& model, QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QString::fromStdString(model.Name()) + "Text");
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  for (const std::string& line : model.Lines()) appendPlainText(QString::fromStdString(line));
  model.onPrint = [this](const std::string& line) {
    appendPlainText(QString::fromStdString(line));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  };
  model.onClear = [this] { clear(); };
}

}  // namespace vorex::ui
