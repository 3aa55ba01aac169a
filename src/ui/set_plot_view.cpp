#include "ui/set_plot_view.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

#include "shell/set_plot.h"

namespace vorex::ui {
namespace {

constexpr double kGap = 8;       // between the widget's edge, the titles and the frames [px]
constexpr double kTick = 4;      // a tick mark's length [px]
constexpr double kStrip = 0.24;  // the residual strip's share of the height

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A frame on the widget and the world it shows.
struct Box {
  QRectF area;
  PlotAxis x, y;
  bool falling = false;
  QPointF Map(double wx, double wy) const {
    const double rising = (wx - x.Low()) / (x.High() - x.Low());
    const double fx = falling ? 1 - rising : rising;
    const double fy = (wy - y.Low()) / (y.High() - y.Low());
    return {area.left() + fx * area.width(), area.bottom() - fy * area.height()};
  }
};

double WidestTick(const QFontMetricsF& fm, const PlotAxis& axis) {
  double widest = 0;
  for (int k = 0; k < axis.count; ++k) {
    widest = std::max(widest, fm.horizontalAdvance(Q(axis.TickText(k))));
  }
  return widest;
}

// Grid, frame, ticks and their numbers; the potentials below only where asked.
void DrawAxes(QPainter& p, const Box& b, bool potentialNumbers) {
  const QFontMetricsF fm(p.font());
  for (int k = 0; k < b.x.count; ++k) {
    const double px = b.Map(b.x.Tick(k), b.y.Low()).x();
    p.setPen(QColor(232, 232, 232));
    p.drawLine(QPointF(px, b.area.top()), QPointF(px, b.area.bottom()));
    p.setPen(Qt::black);
    p.drawLine(QPointF(px, b.area.bottom()), QPointF(px, b.area.bottom() - kTick));
    if (!potentialNumbers) continue;
    const QString text = Q(b.x.TickText(k));
    p.drawText(QPointF(px - fm.horizontalAdvance(text) / 2, b.area.bottom() + 3 + fm.ascent()),
               text);
  }
  for (int k = 0; k < b.y.count; ++k) {
    const double py = b.Map(b.x.Low(), b.y.Tick(k)).y();
    p.setPen(b.y.Tick(k) == 0 ? QColor(170, 170, 170) : QColor(232, 232, 232));
    p.drawLine(QPointF(b.area.left(), py), QPointF(b.area.right(), py));
    p.setPen(Qt::black);
    p.drawLine(QPointF(b.area.left(), py), QPointF(b.area.left() + kTick, py));
    const QString text = Q(b.y.TickText(k));
    p.drawText(QPointF(b.area.left() - 4 - fm.horizontalAdvance(text),
                       py + fm.ascent() / 2 - fm.descent() / 2),
               text);
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(b.area);
}

void VerticalTitle(QPainter& p, const QString& title, double x, const QRectF& area) {
  const QFontMetricsF fm(p.font());
  p.save();
  p.translate(x + fm.ascent(), area.center().y() + fm.horizontalAdvance(title) / 2);
  p.rotate(-90);
  p.drawText(QPointF(0, 0), title);
  p.restore();
}

QPainterPath Line(const Box& b, const std::vector<double>& x, const std::vector<double>& y,
                  double factor) {
  QPainterPath path;
  for (std::size_t j = 0; j < x.size(); ++j) {
    const QPointF at = b.Map(x[j], y[j] * factor);
    if (j == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  return path;
}

void DrawCurves(QPainter& p, const Box& b, const GlobalFitSet& set, const GlobalFitResult* fit,
                double factor) {
  p.save();
  p.setClipRect(b.area.adjusted(-2, -2, 2, 2));
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    const SetCurve& curve = set.curves[c];
    const QColor colour = SetPlotView::Colour(static_cast<int>(c + 1));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double radius = curve.potential.size() > 1500 ? 1.3 : 1.8;
    for (std::size_t j = 0; j < curve.potential.size(); ++j) {
      p.drawEllipse(b.Map(curve.potential[j], curve.current[j] * factor), radius, radius);
    }
    if (fit == nullptr) continue;
    // Darker and thinner than the points, so that both show where they lie on each other.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour.darker(150), 1.2));
    p.drawPath(Line(b, curve.potential, fit->curves[c].fitted, factor));
  }
  p.restore();
}

void DrawResiduals(QPainter& p, const Box& b, const GlobalFitSet& set, const GlobalFitResult& fit,
                   double factor) {
  p.save();
  p.setClipRect(b.area);
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    p.setPen(QPen(SetPlotView::Colour(static_cast<int>(c + 1)), 1));
    p.drawPath(Line(b, set.curves[c].potential, fit.curves[c].residual, factor));
  }
  p.restore();
}

// The legend in whichever corner of the frame covers the fewest points of the curves.
void DrawLegend(QPainter& p, const Box& b, const GlobalFitSet& set, const GlobalFitResult* fit,
                double factor) {
  const QFontMetricsF fm(p.font());
  const int count = static_cast<int>(set.curves.size());
  const int columns = count > 8 ? 2 : 1;
  const int rows = (count + columns - 1) / columns;
  const double sample = 26, line = fm.height() + 1;
  double widest = 0;
  for (const SetCurve& c : set.curves) widest = std::max(widest, fm.horizontalAdvance(Q(c.name)));
  const double columnWidth = sample + 6 + std::min(widest, 200.0) + 8;
  const QSizeF size(columnWidth * columns + 6, line * rows + 6);
  const double inset = 6;
  const std::array<QPointF, 4> corners = {
      QPointF(b.area.left() + inset, b.area.top() + inset),
      QPointF(b.area.right() - inset - size.width(), b.area.top() + inset),
      QPointF(b.area.left() + inset, b.area.bottom() - inset - size.height()),
      QPointF(b.area.right() - inset - size.width(), b.area.bottom() - inset - size.height())};
  std::array<int, 4> covered{};
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    const SetCurve& curve = set.curves[c];
    for (std::size_t j = 0; j < curve.potential.size(); ++j) {
      const QPointF at = b.Map(curve.potential[j], curve.current[j] * factor);
      const QPointF fitted =
          fit ? b.Map(curve.potential[j], fit->curves[c].fitted[j] * factor) : at;
      for (std::size_t k = 0; k < corners.size(); ++k) {
        const QRectF r(corners[k], size);
        covered[k] += (r.contains(at) ? 1 : 0) + (r.contains(fitted) ? 1 : 0);
      }
    }
  }
  const auto best = std::min_element(covered.begin(), covered.end()) - covered.begin();
  const QRectF box(corners[static_cast<std::size_t>(best)], size);
  p.setPen(QColor(160, 160, 160));
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawRect(box);
  for (int c = 0; c < count; ++c) {
    const double x = box.left() + 3 + (c / rows) * columnWidth;
    const double y = box.top() + 3 + (c % rows) * line + line / 2;
    const QColor colour = SetPlotView::Colour(c + 1);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double dx : {5.0, 13.0, 21.0}) p.drawEllipse(QPointF(x + dx, y), 2.2, 2.2);
    p.setPen(QPen(colour.darker(150), 1.2));
    if (fit) p.drawLine(QPointF(x, y), QPointF(x + sample, y));
    p.setPen(Qt::black);
    const QString name =
        fm.elidedText(Q(set.curves[static_cast<std::size_t>(c)].name), Qt::ElideRight, 200);
    p.drawText(QPointF(x + sample + 6, y + fm.ascent() / 2 - fm.descent() / 2), name);
  }
}

}  // namespace

