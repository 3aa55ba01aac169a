#include "ui/window_placement.h"

#include <algorithm>

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>

namespace vorex::ui {

void CascadeReachably(QMdiArea& area) {
  QList<QMdiSubWindow*> shown;
  for (QMdiSubWindow* w : area.subWindowList(QMdiArea::StackingOrder)) {
    if (w->isVisible() && !w->isMinimized()) shown << w;
  }
  if (shown.isEmpty()) return;
  // The active window stays in front (the area raises it again whenever it is activated): it goes
  // last, lowest and rightmost, below the title bars of the others.
  if (QMdiSubWindow* active = area.activeSubWindow(); active != nullptr && shown.contains(active)) {
    shown.removeOne(active);
    shown.append(active);
  }
  for (QMdiSubWindow* w : shown) {
    if (w->isMaximized()) w->showNormal();
  }
  const int titleBar = area.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown.front());
  const int step = titleBar + 8;
  const auto n = static_cast<int>(shown.size());
  const QSize viewport = area.viewport()->size();
  const QSize common(std::max(viewport.width() - step * (n - 1), shown.front()->minimumWidth()),
                     std::max(viewport.height() - step * (n - 1), shown.front()->minimumHeight()));
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* w = shown[i];
    w->setGeometry(QRect(QPoint(i * step, i * step), common.expandedTo(w->minimumSize())));
    w->raise();
  }
}

namespace {

// Places its dialog once, on the first show, when its size is known.
class BesidePlot : public QObject {
 public:
  BesidePlot(QWidget& dialog, std::string plotName)
      : QObject(&dialog), dialog_(dialog), plotName_(std::move(plotName)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == &dialog_ && e->type() == QEvent::Show && !placed_) {
      placed_ = true;
      Place();
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  void Place() {
    QWidget* owner = dialog_.parentWidget();
    if (owner == nullptr) return;
    auto* plot = owner->findChild<QWidget*>(QString::fromStdString(plotName_));
    // Hidden before the first curve, the plot window has its place already.
    if (plot == nullptr) return;
    const QRect plotOnScreen(plot->mapToGlobal(QPoint(0, 0)), plot->size());
    const QScreen* screen = owner->screen();
    const QRect free = screen != nullptr ? screen->availableGeometry() : QRect();
    const QSize size = dialog_.frameGeometry().size().expandedTo(dialog_.sizeHint());
    QPoint at(plotOnScreen.right() + 1, plotOnScreen.top());
    if (free.isValid()) {
      at.setX(std::max(free.left(), std::min(at.x(), free.right() + 1 - size.width())));
      at.setY(std::max(free.top(), std::min(at.y(), free.bottom() + 1 - size.height())));
    }
    dialog_.move(at);
  }

  QWidget& dialog_;
  std::string plotName_;
  bool placed_ = false;
};

}  // namespace

void PlaceBesidePlot(QWidget& dialog, const std::string& plotName) {
  dialog.installEventFilter(new BesidePlot(dialog, plotName));
}

}  // namespace vorex::ui
