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

// The pieces of the curves that a box on the device would hide.
int PiecesMeeting(const std::vector<QLineF>& pieces, const QRectF& box) {
  const QLineF edges[] = {{box.topLeft(), box.topRight()},
                          {box.topRight(), box.bottomRight()},
                          {box.bottomRight(), box.bottomLeft()},
                          {box.bottomLeft(), box.topLeft()}};
  int count = 0;
  for (const QLineF& piece : pieces) {
    bool meets = box.contains(piece.p1()) || box.contains(piece.p2());
    for (int k = 0; !meets && k < 4; ++k) {
      meets = piece.intersects(edges[k], nullptr) == QLineF::BoundedIntersection;
    }
    if (meets) ++count;
  }
  return count;
}

// A short sample of a curve's colour and style at the left of one legend row.
void PaintSample(QPainter& painter, const LegendEntry& entry, QPointF from, double length,
                 double scale) {
  const QColor colour = CurveColour(entry.curve);
  QPen pen(colour);
  pen.setWidthF(scale);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  switch (entry.style) {
    case CurveStyle::Line:
      painter.drawLine(from, from + QPointF(length, 0));
      break;
    case CurveStyle::Markers: {
      const double side = 5 * scale;
      for (int k = 0; k < 3; ++k) {
        const QPointF centre = from + QPointF(length * (k + 0.5) / 3, 0);
        painter.drawRect(QRectF(centre - QPointF(side / 2, side / 2), QSizeF(side, side)));
      }
      break;
    }
    case CurveStyle::Dots: {
      const double side = 2 * scale;
      for (int k = 0; k < 5; ++k) {
        const QPointF centre = from + QPointF(length * (k + 0.5) / 5, 0);
        painter.fillRect(QRectF(centre - QPointF(side / 2, side / 2), QSizeF(side, side)), colour);
      }
      break;
    }
    case CurveStyle::None:
      break;
  }
}

// A small box naming the curves, in the corner of the frame where it hides the fewest pieces of
// them (the upper right when several are equal).
std::vector<LegendRow> PaintLegend(QPainter& painter, const std::vector<LegendEntry>& legend,
                                   const QRectF& frame, const std::vector<QLineF>& pieces,
                                   double scale) {
  painter.save();
  painter.setClipRect(frame, Qt::IntersectClip);
  const QFont font = PlotFont(scale);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const double pad = 4 * scale, sample = 24 * scale, gap = 6 * scale, inset = 6 * scale;
  const double row = metrics.height();
  double textWidth = 0;
  for (const LegendEntry& entry : legend) {
    textWidth = std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(entry.name)));
  }
  const QSizeF size(pad + sample + gap + textWidth + pad,
                    2 * pad + row * static_cast<double>(legend.size()));
  const double left = frame.left() + inset, right = frame.right() - inset - size.width();
  const double top = frame.top() + inset, bottom = frame.bottom() - inset - size.height();
  const QPointF corners[] = {{right, top}, {left, top}, {right, bottom}, {left, bottom}};
  QRectF box(corners[0], size);
  int hidden = PiecesMeeting(pieces, box);
  for (int k = 1; k < 4 && hidden > 0; ++k) {
    const QRectF other(corners[k], size);
    const int count = PiecesMeeting(pieces, other);
    if (count < hidden) {
      box = other;
      hidden = count;
    }
  }
  painter.fillRect(box, Qt::white);
  QPen frameLine(Qt::black);
  frameLine.setWidthF(scale);
  painter.setPen(frameLine);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box);
  std::vector<LegendRow> rows;
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const double rowTop = box.top() + pad + row * static_cast<double>(i);
    rows.push_back({legend[i].curve, QRectF(box.left(), rowTop, box.width(), row)});
    PaintSample(painter, legend[i], QPointF(box.left() + pad, rowTop + row / 2), sample, scale);
    painter.setPen(frameLine);
    painter.drawText(QPointF(box.left() + pad + sample + gap, rowTop + metrics.ascent()),
                     QString::fromStdString(legend[i].name));
  }
  painter.restore();
  return rows;
}

}  // namespace

