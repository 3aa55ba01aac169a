#include "ui/help_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vorex::ui {
namespace {

constexpr const char* kManual = "VorexDoc.htm";
constexpr const char* kWindowName = "VorexHelp";

// The main window that owns the help window: the outermost window above `widget`, so that the
// help window is not hidden or destroyed with a dialog it was asked from.
QWidget* Owner(QWidget* widget) {
  QWidget* top = widget != nullptr ? widget->window() : nullptr;
  while (top != nullptr && top->parentWidget() != nullptr) top = top->parentWidget()->window();
  return top;
}

// The help window of a program without a main window (kept for the rest of the run).
QPointer<QDialog>& Unowned() {
  static QPointer<QDialog> window;
  return window;
}

QDialog* Existing(QWidget* owner) {
  if (owner == nullptr) return Unowned();
  return owner->findChild<QDialog*>(kWindowName, Qt::FindDirectChildrenOnly);
}

QDialog* MakeHelpWindow(QWidget* owner, const QString& file) {
  auto* window = new QDialog(owner);
  window->setObjectName(kWindowName);
  window->setWindowTitle("Vorex Help");
  window->setWindowFlags(window->windowFlags() | Qt::WindowMinMaxButtonsHint);
  window->setModal(false);
  window->setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* browser = new QTextBrowser(window);
  browser->setObjectName("HelpBrowser");
  browser->setOpenExternalLinks(true);
  // The manual's own anchors (#fitting ...) are followed inside the browser.
  browser->setSource(QUrl::fromLocalFile(file));
  layout->addWidget(browser);
  window->resize(860, 700);
  if (owner == nullptr) Unowned() = window;
  return window;
}

}  // namespace

QStringList HelpFileCandidates() {
  return HelpFileCandidates(QCoreApplication::applicationDirPath());
}

QStringList HelpFileCandidates(const QString& programFolder) {
  // Beside the program, where the build copies it; then the installed share folder.
  const QDir programs(programFolder);
  QStringList candidates{programs.filePath(kManual),
                         QDir::cleanPath(programs.filePath(QString("../share/vorex/") + kManual))};
  candidates.removeDuplicates();
  return candidates;
}

QString HelpFilePath() {
  for (const QString& candidate : HelpFileCandidates()) {
    const QFileInfo info(candidate);
    if (info.isFile() && info.isReadable()) return info.absoluteFilePath();
  }
  return {};
}

void ShowHelp(QWidget* parent) {
  QWidget* owner = Owner(parent);
  QDialog* window = Existing(owner);
  if (window == nullptr) {
    const QString file = HelpFilePath();
    if (file.isEmpty()) {
      QMessageBox::warning(parent, "Vorex Help",
                           QString("The user manual %1 was not found. It was looked for in:\n\n%2")
                               .arg(kManual, HelpFileCandidates().join('\n')));
      return;
    }
    window = MakeHelpWindow(owner, file);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace vorex::ui
