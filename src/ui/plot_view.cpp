#include "ui/plot_view.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/plot_painter.h"

namespace vorex::ui {
namespace {

// A rectangle dragged this little is a click that slipped, not a range [pixels].
constexpr int kSmallestZoom = 5;

QString Number(double value) {
  return QString::number(value, 'g', 4);
}

// The name and unit of the ordinate from the title its axis is printed with: "I /A" gives "I"
// and "A", "Cond /1/Ohm" gives "Cond" and "1/Ohm"; a title without a unit is the name alone.
std::pair<QString, QString> NameAndUnit(const std::string& title) {
  const QString text = QString::fromStdString(title);
  const qsizetype slash = text.indexOf(" /");
  if (slash < 0) return {text.isEmpty() ? QString("Y") : text, {}};
  return {text.left(slash), text.mid(slash + 2)};
}

}  // namespace

PlotView::PlotView(const DrawingList& picture, QWidget* parent)
    : QWidget(parent), picture_(picture), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
  setObjectName("PlotView");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 120);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
  band_->hide();
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
  painted_ = picture_.Drawings();
  QPainter painter(this);
  PaintPicture(picture_, painter, QRectF(rect()));
}

void PlotView::FollowPicture() {
  // Painted at once: the computation lets the pending events through only now and then, and a
  // repaint asked for might wait until it has ended.
  if (picture_.Drawings() != painted_) repaint();
}

QImage PlotView::Image() const {
  return PictureImage(picture_, size());
}

std::optional<QPointF> PlotView::WorldAt(QPointF pixel) const {
  const std::optional<PictureFrame> frame = FrameOf(picture_);
  if (!frame || width() <= 0 || height() <= 0) return std::nullopt;
  const QPointF world = frame->Mapping(QRectF(rect())).World(pixel);
  if (!std::isfinite(world.x()) || !std::isfinite(world.y())) return std::nullopt;
  return world;
}

QString PlotView::ReadoutAt(QPointF pixel) const {
  const std::optional<PictureFrame> frame = FrameOf(picture_);
  const std::optional<QPointF> world = WorldAt(pixel);
  if (!frame || !world || !frame->Contains(world->x(), world->y())) return {};
  const auto [name, unit] = NameAndUnit(frame->title);
  QString text = "E = " + Number(world->x()) + " V   " + name + " = " + Number(world->y());
  if (!unit.isEmpty()) text += " " + unit;
  return text;
}

void PlotView::Readout(const QString& text) {
  if (text == readout_) return;
  readout_ = text;
  if (onReadout) onReadout(text);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  origin_ = event->position().toPoint();
  dragging_ = true;
  band_->setGeometry(QRect(origin_, QSize()));
  band_->show();
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (dragging_) band_->setGeometry(QRect(origin_, at).normalized());
  Readout(ReadoutAt(event->position()));
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  dragging_ = false;
  band_->hide();
  const QRect dragged = QRect(origin_, event->position().toPoint()).normalized();
  if (dragged.width() < kSmallestZoom || dragged.height() < kSmallestZoom) return;
  const std::optional<QPointF> a = WorldAt(dragged.topLeft());
  const std::optional<QPointF> b = WorldAt(dragged.bottomRight());
  if (!a || !b || !onZoom) return;
  onZoom(std::min(a->x(), b->x()), std::max(a->x(), b->x()), std::min(a->y(), b->y()),
         std::max(a->y(), b->y()));
}

void PlotView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  dragging_ = false;
  band_->hide();
  if (onAutoRange) onAutoRange();
}

void PlotView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
    if (onAutoRange) onAutoRange();
    return;
  }
  if (event->key() == Qt::Key_Escape && dragging_) {
    dragging_ = false;
    band_->hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PlotView::leaveEvent(QEvent* event) {
  Readout({});
  QWidget::leaveEvent(event);
}

}  // namespace vorex::ui
