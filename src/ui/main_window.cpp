#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "shell/program.h"
#include "ui/curve_rename.h"
#include "ui/dialog_keys.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/plot_menu.h"
#include "ui/plot_zoom.h"
#include "ui/qt_host.h"
#include "ui/undo_keys.h"
#include "ui/window_placement.h"

namespace vorex::ui {
namespace {

// An MDI child whose close button hides its model, which keeps its content.
class ModelSubWindow : public QMdiSubWindow {
 public:
  explicit ModelSubWindow(Window& model) : model_(model) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    Guarded([this] { model_.Hide(); });
    e->ignore();
  }

 private:
  Window& model_;
};

// The about box: its text and a button that hides it.
std::unique_ptr<ModelDialog> MakeAboutDialog(Program& program, QWidget* parent,
                                             std::function<void()> afterAction) {
  auto dialog = std::make_unique<ModelDialog>(program.formAbout, program.desktop, parent,
                                              std::move(afterAction));
  auto* layout = new QVBoxLayout(dialog.get());
  auto* text = new TextView(program.formAbout, dialog.get());
  text->setMinimumSize(440, 140);
  layout->addWidget(text);
  auto* ok = new QPushButton("OK", dialog.get());
  QObject::connect(ok, &QPushButton::clicked, dialog.get(), [d = dialog.get()] { d->reject(); });
  layout->addWidget(ok, 0, Qt::AlignRight);
  dialog->Finish();
  return dialog;
}

// A small voltammogram: the icon of the program's windows.
QIcon VorexIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::darkBlue, 2));
  QPainterPath wave(QPointF(2, 20));
  wave.cubicTo(QPointF(12, 20), QPointF(12, 4), QPointF(17, 6));
  wave.cubicTo(QPointF(21, 8), QPointF(24, 15), QPointF(30, 15));
  painter.drawPath(wave);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(0, 0, 31, 31);
  return QIcon(pixmap);
}

// Which technique and mechanism options are selected: the Experimental dialog's rows follow them.
std::string Choices(const Program& program) {
  std::string marks;
  const Window* windows[] = {&program.experiment.formTech, &program.experiment.formMech};
  for (const Window* w : windows) {
    for (const auto& control : w->Controls()) marks += control->Checked() ? '1' : '0';
  }
  return marks;
}

}  // namespace

MainWindow::MainWindow(Program& program, QtHost& host)
    : program_(program), host_(host), area_(new QMdiArea(this)) {
  setObjectName("MDIForm1");
  QApplication::setWindowIcon(VorexIcon());
  setCentralWidget(area_);
  const auto after = [this] { AfterAction(); };
  BuildMenus();
  AddShortcuts();
  AddWindowMenu();
  setAcceptDrops(true);
  qApp->installEventFilter(new DialogMenuKeys(*this));

  plotView_ = new PlotView(program_.plot.formPlot.picture, nullptr);
  // Drawn again at a new size, the plot is no command's drawing: it stays where it is in the
  // stack (Cascade resizes it below the result window).
  plotView_->onResized = [this] {
    menuBinding_->Run([this] {
      program_.mdiForm1.FormPlot_Resize();
      drawings_ = program_.plot.formPlot.picture.Drawings();
    });
  };
  ExploreThePlot();
  AddSubWindow(program_.plot.formPlot, plotView_)->resize(660, 500);
  auto* result = new TextView(program_.formResult, nullptr);
  AddSubWindow(program_.formResult, result)->resize(520, 300);
  // The result window comes to the front when a command prints; the plot keeps the focus.
  program_.formResult.onPrint =
      [this, show = std::move(program_.formResult.onPrint)](const std::string& line) {
        printed_ = true;
        show(line);
      };

  dialogs_["FormTech"] = MakeTechniquesDialog(program_, this, after);
  dialogs_["FormMech"] = MakeMechanismDialog(program_, this, after);
  dialogs_["FormExpr"] = MakeExperimentalDialog(program_, this, after);
  dialogs_["formOption"] = MakeOptionDialog(program_, this, after);
  dialogs_["FormAbout"] = MakeAboutDialog(program_, this, after);
  dialogs_["FormCut"] = MakeCutDialog(program_, this, after);
  dialogs_["FormBackground"] = MakeBackgroundDialog(program_, this, after);
  auto set = std::make_unique<SetFitWindow>(program_, this, after);
  setWindow_ = set.get();
  dialogs_["FormGlobalFit"] = std::move(set);

  QObject::connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    for (const auto& [model, window] : subWindows_) {
      if (window == sub && model->Visible()) {
        Guarded([this, m = const_cast<Window*>(model)] { program_.desktop.Focus(*m); });
      }
    }
  });
  host.Attach(this, plotView_);
  projectMenu_ = std::make_unique<ProjectMenu>(
      program_, *this, *actions_.at("mnuFile")->menu(), actions_.at("mnuBarProject"),
      [this](const std::string& file) { InvokeWithFile("mnuOpenProject", file); });
  choices_ = Choices(program_);
  drawings_ = program_.plot.formPlot.picture.Drawings();
  resize(1100, 760);
}

