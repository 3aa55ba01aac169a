#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/vorex24a1.h"
#include "ui/dialogs.h"
#include "ui/qt_host.h"

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
std::unique_ptr<ModelDialog> MakeAboutDialog(VOREX24A1& state, QWidget* parent,
                                             std::function<void()> afterAction) {
  auto dialog =
      std::make_unique<ModelDialog>(state.formAbout, state.desktop, parent, std::move(afterAction));
  auto* layout = new QVBoxLayout(dialog.get());
  auto* text = new TextView(state.formAbout, dialog.get());
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

}  // namespace

MainWindow::MainWindow(VOREX24A1& state, QtHost& host) : state_(state), area_(new QMdiArea(this)) {
  setObjectName("MDIForm1");
  QApplication::setWindowIcon(VorexIcon());
  setCentralWidget(area_);
  const auto after = [this] { AfterAction(); };
  BuildMenus();

  plotView_ = new PlotView(state_.formPlot.picture, nullptr);
  plotView_->onResized = [this] {
    menuBinding_->Run([this] { state_.mdiForm1.FormPlot_Resize(); });
  };
  AddSubWindow(state_.formPlot, plotView_)->resize(660, 500);
  auto* result = new TextView(state_.formResult, nullptr);
  AddSubWindow(state_.formResult, result)->resize(520, 300);

  dialogs_["FormTech"] = MakeTechniquesDialog(state_, this, after);
  dialogs_["FormMech"] = MakeMechanismDialog(state_, this, after);
  dialogs_["FormExpr"] = MakeExperimentalDialog(state_, this, after);
  dialogs_["formOption"] = MakeOptionDialog(state_, this, after);
  dialogs_["FormAbout"] = MakeAboutDialog(state_, this, after);

  QObject::connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    for (const auto& [model, window] : subWindows_) {
      if (window == sub && model->Visible()) {
        Guarded([this, m = const_cast<Window*>(model)] { state_.desktop.Focus(*m); });
      }
    }
  });
  host.Attach(this, plotView_);
  resize(1100, 760);
}

MainWindow::~MainWindow() {
  // The widgets are closed after this body, when the members are gone already.
  QObject::disconnect(area_, nullptr, this, nullptr);
  // The models outlive the widgets: they must not call into them afterwards.
  for (Window* w : state_.desktop.Windows()) w->observer = nullptr;
  state_.formResult.onPrint = nullptr;
  state_.formResult.onClear = nullptr;
  state_.formAbout.onPrint = nullptr;
  state_.formAbout.onClear = nullptr;
}

void MainWindow::BuildMenus() {
  menuBinding_ = std::make_unique<WindowBinding>(state_.mdiForm1, *this, [this] { AfterAction(); });
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
  // The menu items follow their models: the Display and Analysis menus are enabled by the model.
  const auto sync = [this] {
    for (const auto& [name, action] : actions_) {
      const Control* item = state_.mdiForm1.Find(name);
      action->setEnabled(item->Enabled());
      action->setVisible(item->Visible());
    }
  };
  sync();
  state_.mdiForm1.observer = [sync](const Window&, const Control*, ControlProperty) { sync(); };
  setWindowTitle(QString::fromStdString(state_.mdiForm1.Caption()));
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
  Control* item = state_.mdiForm1.Find(control);
  if (item == nullptr) return;
  menuBinding_->Run([this, item] { state_.mdiForm1.Invoke(*item); });
}

// After each action the plot window shows the picture as it is now, and Exit ends the program.
void MainWindow::AfterAction() {
  plotView_->update();
  if (state_.exitRequested) QApplication::exit(0);
}

bool MainWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    Guarded([this] { state_.desktop.Focus(state_.mdiForm1); });
  }
  return QMainWindow::event(e);
}

// Closing the main window ends the program at once, as Exit does.
void MainWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  QApplication::exit(0);
}

}  // namespace vorex::ui
