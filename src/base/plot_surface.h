#pragma once

#include <string>

namespace vorex {

// Where printed text stands against the text cursor: the fraction of its width that lies left of
// the cursor (0 left-aligned, 0.5 centred, 1 right-aligned) and of its height above it (0 below
// the cursor, 1 above), then shifted by `right` and `down` line heights. The default is the text's
// top-left corner at the cursor.
struct TextAnchor {
  double alongWidth = 0, alongHeight = 0;
  double right = 0, down = 0;
};

// Room kept on the window around the world rectangle for the axes' text, so that labels of any
// length stay inside the window: the widest text left of the frame, half the widest text that is
// centred on its right edge, and lines of text above and below it.
struct PlotMargins {
  std::string left, right;
  double linesAbove = 0, linesBelow = 0;
};

// The drawing operations of the plot window, in world coordinates once SetWorld has fitted a
// world rectangle to the window (vertical axis up).
class PlotSurface {
 public:
  virtual ~PlotSurface() = default;

  virtual void Clear() = 0;
  // Fits the world rectangle to the window, within the margins reserved; left may exceed right
  // (a reversed axis).
  virtual void SetWorld(double left, double top, double right, double bottom) = 0;
  // Text is printed with its top-left corner at the text cursor, which is placed in world
  // coordinates and keeps its place on the window when the world is fitted again.
  virtual void SetTextCursor(double x, double y) = 0;
  virtual void PrintText(const std::string& text) = 0;
  // How the text printed from now on stands against the cursor; a surface may ignore it.
  virtual void SetTextAnchor(const TextAnchor& /*anchor*/) {}
  // The margins the next SetWorld fits the world rectangle within; until then, and on a surface
  // that ignores them, the world fills the window.
  virtual void ReserveMargins(const PlotMargins& /*margins*/) {}
  virtual void SetDashed(bool dashed) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  virtual void Rectangle(double x1, double y1, double x2, double y2) = 0;
  // A line from the last point drawn.
  virtual void LineTo(double x, double y) = 0;
  virtual void Point(double x, double y) = 0;
  // Says what the drawing operations that follow belong to: curve `curve` (1..5) named `name` in
  // the legend, drawn inside the frame from (xMin, yMin) to (xMax, yMax); curve 0 once after the
  // last curve, when the axes' drawing goes on. A surface may colour and clip the curves by it,
  // or ignore it.
  virtual void MarkCurve(int /*curve*/, const std::string& /*name*/, double /*xMin*/,
                         double /*yMin*/, double /*xMax*/, double /*yMax*/) {}
};

}  // namespace vorex
