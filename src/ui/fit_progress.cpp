#include "ui/fit_progress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/plot_view.h"
#include "ui/qt_host.h"

namespace vorex::ui {

FitProgress::FitProgress(QWidget* parent)
    : QDialog(parent), what_(new QLabel(this)), cancel_(new QPushButton("Cancel", this)) {
  setObjectName("FitProgress");
  setWindowTitle("Vorex");
  setWindowModality(Qt::ApplicationModal);
  cancel_->setObjectName("Cancel");
  auto* busy = new QProgressBar(this);
  busy->setRange(0, 0);  // no end known: it only shows that the computation goes on
  busy->setTextVisible(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(what_);
  layout->addWidget(busy);
  layout->addLayout(buttons);
  setMinimumWidth(280);
  QObject::connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

void FitProgress::Start(const QString& what) {
  cancelPressed_ = false;
  what_->setText(what);
  cancel_->setEnabled(true);
  cancel_->setFocus();
}

// The window stays until the computation has stopped: it still blocks the other windows.
void FitProgress::reject() {
  if (cancelPressed_) return;
  cancelPressed_ = true;
  what_->setText("Cancelling…");
  cancel_->setEnabled(false);
}

CancellableRun::~CancellableRun() {
  if (shown_) QApplication::restoreOverrideCursor();
  if (window_ != nullptr && window_->parent() == nullptr) delete window_;
}

void CancellableRun::Begin(std::string_view what, QWidget* parent) {
  if (depth_++ > 0) return;
  what_ = QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size()));
  parent_ = parent;
  before_ = QApplication::activeWindow();
  running_.start();
  pumped_.invalidate();
  if (window_ != nullptr) window_->Start(what_);
}

bool CancellableRun::CancelRequested() {
  if (depth_ == 0) return false;
  if (!pumped_.isValid() || pumped_.elapsed() >= kEventIntervalMs) {
    if (!shown_ && running_.elapsed() >= delayMs_) ShowWindow();
    // Before the window is up, a click would start a command inside this one: the input waits,
    // and reaches a blocked window (which drops it) or the idle program afterwards.
    QApplication::processEvents(shown_ ? QEventLoop::AllEvents
                                       : QEventLoop::ExcludeUserInputEvents);
    pumped_.start();
  }
  return window_ != nullptr && window_->CancelPressed();
}

void CancellableRun::ShowWindow() {
  if (window_ == nullptr) window_ = new FitProgress(parent_);
  window_->Start(what_);
  window_->show();
  window_->raise();
  window_->activateWindow();
  // The wait cursor of the busy program must not hide that Cancel can be pressed.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  shown_ = true;
}

void CancellableRun::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  if (shown_) {
    if (window_ != nullptr) window_->hide();
    QApplication::restoreOverrideCursor();
    shown_ = false;
  }
  if (window_ != nullptr) window_->Start(QString());
  // The Cancel window took the focus, and hiding it hands the focus to the main window: the
  // window the command came from (a dialog, where Escape closes it) gets it back.
  if (before_ != nullptr && before_->isVisible() && QApplication::activeWindow() != before_) {
    before_->activateWindow();
  }
  before_ = nullptr;
}

// The host's side of a cancellable computation, beside the window it shows.
QtHost::QtHost() = default;
QtHost::~QtHost() = default;

void QtHost::BeginCancellable(std::string_view what) {
  if (!cancellable_) cancellable_ = std::make_unique<CancellableRun>();
  cancellable_->Begin(what, mainWindow_);
}

bool QtHost::CancelRequested() {
  // What the computation drew since is painted with the pending events.
  if (plot_ != nullptr) plot_->FollowPicture();
  return cancellable_ != nullptr && cancellable_->CancelRequested();
}

void QtHost::EndCancellable() {
  if (cancellable_) cancellable_->End();
}

void QtHost::SetCancelDelay(int milliseconds) {
  if (!cancellable_) cancellable_ = std::make_unique<CancellableRun>();
  cancellable_->SetDelay(milliseconds);
}

}  // namespace vorex::ui
