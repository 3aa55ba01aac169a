#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QSize>

#include "base/drawing_list.h"
#include "base/plot_surface.h"

namespace vorex::ui {

// A world rectangle fitted to a device rectangle, vertical axis up: how the plot is drawn, and how
// the plot window reads the point under the mouse.
struct WorldMapping {
  double left = 0, top = 1, right = 1, bottom = 0;
  QRectF area;  // [device pixels]

  // A point too far off for the device raises RuntimeFault (overflow).
  QPointF Device(double x, double y) const;
  // The world point of a device point (x, y in the QPointF).
  QPointF World(QPointF device) const;
};

// Where the world is fitted within the window's `area`: all of it less the margins reserved
// for the axes' text in the plot's font at `scale`; the whole area when the margins leave no room.
QRectF FrameArea(QRectF area, const PlotMargins& margins, double scale);

// The colour of curve 1..5 from a palette that colour-blind eyes tell apart (Okabe and Ito):
// blue, vermillion, bluish green, reddish purple, orange; black for anything else.
QColor CurveColour(int curve);

// How a curve was drawn, for its sample in the legend.
enum class CurveStyle { Dots, Markers, Line, None };

struct LegendEntry {
  int curve = 0;
  std::string name;
  CurveStyle style = CurveStyle::None;
};

// Where the legend shows a curve's row [device pixels], for the user to point at it.
struct LegendRow {
  int curve = 0;
  QRectF area;
};

// The curves of a picture in the order drawn, from the operations that mark them.
std::vector<LegendEntry> LegendOf(const DrawingList& picture);

// Where a picture's plot lies: the world of its last SetWorld, the frame of its curves (world
// coordinates) and the title of its ordinate (its first printed text, "I /A"). Nothing when the
// picture holds no curve.
struct PictureFrame {
  double left = 0, top = 1, right = 1, bottom = 0;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string title;
  std::optional<PlotMargins> margins;  // reserved before the world was fitted

  WorldMapping Mapping(QRectF area) const;
  // The frame on the device, for the mapping of `area`.
  QRectF DeviceFrame(QRectF area) const;
  bool Contains(double x, double y) const;
};
std::optional<PictureFrame> FrameOf(const DrawingList& picture);

// The plot surface on a QPainter: the world rectangle is fitted to a device rectangle, the text
// cursor keeps its place on the device when the world is fitted again, and everything is drawn in
// the foreground colour with antialiasing; each curve in its own colour, clipped to the frame.
class PainterSurface : public PlotSurface {
 public:
  // `area` is where the plot window lies on the painter's device [device pixels]; `scale` is how
  // many device pixels one window pixel is (1 on a screen, more on a printer).
  PainterSurface(QPainter& painter, QRectF area, double scale);
  ~PainterSurface() override;
  PainterSurface(const PainterSurface&) = delete;
  PainterSurface& operator=(const PainterSurface&) = delete;

  void Clear() override;
  void SetWorld(double left, double top, double right, double bottom) override;
  void SetTextCursor(double x, double y) override;
  void PrintText(const std::string& text) override;
  void SetTextAnchor(const TextAnchor& anchor) override { anchor_ = anchor; }
  void ReserveMargins(const PlotMargins& margins) override { margins_ = margins; }
  void SetDashed(bool dashed) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Rectangle(double x1, double y1, double x2, double y2) override;
  void LineTo(double x, double y) override;
  void Point(double x, double y) override;
  void MarkCurve(int curve, const std::string& name, double xMin, double yMin, double xMax,
                 double yMax) override;

  // Back to the foreground colour and the whole window, if a curve was being drawn.
  void EndCurve();
  // The frame of the last curve on the device; empty before any.
  QRectF Frame() const { return frame_; }
  // The pieces of the curves drawn [device pixels], a point or marker as a piece of no length.
  const std::vector<QLineF>& CurvePieces() const { return pieces_; }

 private:
  QPointF Device(double x, double y) const { return mapping_.Device(x, y); }
  void ApplyPen();
  void Keep(QPointF from, QPointF to);

  QPainter& painter_;
  QRectF window_;  // the whole plot window on the device
  WorldMapping mapping_;
  std::optional<PlotMargins> margins_;
  TextAnchor anchor_;
  double scale_;
  QPointF cursor_, last_;
  bool dashed_ = false;
  QColor colour_ = Qt::black;
  bool inCurve_ = false;
  QRectF frame_;
  std::vector<QLineF> pieces_;
};

// Draws the picture into `area` of the painter's device, with a legend of its curves in a corner
// of the frame; a fault of the drawing ends it where it arose and keeps what was drawn, as the
// plot window does. Returns where the legend's rows were painted (none without a legend).
std::vector<LegendRow> PaintPicture(const DrawingList& picture, QPainter& painter, QRectF area,
                                    double scale = 1);

// The plot window's image at the window's size, on a white ground.
QImage PictureImage(const DrawingList& picture, QSize size);

// Prints the picture on one page, scaled to the page with the window's proportions; false when
// the printer could not be started (no printer, a file that cannot be written).
bool PrintPicture(const DrawingList& picture, QPrinter& printer, QSize windowSize);

// The same page as a PDF document in memory, so that a file is written whole or not at all;
// empty when it could not be made.
QByteArray PdfDocument(const DrawingList& picture, const QPageLayout& page, QSize windowSize);

}  // namespace vorex::ui
