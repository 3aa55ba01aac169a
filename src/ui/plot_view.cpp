#include "ui/plot_view.h"

#include <algorithm>
#include <cmath>

#include <QContextMenuEvent>
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
  legendRows_ = PaintPicture(picture_, painter, QRectF(rect()));
}

std::optional<int> PlotView::LegendCurveAt(QPointF pixel) const {
  for (const LegendRow& row : legendRows_) {
    if (row.area.contains(pixel)) return row.curve;
  }
  return std::nullopt;
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
  // A title of magnitudes, "|I| /A", marks the logarithmic axis of log10 |I|.
  const bool log = name.startsWith('|');
  const double y = log ? std::pow(10.0, world->y()) : world->y();
  QString text = "E = " + Number(world->x()) + " V   " + name + " = " + Number(y);
  if (!unit.isEmpty()) text += " " + unit;
  return text;
}

void PlotView::Readout(const QString& text) {
  if (text == readout_) return;
  readout_ = text;
  if (onReadout) onReadout(text);
}

void PlotView::Pan(QPointF pixels) {
  const std::optional<PictureFrame> frame = FrameOf(picture_);
  if (!frame || !onZoom) return;
  const WorldMapping mapping = frame->Mapping(QRectF(rect()));
  const QPointF from = mapping.World(QPointF(0, 0)), to = mapping.World(pixels);
  const double dx = from.x() - to.x(), dy = from.y() - to.y();
  if (!std::isfinite(dx) || !std::isfinite(dy)) return;
  onZoom(std::min(frame->xMin, frame->xMax) + dx, std::max(frame->xMin, frame->xMax) + dx,
         std::min(frame->yMin, frame->yMax) + dy, std::max(frame->yMin, frame->yMax) + dy);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
  const bool shifted = event->modifiers() & Qt::ShiftModifier;
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && shifted)) {
    panning_ = true;
    panFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
    return;
  }
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
  if (panning_) {
    const QPointF moved = event->position() - panFrom_;
    panFrom_ = event->position();
    if (!moved.isNull()) Pan(moved);
  }
  if (dragging_) band_->setGeometry(QRect(origin_, at).normalized());
  Readout(ReadoutAt(event->position()));
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
  if (panning_) {
    panning_ = false;
    const QPointF moved = event->position() - panFrom_;
    if (!moved.isNull()) Pan(moved);
    setCursor(Qt::CrossCursor);
    return;
  }
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
  if (const std::optional<int> curve = LegendCurveAt(event->position()); curve && onRenameCurve) {
    onRenameCurve(*curve);
    return;
  }
  if (onAutoRange) onAutoRange();
}

void PlotView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
    if (onAutoRange) onAutoRange();
    return;
  }
  // An arrow moves the view a tenth of the frame that way, as a drag the other way would.
  const std::optional<PictureFrame> frame = FrameOf(picture_);
  if (frame && event->modifiers() == Qt::NoModifier) {
    const QRectF f = frame->DeviceFrame(QRectF(rect()));
    const double w = f.width() / 10, h = f.height() / 10;
    const QPointF step = event->key() == Qt::Key_Left    ? QPointF(w, 0)
                         : event->key() == Qt::Key_Right ? QPointF(-w, 0)
                         : event->key() == Qt::Key_Up    ? QPointF(0, h)
                         : event->key() == Qt::Key_Down  ? QPointF(0, -h)
                                                         : QPointF();
    if (!step.isNull()) {
      Pan(step);
      return;
    }
  }
  if (event->key() == Qt::Key_Escape && dragging_) {
    dragging_ = false;
    band_->hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PlotView::contextMenuEvent(QContextMenuEvent* event) {
  if (!makeMenu) return;
  const std::unique_ptr<QMenu> menu = makeMenu();
  if (menu) menu->exec(event->globalPos());
}

void PlotView::leaveEvent(QEvent* event) {
  Readout({});
  QWidget::leaveEvent(event);
}

}  // namespace vorex::ui