QRectF FrameArea(QRectF area, const PlotMargins& margins, double scale) {
  const QFontMetricsF metrics(PlotFont(scale));
  const double line = metrics.height(), pad = 6 * scale;
  const double left =
      pad + metrics.horizontalAdvance(QString::fromStdString(margins.left)) + 0.4 * line;
  const double right = pad + metrics.horizontalAdvance(QString::fromStdString(margins.right)) / 2;
  const double top = pad + margins.linesAbove * line, bottom = pad + margins.linesBelow * line;
  if (left + right >= area.width() || top + bottom >= area.height()) return area;
  return area.adjusted(left, top, -right, -bottom);
}

QPointF WorldMapping::Device(double x, double y) const {
  const double dx = (x - left) / (right - left) * area.width();
  const double dy = (top - y) / (top - bottom) * area.height();
  return {area.left() + Finite(dx), area.top() + Finite(dy)};
}

QPointF WorldMapping::World(QPointF device) const {
  const double x = left + (device.x() - area.left()) / area.width() * (right - left);
  const double y = top - (device.y() - area.top()) / area.height() * (top - bottom);
  return {x, y};
}

QColor CurveColour(int curve) {
  static constexpr QRgb kPalette[] = {0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xE69F00};
  if (curve < 1 || curve > 5) return Qt::black;
  return QColor::fromRgb(kPalette[curve - 1]);
}

std::vector<LegendEntry> LegendOf(const DrawingList& picture) {
  std::vector<LegendEntry> legend;
  bool inCurve = false;
  for (const DrawingList::Item& item : picture.Items()) {
    using Op = DrawingList::Op;
    if (item.op == Op::MarkCurve) {
      inCurve = item.curve > 0;
      if (inCurve) legend.push_back({item.curve, item.text, CurveStyle::None});
      continue;
    }
    if (!inCurve) continue;
    CurveStyle& style = legend.back().style;
    if (item.op == Op::Rectangle) {
      style = CurveStyle::Markers;
    } else if (item.op == Op::LineTo) {
      style = CurveStyle::Line;
    } else if (item.op == Op::Point && style == CurveStyle::None) {
      style = CurveStyle::Dots;
    }
  }
  return legend;
}

WorldMapping PictureFrame::Mapping(QRectF area) const {
  return {left, top, right, bottom, margins ? FrameArea(area, *margins, 1) : area};
}

QRectF PictureFrame::DeviceFrame(QRectF area) const {
  const WorldMapping mapping = Mapping(area);
  return QRectF(mapping.Device(xMin, yMin), mapping.Device(xMax, yMax)).normalized();
}

bool PictureFrame::Contains(double x, double y) const {
  return std::min(xMin, xMax) <= x && x <= std::max(xMin, xMax) && std::min(yMin, yMax) <= y &&
         y <= std::max(yMin, yMax);
}

std::optional<PictureFrame> FrameOf(const DrawingList& picture) {
  PictureFrame frame;
  bool world = false, marked = false, titled = false;
  for (const DrawingList::Item& item : picture.Items()) {
    using Op = DrawingList::Op;
    if (item.op == Op::SetWorld) {
      frame.left = item.a;
      frame.top = item.b;
      frame.right = item.c;
      frame.bottom = item.d;
      world = true;
    } else if (item.op == Op::MarkCurve && !marked) {
      frame.xMin = item.a;
      frame.yMin = item.b;
      frame.xMax = item.c;
      frame.yMax = item.d;
      marked = true;
    } else if (item.op == Op::ReserveMargins) {
      frame.margins = PlotMargins{item.text, item.right, item.a, item.b};
    } else if (item.op == Op::PrintText && !titled) {
      frame.title = item.text;
      titled = true;
    }
  }
  if (!world || !marked) return std::nullopt;
  return frame;
}

PainterSurface::PainterSurface(QPainter& painter, QRectF area, double scale)
    : painter_(painter), window_(area), scale_(scale) {
  mapping_.area = area;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setFont(PlotFont(scale));
  painter_.setBrush(Qt::NoBrush);
  ApplyPen();
}

PainterSurface::~PainterSurface() {
  if (inCurve_) painter_.restore();
}