MainWindow::~MainWindow() {
  // The widgets are closed after this body, when the members are gone already.
  QObject::disconnect(area_, nullptr, this, nullptr);
  // The models outlive the widgets: they must not call into them afterwards.
  for (Window* w : program_.desktop.Windows()) w->observer = nullptr;
  program_.formResult.onPrint = nullptr;
  program_.formResult.onClear = nullptr;
  program_.formAbout.onPrint = nullptr;
  program_.formAbout.onClear = nullptr;
}

void MainWindow::BuildMenus() {
  menuBinding_ =
      std::make_unique<WindowBinding>(program_.mdiForm1, *this, [this] { AfterAction(); });
  std::map<std::string, QMenu*> menus;
  for (const MenuEntry& entry : MenuTable()) {
    const std::string control(entry.control);
    const QString caption = QString::fromUtf8(entry.caption.data(), entry.caption.size());
    QAction* action = nullptr;
    if (entry.parent.empty()) {
      QMenu* menu = menuBar()->addMenu(caption);
      menu->setObjectName(QString::fromStdString(control));
      menus[control] = menu;
      action = menu->menuAction();
    } else if (entry.caption == "-") {
      action = menus[std::string(entry.parent)]->addSeparator();
    } else {
      action = menus[std::string(entry.parent)]->addAction(caption);
      QObject::connect(action, &QAction::triggered, this, [this, control] { Invoke(control); });
    }
    action->setObjectName(QString::fromStdString(control));
    actions_[control] = action;
  }
  // The menu items follow their models: the Display and Analysis menus are enabled by the model,
  // Undo and Redo name what they take back.
  const auto sync = [this] {
    for (const auto& [name, action] : actions_) {
      const Control* item = program_.mdiForm1.Find(name);
      action->setEnabled(item->Enabled());
      action->setVisible(item->Visible());
      if (!action->isSeparator()) action->setText(QString::fromStdString(item->Caption()));
    }
  };
  sync();
  program_.mdiForm1.observer = [sync](const Window&, const Control*, ControlProperty) { sync(); };
  setWindowTitle(QString::fromStdString(program_.mdiForm1.Caption()));
}

QMdiSubWindow* MainWindow::AddSubWindow(Window& model, QWidget* content) {
  auto* sub = new ModelSubWindow(model);
  sub->setWidget(content);
  sub->setObjectName(QString::fromStdString(model.Name()));
  area_->addSubWindow(sub);
  subWindows_[&model] = sub;
  auto binding = std::make_unique<WindowBinding>(model, *sub, [this] { AfterAction(); });
  binding->SyncVisibility();
  if (!model.Visible()) sub->hide();
  subBindings_.push_back(std::move(binding));
  return sub;
}

QAction* MainWindow::MenuAction(const std::string& control) const {
  const auto found = actions_.find(control);
  return found == actions_.end() ? nullptr : found->second;
}

QWidget* MainWindow::Dialog(const std::string& windowName) const {
  const auto found = dialogs_.find(windowName);
  return found == dialogs_.end() ? nullptr : found->second.get();
}

void MainWindow::Invoke(const std::string& control) {
  Control* item = program_.mdiForm1.Find(control);
  if (item == nullptr) return;
  menuBinding_->Run([this, item] { program_.mdiForm1.Invoke(*item); });
}

void MainWindow::RunAction(const std::function<void()>& action) {
  menuBinding_->Run(action);
}

void MainWindow::InvokeWithFile(const std::string& control, const std::string& file) {
  host_.OfferFile(file);
  Invoke(control);
  host_.ForgetOfferedFile();
}

// After each action the plot window shows the picture as it is now, the window that changed
// comes to the front, an open Experimental dialog follows a new technique or mechanism, an open
// Fit Several Curves window follows the set and the dialog, and Exit ends the program.
void MainWindow::AfterAction() {
  plotView_->update();
  setWindow_->Refresh();
  RaiseWhatChanged();
  FollowChoices();
  if (projectMenu_) projectMenu_->Follow();
  if (program_.exitRequested) QApplication::exit(0);
}

// A command that printed or drew brings to the front the window it showed last (a drawing shows
// the plot window): the lines of Import Data (drawn, then the result window shown), the curve of
// Semi-differentiate (printed, then drawn).
void MainWindow::RaiseWhatChanged() {
  const std::size_t drawings = program_.plot.formPlot.picture.Drawings();
  const bool drew = drawings != drawings_;
  drawings_ = drawings;
  if (!drew && !printed_) return;
  printed_ = false;
  Window* last = program_.desktop.Active();
  if (last != &program_.plot.formPlot && last != &program_.formResult) {
    last = drew ? static_cast<Window*>(&program_.plot.formPlot) : &program_.formResult;
  }
  if (last->Visible()) subWindows_[last]->raise();
}

