#include "ui/plot_view.h"

#include <QPainter>

#include "ui/plot_painter.h"

namespace vorex::ui {

PlotView::PlotView(const DrawingList& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setObjectName("PlotView");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 120);
}

void PlotView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPicture(picture_, painter, QRectF(rect()));
}

QImage PlotView::Image() const { return PictureImage(picture_, size()); }

}  // namespace vorex::ui
