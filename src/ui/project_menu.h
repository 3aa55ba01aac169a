#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QMenu>

namespace vorex {
class Program;
}

namespace vorex::ui {

// The desktop's side of projects: the Recent Projects submenu of the File menu, remembered from
// one run to the next, and the main window's title, which names the project's file and marks
// changes that are not saved with "*".
class ProjectMenu {
 public:
  // The submenu goes before `before` in `file`; `open` opens a project by its file name.
  ProjectMenu(Program& program, QMainWindow& window, QMenu& file, QAction* before,
              std::function<void(const std::string&)> open);

  // After each action: the title and the submenu follow the project.
  void Follow();

  // Where the list is remembered between runs (QSettings' key), and whether it is.
  static constexpr const char* kSettingsKey = "recentProjects";

 private:
  void Rebuild();

  Program& program_;
  QMainWindow& window_;
  QMenu* recent_;
  std::function<void(const std::string&)> open_;
  std::vector<std::string> shown_;  // the list the submenu shows
  std::string title_;
};

}  // namespace vorex::ui
