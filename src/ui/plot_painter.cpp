#include "ui/plot_painter.h"

#include <algorithm>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPdfWriter>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

namespace vorex::ui {
namespace {

// The plot's text, as large on paper as on the screen.
QFont PlotFont(double scale) {
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(12 * scale)));
  return font;
}

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, QRectF area, double scale)
    : painter_(painter), area_(area), scale_(scale) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setFont(PlotFont(scale));
  painter_.setBrush(Qt::NoBrush);
  ApplyPen();
}

void PainterSurface::ApplyPen() {
  QPen pen(Qt::black);
  pen.setWidthF(scale_);
  pen.setStyle(dashed_ ? Qt::DashLine : Qt::SolidLine);
  painter_.setPen(pen);
}

void PainterSurface::Clear() {
  painter_.fillRect(area_, Qt::white);
}

void PainterSurface::SetWorld(double left, double top, double right, double bottom) {
  if (left == right || top == bottom) throw RuntimeFault(kDivisionByZero);
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
}

QPointF PainterSurface::Device(double x, double y) const {
  const double dx = (x - left_) / (right_ - left_) * area_.width();
  const double dy = (top_ - y) / (top_ - bottom_) * area_.height();
  return {area_.left() + Finite(dx), area_.top() + Finite(dy)};
}

void PainterSurface::SetTextCursor(double x, double y) {
  cursor_ = Device(x, y);
}

void PainterSurface::PrintText(const std::string& text) {
  const QFontMetricsF metrics(painter_.font());
  painter_.drawText(cursor_ + QPointF(0, metrics.ascent()), QString::fromStdString(text));
}

void PainterSurface::SetDashed(bool dashed) {
  dashed_ = dashed;
  ApplyPen();
}

void PainterSurface::Line(double x1, double y1, double x2, double y2) {
  last_ = Device(x2, y2);
  painter_.drawLine(Device(x1, y1), last_);
}

void PainterSurface::Rectangle(double x1, double y1, double x2, double y2) {
  const QPointF a = Device(x1, y1);
  last_ = Device(x2, y2);
  painter_.drawRect(QRectF(a, last_).normalized());
}

void PainterSurface::LineTo(double x, double y) {
  const QPointF from = last_;
  last_ = Device(x, y);
  painter_.drawLine(from, last_);
}

void PainterSurface::Point(double x, double y) {
  last_ = Device(x, y);
  painter_.fillRect(QRectF(last_ - QPointF(0.5 * scale_, 0.5 * scale_), QSizeF(scale_, scale_)),
                    Qt::black);
}

void PaintPicture(const DrawingList& picture, QPainter& painter, QRectF area, double scale) {
  painter.save();
  painter.setClipRect(area);
  PainterSurface surface(painter, area, scale);
  surface.Clear();
  try {
    picture.Replay(surface);
  } catch (const RuntimeFault&) {
    // What was drawn before the fault stays, as on the window.
  }
  painter.restore();
}

QImage PictureImage(const DrawingList& picture, QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintPicture(picture, painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
  return image;
}

namespace {

// One page of the picture, scaled to the page's printable area with the window's proportions.
bool PaintPage(const DrawingList& picture, QPagedPaintDevice& device, int resolution,
               QSize windowSize) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRectF page = device.pageLayout().paintRectPixels(resolution);
  const QSizeF window(std::max(1, windowSize.width()), std::max(1, windowSize.height()));
  const double scale = std::min(page.width() / window.width(), page.height() / window.height());
  const QRectF area(QPointF(0, 0), window * scale);
  PaintPicture(picture, painter, area, scale);
  return painter.end();
}

}  // namespace

bool PrintPicture(const DrawingList& picture, QPrinter& printer, QSize windowSize) {
  return PaintPage(picture, printer, printer.resolution(), windowSize);
}

QByteArray PdfDocument(const DrawingList& picture, const QPageLayout& page, QSize windowSize) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(page);
    writer.setResolution(1200);
    if (!PaintPage(picture, writer, writer.resolution(), windowSize)) return {};
  }
  return bytes;
}

}  // namespace vorex::ui