void MainWindow::FollowChoices() {
  const std::string choices = Choices(program_);
  if (choices == choices_) return;
  choices_ = choices;
  if (program_.experiment.formExpr.Visible())
    Guarded([this] { program_.experiment.formExpr.Activate(); });
}

bool MainWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    Guarded([this] { program_.desktop.Focus(program_.mdiForm1); });
  }
  return QMainWindow::event(e);
}

// The status bar reads out the point under the mouse; a zoom and the way back go through the
// Option dialog's ranges, as if typed there; so does a pan. The context menu runs commands as the
// menu does.
void MainWindow::ExploreThePlot() {
  // The status bar is there from the start, one line high, so that neither the first readout
  // nor a longer one makes the plot window shorter.
  QStatusBar* bar = statusBar();
  bar->setFixedHeight(bar->sizeHint().height());
  plotView_->onReadout = [bar](const QString& text) { bar->showMessage(text); };
  plotView_->onZoom = [this](double xMin, double xMax, double yMin, double yMax) {
    menuBinding_->Run([=, this] { ZoomPlot(program_, xMin, xMax, yMin, yMax); });
  };
  plotView_->onAutoRange = [this] { menuBinding_->Run([this] { AutoRanges(program_); }); };
  plotView_->makeMenu = [this] {
    return MakePlotMenu(program_, plotView_,
                        {[this](const std::string& c) { return MenuAction(c); },
                         [this](const std::function<void()>& f) { menuBinding_->Run(f); }});
  };
  plotView_->onRenameCurve = [this](int curve) {
    menuBinding_->Run([=, this] { AskCurveName(this, program_, curve); });
  };
}

void MainWindow::AddShortcuts() {
  const std::pair<const char*, QKeySequence> keys[] = {
      {"mnuSimulate", Qt::Key_F5},
      {"mnuImport", QKeySequence::Open},
      {"mnuExport", Qt::CTRL | Qt::Key_E},
      {"mnuSave", QKeySequence::Save},
      {"mnuOpenSettings", Qt::CTRL | Qt::SHIFT | Qt::Key_O},
      {"mnuSaveSettings", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
  };
  for (const auto& [control, key] : keys) {
    QAction* action = actions_.at(control);
    action->setShortcut(key);
    // The dialogs are windows of their own: the keys work there too.
    action->setShortcutContext(Qt::ApplicationShortcut);
  }
  AddUndoKeys(*actions_.at("mnuUndo"), *actions_.at("mnuRedo"));
}

// Additions to the menu bar: the Window menu before Help, and the manual at the end of Help;
// every item of the table keeps its place.
void MainWindow::AddWindowMenu() {
  auto* menu = new QMenu("&Window", this);
  menu->setObjectName("mnuWindow");
  menu->menuAction()->setObjectName("mnuWindow");
  QAction* tile = menu->addAction("&Tile", area_, &QMdiArea::tileSubWindows);
  tile->setObjectName("mnuTile");
  QAction* cascade = menu->addAction("&Cascade", this, [this] { CascadeReachably(*area_); });
  cascade->setObjectName("mnuCascade");
  menuBar()->insertMenu(actions_.at("mnuHelp"), menu);
  // The manual, after About... in the Help menu.
  QMenu* help = actions_.at("mnuHelp")->menu();
  QAction* manual = help->addAction("Vorex &Help", this, [this] { ShowHelp(this); });
  manual->setObjectName("mnuVorexHelp");
  manual->setShortcut(QKeySequence::HelpContents);
  manual->setShortcutContext(Qt::ApplicationShortcut);
}

// The plot on the left, the result window on the right, both the area's height.
void MainWindow::PlaceSideBySide() {
  const QSize area = area_->viewport()->size();
  const int plotWidth = area.width() * 3 / 5;
  subWindows_[&program_.plot.formPlot]->setGeometry(0, 0, plotWidth, area.height());
  subWindows_[&program_.formResult]->setGeometry(plotWidth, 0, area.width() - plotWidth,
                                                 area.height());
}

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (placed_) return;
  placed_ = true;
  PlaceSideBySide();
}

// A data file dropped on the window is imported as Import Data imports the file the user picks.
void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
  const QList<QUrl> urls = e->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() &&
      QFileInfo(urls.front().toLocalFile()).isFile()) {
    e->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* e) {
  const QList<QUrl> urls = e->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  e->acceptProposedAction();
  InvokeWithFile("mnuImport", urls.front().toLocalFile().toStdString());
}

// Closing the main window is Exit: changes not saved are offered first, and Cancel keeps it open.
void MainWindow::closeEvent(QCloseEvent* e) {
  Invoke("mnuExit");
  if (!program_.exitRequested) {
    e->ignore();
    return;
  }
  e->accept();
  QApplication::exit(0);
}

}  // namespace vorex::ui
