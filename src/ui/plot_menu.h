#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace vorex {
class Program;
}

namespace vorex::ui {

// What the plot's context menu needs of the main window: its menu action of a control name (none
// when the menu has no such item) and the way it runs a command (as the menu does).
struct PlotMenuHost {
  std::function<QAction*(const std::string&)> action;
  std::function<void(const std::function<void()>&)> run;
};

// The plot window's context menu: "Copy" and "Export Plot..." as the main menu has them,
// "Reset Zoom" (the automatic ranges), "Log |I|" and "Axis Titles...".
std::unique_ptr<QMenu> MakePlotMenu(Program& program, QWidget* parent, const PlotMenuHost& host);

// The small dialog of the two axis titles; true when the user took them.
bool AskAxisTitles(QWidget* parent, std::string& x, std::string& y);

}  // namespace vorex::ui