SetPlotView::SetPlotView(const GlobalFitSet& set, QWidget* parent) : QWidget(parent), set_(set) {
  setObjectName("SetPlot");
  setMinimumSize(minimumSizeHint());
}

QColor SetPlotView::Colour(int curve) {
  // The first five as the plot window draws its curves (Okabe and Ito), then more of theirs and
  // of Tol's palettes, darker ones last.
  static constexpr QRgb kPalette[] = {0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xE69F00, 0x56B4E9,
                                      0x000000, 0x882255, 0x117733, 0x332288, 0x999933, 0x44AA99,
                                      0xAA4499, 0x661100, 0x6699CC, 0x888888};
  constexpr int size = static_cast<int>(std::size(kPalette));
  return QColor::fromRgb(kPalette[((curve - 1) % size + size) % size]);
}

void SetPlotView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  if (set_.curves.empty()) {
    p.setPen(QColor(120, 120, 120));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
               "No curves yet: Add Files... or Add Imported Cycles.");
    return;
  }
  const SetPlotLayout layout = SetPlotOf(set_);
  const GlobalFitResult* fit = FitOfTheCurves(set_);
  const QFontMetricsF fm(p.font());
  const double numbers =
      std::max(WidestTick(fm, layout.current), fit ? WidestTick(fm, layout.residual) : 0.0);
  const double left = kGap + fm.height() + 4 + numbers + 4;
  const double bottom = 3 + fm.height() + 4 + fm.height() + kGap;
  const QRectF all(left, kGap + fm.height() / 2, width() - left - kGap - 4,
                   height() - bottom - kGap - fm.height() / 2);
  QRectF top = all, strip;
  if (fit) {
    const double stripHeight = std::round(all.height() * kStrip);
    // Apart by a line, so that the numbers at the facing ends of the two axes do not meet.
    top.setBottom(all.bottom() - stripHeight - fm.height());
    strip = QRectF(all.left(), all.bottom() - stripHeight, all.width(), stripHeight);
  }
  const QString unit = Q(layout.unit.name);
  const Box main{top, layout.potential, layout.current, falling_};
  DrawAxes(p, main, !fit);
  VerticalTitle(p, "I /" + unit, kGap, top);
  DrawCurves(p, main, set_, fit, layout.unit.factor);
  DrawLegend(p, main, set_, fit, layout.unit.factor);
  if (fit) {
    const Box residual{strip, layout.potential, layout.residual, falling_};
    DrawAxes(p, residual, true);
    VerticalTitle(p, "\u0394I /" + unit, kGap, strip);
    DrawResiduals(p, residual, set_, *fit, layout.unit.factor);
  }
  const QString title = "E /V";
  p.setPen(Qt::black);
  p.drawText(QPointF(all.center().x() - fm.horizontalAdvance(title) / 2,
                     all.bottom() + 3 + fm.height() + 4 + fm.ascent()),
             title);
}

}  // namespace vorex::ui