void PainterSurface::ApplyPen() {
  QPen pen(colour_);
  pen.setWidthF(scale_);
  pen.setStyle(dashed_ ? Qt::DashLine : Qt::SolidLine);
  painter_.setPen(pen);
}

void PainterSurface::Clear() {
  painter_.fillRect(window_, Qt::white);
  mapping_.area = window_;
  margins_.reset();
  anchor_ = {};
}

void PainterSurface::SetWorld(double left, double top, double right, double bottom) {
  if (left == right || top == bottom) throw RuntimeFault(kDivisionByZero);
  mapping_.left = left;
  mapping_.top = top;
  mapping_.right = right;
  mapping_.bottom = bottom;
  mapping_.area = margins_ ? FrameArea(window_, *margins_, scale_) : window_;
}

void PainterSurface::SetTextCursor(double x, double y) {
  cursor_ = Device(x, y);
}

void PainterSurface::PrintText(const std::string& text) {
  const QFontMetricsF metrics(painter_.font());
  const QString shown = QString::fromStdString(text);
  const double line = metrics.height();
  const QPointF topLeft =
      cursor_ +
      QPointF(anchor_.right * line - anchor_.alongWidth * metrics.horizontalAdvance(shown),
              anchor_.down * line - anchor_.alongHeight * line);
  painter_.drawText(topLeft + QPointF(0, metrics.ascent()), shown);
}

void PainterSurface::SetDashed(bool dashed) {
  dashed_ = dashed;
  ApplyPen();
}

void PainterSurface::Keep(QPointF from, QPointF to) {
  if (inCurve_) pieces_.emplace_back(from, to);
}

void PainterSurface::Line(double x1, double y1, double x2, double y2) {
  const QPointF from = Device(x1, y1);
  last_ = Device(x2, y2);
  painter_.drawLine(from, last_);
  Keep(from, last_);
}

void PainterSurface::Rectangle(double x1, double y1, double x2, double y2) {
  const QPointF a = Device(x1, y1);
  last_ = Device(x2, y2);
  painter_.drawRect(QRectF(a, last_).normalized());
  Keep(a, last_);
}

void PainterSurface::LineTo(double x, double y) {
  const QPointF from = last_;
  last_ = Device(x, y);
  painter_.drawLine(from, last_);
  Keep(from, last_);
}

void PainterSurface::Point(double x, double y) {
  last_ = Device(x, y);
  painter_.fillRect(QRectF(last_ - QPointF(0.5 * scale_, 0.5 * scale_), QSizeF(scale_, scale_)),
                    colour_);
  Keep(last_, last_);
}

// Each curve in its colour, clipped to the frame (a manual range may cut it); after the last one
// the axes' drawing goes on in the foreground colour over the whole window.
void PainterSurface::MarkCurve(int curve, const std::string&, double xMin, double yMin, double xMax,
                               double yMax) {
  EndCurve();
  frame_ = QRectF(Device(xMin, yMin), Device(xMax, yMax)).normalized();
  if (curve <= 0) return;
  painter_.save();
  inCurve_ = true;
  painter_.setClipRect(frame_, Qt::IntersectClip);
  colour_ = CurveColour(curve);
  ApplyPen();
}

void PainterSurface::EndCurve() {
  if (!inCurve_) return;
  painter_.restore();
  inCurve_ = false;
  colour_ = Qt::black;
  ApplyPen();
}

std::vector<LegendRow> PaintPicture(const DrawingList& picture, QPainter& painter, QRectF area,
                                    double scale) {
  std::vector<LegendRow> rows;
  painter.save();
  painter.setClipRect(area);
  {
    PainterSurface surface(painter, area, scale);
    surface.Clear();
    try {
      picture.Replay(surface);
    } catch (const RuntimeFault&) {
      // What was drawn before the fault stays, as on the window.
    }
    surface.EndCurve();
    const std::vector<LegendEntry> legend = LegendOf(picture);
    if (!legend.empty() && !surface.Frame().isEmpty()) {
      rows = PaintLegend(painter, legend, surface.Frame(), surface.CurvePieces(), scale);
    }
  }
  painter.restore();
  return rows;
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
