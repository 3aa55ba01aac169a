#include "ui/plot_view.h"

#include <QPainter>
#include <QResizeEvent>

#include "ui/plot_painter.h"

namespace vorex::ui {

PlotView::PlotView(const DrawingList& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName("PlotView");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 120);
  redraw_.setSingleShot(true);
  redraw_.setInterval(150);
  QObject::connect(&redraw_, &QTimer::timeout, this, [this] {
    if (onResized) onResized();
    update();
  });
}

// Only a resize of a window already shown: the first size comes with the drawing itself.
void PlotView::resizeEvent(QResizeEvent* event) {
  if (event->oldSize().isValid() && isVisible()) redraw_.start();
  QWidget::resizeEvent(event);
}

void PlotView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPicture(picture_, painter, QRectF(rect()));
}

QImage PlotView::Image() const {
  return PictureImage(picture_, size());
}

}  // namespace vorex::ui
