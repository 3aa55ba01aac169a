#include "validation/convergence_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/file_writing.h"

namespace vorex::validation {
namespace {

// The picture's world is the unit square; each panel maps its data into a box of it.
struct Box {
  double left, bottom, right, top;
  double xMin, xMax, yMin, yMax;
  double X(double step) const {
    const double u = (std::log10(step * 1e3) - xMin) / (xMax - xMin);
    return left + u * (right - left);
  }
  double Y(double v) const { return bottom + (v - yMin) / (yMax - yMin) * (top - bottom); }
};

std::string Label(const char* pattern, double value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void Text(DrawingList& d, double x, double y, const std::string& text) {
  d.SetTextCursor(x, y);
  d.PrintText(text);
}

double Range(const ConvergencePanel& p) {
  double r = p.tolerance;
  for (const ConvergencePoint& q : p.points) {
    if (q.digital && std::isfinite(*q.digital)) r = std::max(r, std::fabs(*q.digital));
  }
  return 1.3 * r;
}

void Axes(DrawingList& d, const Box& b, const ConvergencePanel& p) {
  d.SetDashed(false);
  d.Rectangle(b.left, b.bottom, b.right, b.top);
  for (const ConvergencePoint& q : p.points) {
    d.Line(b.X(q.step), b.bottom, b.X(q.step), b.bottom + 0.01);
    Text(d, b.X(q.step) - 0.015, b.bottom - 0.01, Label("%g", q.step * 1e3));
  }
  for (double v : {b.yMin, 0.0, b.yMax}) Text(d, 0.01, b.Y(v) + 0.012, Label("%+.3g", v));
  Text(d, b.left, b.top + 0.045, p.title);
  d.SetDashed(true);
  d.Line(b.left, b.Y(p.tolerance), b.right, b.Y(p.tolerance));
  d.Line(b.left, b.Y(-p.tolerance), b.right, b.Y(-p.tolerance));
}

void Series(DrawingList& d, const Box& b, const ConvergencePanel& p, bool digital) {
  d.SetDashed(!digital);
  bool started = false;
  for (const ConvergencePoint& q : p.points) {
    const auto& v = digital ? q.digital : q.analytical;
    if (!v || !std::isfinite(*v)) continue;
    const double clipped = std::clamp(*v, b.yMin, b.yMax);
    const double x = b.X(q.step), y = b.Y(clipped);
    if (started)
      d.LineTo(x, y);
    else
      d.Point(x, y);
    started = true;
    const double m = 0.006;
    if (digital)
      d.Rectangle(x - m, y - m, x + m, y + m);
    else
      d.Line(x - m, y - m, x + m, y + m), d.Line(x - m, y + m, x + m, y - m);
    if (clipped != *v) Text(d, x - 0.07, y + (*v > 0 ? -0.005 : 0.035), Label("%+.3g", *v));
    d.Point(x, y);
  }
}

}  // namespace

DrawingList ConvergencePicture(const std::vector<ConvergencePanel>& panels) {
  DrawingList d;
  d.Clear();
  d.SetWorld(0, 1, 1, 0);
  const double height = 0.84 / static_cast<double>(std::max<std::size_t>(panels.size(), 1));
  double top = 0.9;
  for (const ConvergencePanel& p : panels) {
    const double r = Range(p);
    const Box b{0.12, top - height + 0.08, 0.96, top, std::log10(0.5), std::log10(10), -r, r};
    Axes(d, b, p);
    Series(d, b, p, false);
    Series(d, b, p, true);
    top -= height;
  }
  Text(d, 0.12, 0.985,
       "Digital solid with squares, analytical dashed with crosses; tolerance dashed");
  return d;
}

std::optional<std::string> WritePng(const DrawingList& picture, const std::string& file,
                                    PictureEncoder* encoder) {
  if (encoder == nullptr) return "this build has no picture encoder (configure with VOREX_UI=ON)";
  const std::optional<std::string> bytes = encoder->Png(picture, kPlotWidth, kPlotHeight);
  if (!bytes) return "the picture could not be encoded";
  return WriteFileAtomically(file, *bytes);
}

}  // namespace vorex::validation
