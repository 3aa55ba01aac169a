#include "ui/project_menu.h"

#include <QSettings>

#include "shell/program.h"
#include "shell/project_session.h"
#include "shell/recent_files.h"

namespace vorex::ui {
namespace {

std::vector<std::string> Remembered() {
  // Added oldest first, so that the most recent ends first, as the list was written.
  const QStringList files = QSettings().value(ProjectMenu::kSettingsKey).toStringList();
  std::vector<std::string> list;
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    list = WithRecent(std::move(list), file->toStdString());
  }
  return list;
}

}  // namespace

ProjectMenu::ProjectMenu(Program& program, QMainWindow& window, QMenu& file, QAction* before,
                         std::function<void(const std::string&)> open)
    : program_(program),
      window_(window),
      recent_(new QMenu("&Recent Projects", &file)),
      open_(std::move(open)) {
  recent_->setObjectName("mnuRecentProjects");
  recent_->menuAction()->setObjectName("mnuRecentProjects");
  file.insertMenu(before, recent_);
  if (program_.project.recent.empty()) program_.project.recent = Remembered();
  Rebuild();
  Follow();
}

void ProjectMenu::Follow() {
  const std::string title =
      ProjectTitle(program_.mdiForm1.Caption(), program_.project.file, ProjectModified(program_));
  if (title != title_) {
    title_ = title;
    window_.setWindowTitle(QString::fromStdString(title));
  }
  if (program_.project.recent != shown_) Rebuild();
}

void ProjectMenu::Rebuild() {
  shown_ = program_.project.recent;
  // An item may be the one whose command is running: it goes once that command has returned.
  for (QAction* item : recent_->actions()) {
    recent_->removeAction(item);
    item->deleteLater();
  }
  QStringList files;
  int number = 0;
  for (const std::string& file : shown_) {
    const QString name = QString::fromStdString(file);
    files << name;
    QAction* item = recent_->addAction(QString("&%1 %2").arg(++number).arg(name));
    QObject::connect(item, &QAction::triggered, recent_, [this, file] { open_(file); });
  }
  recent_->setEnabled(!shown_.empty());
  QSettings().setValue(kSettingsKey, files);
}

}  // namespace vorex::ui
