#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/model_dialog.h"
#include "ui/plot_view.h"
#include "ui/project_menu.h"
#include "ui/set_fit_window.h"
#include "ui/text_view.h"

namespace vorex {
class Program;
}

namespace vorex::ui {

class QtHost;

// The main window "Vorex for Windows": the menu bar built from the one command table, the plot
// and result windows inside its multiple-document area, and the modeless dialogs. Every widget
// mirrors its model in the state; the state itself is the caller's.
class MainWindow : public QMainWindow {
 public:
  MainWindow(Program& program, QtHost& host);
  ~MainWindow() override;

  // The menu item or menu of a control name of the table (for the tests and the screenshots).
  QAction* MenuAction(const std::string& control) const;
  PlotView& Plot() const { return *plotView_; }
  QWidget* Dialog(const std::string& windowName) const;
  // Runs a menu command as the menu does.
  void Invoke(const std::string& control);
  // Runs an action on the models as a command is run: faults reported, the windows following.
  void RunAction(const std::function<void()>& action);
  // Runs a menu command that asks for a file to open with `file` as the answer (a file the
  // program was started with, or dropped on it), exactly as when the user picks it.
  void InvokeWithFile(const std::string& control, const std::string& file);

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildMenus();
  void AddShortcuts();
  void AddWindowMenu();
  void ExploreThePlot();
  void PlaceSideBySide();
  void RaiseWhatChanged();
  void FollowChoices();
  QMdiSubWindow* AddSubWindow(Window& model, QWidget* content);
  void AfterAction();

  Program& program_;
  QtHost& host_;
  QMdiArea* area_;
  std::map<std::string, QAction*> actions_;
  std::unique_ptr<WindowBinding> menuBinding_;
  std::unique_ptr<ProjectMenu> projectMenu_;
  PlotView* plotView_ = nullptr;
  SetFitWindow* setWindow_ = nullptr;  // one of dialogs_
  std::map<const Window*, QMdiSubWindow*> subWindows_;
  std::vector<std::unique_ptr<WindowBinding>> subBindings_;
  std::map<std::string, std::unique_ptr<ModelDialog>> dialogs_;
  bool placed_ = false;       // the windows were laid out side by side on the first show
  bool printed_ = false;      // the last action printed into the result window...
  std::size_t drawings_ = 0;  // ...or drew the plot (the picture's count of drawings)
  std::string choices_;       // the technique and mechanism options as last seen
};

}  // namespace vorex::ui
