#include "ui/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStringList>
#include <QTime>

#include "base/file_writing.h"
#include "ui/plot_painter.h"
#include "ui/plot_view.h"

namespace vorex::ui {

void QtHost::MessageBox(const std::string& text) {
  Message(text, MessageKind::Information);
}

void QtHost::Message(const std::string& text, MessageKind kind) {
  QWidget* parent =
      QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : mainWindow_;
  // The message waits for the user even while the wait cursor is up.
  if (busy_ > 0) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const QString shown = QString::fromStdString(text);
  switch (kind) {
    case MessageKind::Information:
      QMessageBox::information(parent, "Vorex", shown);
      break;
    case MessageKind::Warning:
      QMessageBox::warning(parent, "Vorex", shown);
      break;
    case MessageKind::Critical:
      QMessageBox::critical(parent, "Vorex", shown);
      break;
  }
  if (busy_ > 0) QApplication::restoreOverrideCursor();
}

void QtHost::StatusLine(const std::string& text) {
  constexpr int kShownMs = 8000;
  if (auto* main = qobject_cast<QMainWindow*>(mainWindow_)) {
    main->statusBar()->showMessage(QString::fromStdString(text), kShownMs);
  }
}

QString QtHost::DialogFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString pattern = " (" + parts[i + 1] + ")";
    entries << (parts[i].endsWith(pattern) ? parts[i] : parts[i] + pattern);
  }
  return entries.join(";;");
}

std::optional<std::string> QtHost::OpenFileName(const std::string& filter) {
  if (script_ != nullptr) return script_->OpenFileName(filter);
  if (droppedFile_) {
    std::optional<std::string> file = std::move(droppedFile_);
    droppedFile_.reset();
    return file;
  }
  const QString file =
      QFileDialog::getOpenFileName(mainWindow_, "Open", lastFolder_, DialogFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  lastFolder_ = QFileInfo(file).absolutePath();
  return file.toStdString();
}

// Over the window the user works in (the Fit Several Curves window, say), not behind it.
std::vector<std::string> QtHost::OpenFileNames(const std::string& filter) {
  if (script_ != nullptr) return script_->OpenFileNames(filter);
  QWidget* parent =
      QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : mainWindow_;
  const QStringList files =
      QFileDialog::getOpenFileNames(parent, "Open", lastFolder_, DialogFilter(filter));
  std::vector<std::string> names;
  for (const QString& file : files) names.push_back(file.toStdString());
  if (!files.isEmpty()) lastFolder_ = QFileInfo(files.front()).absolutePath();
  return names;
}

std::optional<std::string> QtHost::SaveFileName(const std::string& filter) {
  if (script_ != nullptr) return script_->SaveFileName(filter);
  QString chosen;
  const QString file = QFileDialog::getSaveFileName(mainWindow_, "Save As", lastFolder_,
                                                    DialogFilter(filter), &chosen);
  if (file.isEmpty()) return std::nullopt;
  lastFolder_ = QFileInfo(file).absolutePath();
  return WithFilterSuffix(file, chosen).toStdString();
}

QString QtHost::WithFilterSuffix(const QString& file, const QString& filter) {
  if (!QFileInfo(file).suffix().isEmpty()) return file;
  // "csv (*.csv)" gives ".csv"; "all (*.*)" and several patterns give nothing to add.
  static const QRegularExpression single(R"(\(\*\.([A-Za-z0-9]+)\)$)");
  const QRegularExpressionMatch match = single.match(filter);
  return match.hasMatch() ? file + "." + match.captured(1) : file;
}

void QtHost::OfferFile(const std::string& file) {
  droppedFile_ = file;
}

void QtHost::ForgetOfferedFile() {
  droppedFile_.reset();
}

std::optional<int> QtHost::ChooseItem(const std::string& title,
                                      const std::vector<std::string>& items, int preselected) {
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  bool ok = false;
  // Over the window that asked (Import Data's main window, the Fit Several Curves window).
  QWidget* parent =
      QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : mainWindow_;
  const QString chosen = QInputDialog::getItem(parent, "Vorex", QString::fromStdString(title), list,
                                               preselected, false, &ok);
  if (!ok) return std::nullopt;
  const qsizetype index = list.indexOf(chosen);
  if (index < 0) return std::nullopt;
  return static_cast<int>(index);
}

bool QtHost::Confirm(const std::string& question) {
  return QMessageBox::question(mainWindow_, "Vorex", QString::fromStdString(question),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

Host::Answer QtHost::AskYesNoCancel(const std::string& question) {
  const auto answer = QMessageBox::question(
      mainWindow_, "Vorex", QString::fromStdString(question),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return Answer::Yes;
  return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

double QtHost::SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtHost::SetBusy(bool busy) {
  if (busy) {
    ++busy_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busy_ > 0) {
    --busy_;
    QApplication::restoreOverrideCursor();
  }
}

QSize QtHost::PlotSize() const {
  return plot_ != nullptr ? plot_->size() : QSize(640, 480);
}

void QtHost::CopyPicture(const DrawingList& picture) {
  if (script_ != nullptr) return script_->CopyPicture(picture);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setImage(PictureImage(picture, PlotSize()));
}

std::optional<std::string> QtHost::PrintOn(const DrawingList& picture, QPrinter& printer) const {
  // Printing to a file goes through memory, so that a full disk cannot leave half a document in
  // place of a good one; a printer reports whether it took the page.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    const QByteArray bytes = PdfDocument(picture, printer.pageLayout(), PlotSize());
    if (bytes.isEmpty()) return "the page could not be drawn";
    return WriteFileAtomically(
        printer.outputFileName().toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  if (!vorex::ui::PrintPicture(picture, printer, PlotSize())) return "the printer did not start";
  return std::nullopt;
}

void QtHost::PrintPicture(const DrawingList& picture) {
  if (script_ != nullptr) return script_->PrintPicture(picture);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, mainWindow_);
  if (dialog.exec() != QDialog::Accepted) return;
  if (const auto failure = PrintOn(picture, printer)) {
    Message("The plot could not be printed: " + *failure + ".", MessageKind::Critical);
  }
}

}  // namespace vorex::ui
