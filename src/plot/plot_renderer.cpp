#include "plot/plot_renderer.h"

#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "curves/curve_store.h"
#include "plot/curve_legend.h"
#include "plot/displayed_quantity.h"
#include "plot/form_option.h"
#include "plot/form_plot.h"
#include "plot/plot_state.h"

namespace vorex {
namespace {

// Ticks and grid lines beyond this many are finer than any window shows; a range that asks for
// more ends the drawing as an arithmetic failure would.
constexpr double kMaxLines = 100000;

const char* QuantityTitle(const std::string& quantity) {
  if (quantity == "current I") return "I /A";
  if (quantity == "resistance R") return "R /Ohm";
  if (quantity == "conductance Cond") return "Cond /1/Ohm";
  if (quantity == "surface concentration C") return "C /M";
  return "";
}

// The decade of the largest magnitude M: 10^k <= M < 10^(k+1) for k = -15..6, else 10^6.
double Decade(double m, bool& found) {
  static constexpr double kPowers[] = {1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
                                       1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1, 1e0,
                                       1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7};
  for (int k = 0; k + 1 < static_cast<int>(std::size(kPowers)); ++k) {
    if (kPowers[k] <= m && m < kPowers[k + 1]) {
      found = true;
      return kPowers[k];
    }
  }
  found = false;
  return 1e6;
}

void CheckLineCount(double span, double step) {
  if (!(std::fabs(span / step) <= kMaxLines)) throw RuntimeFault(kOverflow);
}

// Automatic X: the world's margins lie outside the frame whatever the signs of its limits: a
// limit is scaled by 1.2 where that moves it outward, else by 0.8, so where 1.2 alone already lay
// outward the products are those of the plain rule.
double OutwardLeft(double xMin) {
  return xMin < 0 ? 1.2 * xMin : 0.8 * xMin;
}
double OutwardRight(double xMax) {
  return xMax > 0 ? 1.2 * xMax : 0.8 * xMax;
}

// Where the window's edges and the labels stand, in world units. Automatic ranges place them by
// the limits and the decade; a manual range (typed, or a zoom) by its own span, since margins
// in proportion to the limits' values put a range away from zero, and its labels, off the window.
struct Placement {
  double left, right, top, bottom;
  double yMaxLabel, yMinLabel;  // the Y range labels, at the left edge
  double xLabels, xTitle;       // the X range labels and "E /V", below the frame
};

struct Frame {
  double xMin, xMax, yMin, yMax, delta, dx, dy;
};

// Each curve is announced to the surface with its legend name and the frame, and so is the end of
// the curves, after which the axes' drawing goes on.
void DrawCurves(CurveLinks& l, PlotSurface& s, const Frame& f, int first, int last) {
  const CurveStore& c = l.curves;
  const double hx = 0.005 * f.dx, hy = 0.005 * f.dy;
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    s.MarkCurve(curve, CurveName(c.Role(curve), curve), f.xMin, f.yMin, f.xMax, f.yMax);
    const int style = l.plot.LineStyle(curve);
    if (style == 1) {
      for (int i = first; i <= last; ++i) s.Point(c.Abscissa(i), c.Ordinate(i, curve));
    } else if (style == 2) {
      for (int i = first; i <= last; ++i) {
        const double x = c.Abscissa(i) - hx, y = c.Ordinate(i, curve) - hy;
        s.Rectangle(x, y, x + 0.01 * f.dx, y + 0.01 * f.dy);
      }
    } else if (style == 3) {
      s.Point(c.Abscissa(first), c.Ordinate(first, curve));
      for (int i = first + 1; i <= last; ++i) s.LineTo(c.Abscissa(i), c.Ordinate(i, curve));
    }
  }
  s.MarkCurve(0, {}, f.xMin, f.yMin, f.xMax, f.yMax);
}

void DrawTicksAndGrid(CurveLinks& l, PlotSurface& s, const Frame& f) {
  const int n = ToInt16(10 * f.xMax);
  const double tickX = CheckedDivide(f.xMax, n);
  CheckLineCount(f.xMax - f.xMin, tickX);
  for (double x = f.xMin; x < f.xMax; x += tickX) s.Line(x, f.yMin, x, f.yMin + 0.02 * f.dy);

  if (!l.formOption.CheckXdir().Checked()) {
    const int m = ToInt16(f.yMax / f.delta);
    const double tickY = CheckedDivide(f.yMax, m);
    CheckLineCount(f.yMax - f.yMin, tickY);
    for (double y = f.yMin; y < f.yMax; y += tickY) s.Line(f.xMin, y, f.xMin + 0.01 * f.dx, y);
  } else {
    const int m = ToInt16(f.yMin / f.delta);
    const double tickY = CheckedDivide(f.yMin, m);
    CheckLineCount(f.yMax - f.yMin, tickY);
    for (double y = f.yMax; y > f.yMin; y -= tickY) s.Line(f.xMax, y, f.xMax - 0.01 * f.dx, y);
  }

  if (l.plot.GridOn) {
    for (int k = 0;; ++k) {
      const double x = f.xMin + k * tickX;
      if (!(x < f.xMax)) break;
      s.Line(x, f.yMin, x, f.yMax);
    }
    const int m = ToInt16(f.yMax / f.delta);
    const double gridY = CheckedDivide(f.yMax, m);
    CheckLineCount(f.yMax - f.yMin, gridY);
    for (int k = 0;; ++k) {
      const double y = f.yMin + k * gridY;
      if (!(y < f.yMax)) break;
      s.Line(f.xMin, y, f.xMax, y);
    }
  }
  s.SetDashed(false);
}

Placement Place(const Frame& f, bool xAuto, bool yAuto) {
  Placement at{};
  at.left = xAuto ? OutwardLeft(f.xMin) : f.xMin - 0.2 * f.dx;
  at.right = xAuto ? OutwardRight(f.xMax) : f.xMax + 0.2 * f.dx;
  if (yAuto) {
    at.top = f.yMax + f.delta;
    at.bottom = f.yMin - 1.5 * f.delta;
    at.yMaxLabel = 0.9 * f.yMax;
    at.yMinLabel = 0.825 * f.yMin;
    at.xLabels = f.yMin - f.delta / 8;
    at.xTitle = f.yMin - f.delta;
  } else {
    at.top = f.yMax + 0.1 * f.dy;
    at.bottom = f.yMin - 0.3 * f.dy;
    at.yMaxLabel = f.yMax - 0.05 * f.dy;
    at.yMinLabel = f.yMin + 0.1 * f.dy;
    at.xLabels = f.yMin - 0.03 * f.dy;
    at.xTitle = f.yMin - 0.15 * f.dy;
  }
  return at;
}

void Draw(CurveLinks& l, int first, int last) {
  CurveStore& c = l.curves;
  PlotState& p = l.plot;
  FormOption& o = l.formOption;
  PlotSurface& s = l.formPlot.picture;
  const bool yAuto = o.Yauto().Checked();

  if (o.Xauto().Checked()) {
    p.XMax = c.Abscissa(first);
    p.XMin = c.Abscissa(last);
    for (int i = first; i <= last; ++i) {
      if (c.Abscissa(i) > p.XMax) p.XMax = c.Abscissa(i);
      if (c.Abscissa(i) < p.XMin) p.XMin = c.Abscissa(i);
    }
  }
  if (yAuto) {
    c.YMax = 0;
    c.YMin = 0;
    for (int curve = 1; curve <= c.CurveCount; ++curve) {
      for (int i = first; i <= last; ++i) {
        if (c.Ordinate(i, curve) > c.YMax) c.YMax = c.Ordinate(i, curve);
        if (c.Ordinate(i, curve) < c.YMin) c.YMin = c.Ordinate(i, curve);
      }
    }
  }
  bool inRange = false;
  const double delta = Decade(std::fmax(c.YMax, std::fabs(c.YMin)), inRange);
  if (inRange && yAuto) {
    c.YMax = delta * (std::trunc(c.YMax / delta) + 1);
    c.YMin = delta * (std::trunc(c.YMin / delta) - 1);
  }
  const double dy = Finite(c.YMax - c.YMin), dx = Finite(p.XMax - p.XMin);
  if (dx == 0 || dy == 0) {
    l.host.Message("Error: No data!", MessageKind::Warning);
    return;
  }

  if (yAuto && c.YMax <= 0) c.YMax = delta;
  const Frame f{p.XMin, p.XMax, c.YMin, c.YMax, delta, dx, dy};
  const bool xAuto = o.Xauto().Checked();
  const Placement at = Place(f, xAuto, yAuto);
  if (at.top == at.bottom) throw RuntimeFault(kDivisionByZero);  // a window of no height
  const double left = at.left, right = at.right;
  s.SetWorld(left, at.top, right, at.bottom);

  s.SetTextCursor(left, at.top);
  s.PrintText(QuantityTitle(o.ComboY().Text()));
  s.SetTextCursor(left, at.yMaxLabel);
  s.PrintText(FormatPattern(f.yMax, "0.#E-0"));
  s.SetTextCursor(left, at.yMinLabel);
  s.PrintText(FormatPattern(f.yMin, "0.#E-0"));

  if (f.yMin < 0 && 0 < f.yMax) {
    s.SetDashed(true);
    s.Line(f.xMin, 0, f.xMax, 0);
    s.SetDashed(false);
    s.SetTextCursor(left, 0);
  }
  if (o.CheckXdir().Checked()) s.SetWorld(right, at.top, left, at.bottom);

  s.Rectangle(f.xMin, f.yMin, f.xMax, f.yMax);
  s.SetTextCursor(f.xMin, at.xLabels);
  s.PrintText(FormatShortest(f.xMin));
  // A manual range away from 0 V has no place for its "0".
  if (xAuto || (f.xMin <= 0 && 0 <= f.xMax)) {
    s.SetTextCursor(0, at.xLabels);
    s.PrintText("0");
  }
  s.SetTextCursor(f.xMax, at.xLabels);
  s.PrintText(FormatShortest(f.xMax));
  s.SetTextCursor((f.xMin + f.xMax) / 2, at.xTitle);
  s.PrintText("E /V");

  DrawCurves(l, s, f, first, last);
  DrawTicksAndGrid(l, s, f);
}

}  // namespace

void ApplyPlotOptions(CurveLinks& l) {
  FormOption& o = l.formOption;
  PlotState& p = l.plot;
  p.GridOn = o.CheckGrid().Checked();
  p.OverlapOn = o.overlap().Checked();
  // The manual limits are read with the numeric prefix; one too large to hold keeps the last.
  SkipOnFault([&] {
    if (!o.Xauto().Checked()) {
      const double xMin = NumericPrefix(o.XminText().Text());
      const double xMax = NumericPrefix(o.XmaxText().Text());
      p.XMin = xMin;
      p.XMax = xMax;
    }
  });
  SkipOnFault([&] {
    if (!o.Yauto().Checked()) {
      const double yMin = NumericPrefix(o.YminText().Text());
      const double yMax = NumericPrefix(o.YmaxText().Text());
      l.curves.YMin = yMin;
      l.curves.YMax = yMax;
    }
  });
  for (int c = 0; c <= 4; ++c) {
    p.LineStyle(c + 1) = o.linestyle1(c).Checked() ? 1 : o.linestyle2(c).Checked() ? 2 : 3;
  }
}

void PlotCurves(CurveLinks& l, int first, int last) {
  ApplyPlotOptions(l);
  l.formPlot.Show();
  l.formPlot.picture.Clear();
  if (first < 1 || last < first || last > kMaxPoints) {
    l.host.Message("Error: No data!", MessageKind::Warning);
    return;
  }
  SkipOnFault([&] { Draw(l, first, last); });
}

void FormOptionOK(CurveLinks& l) {
  ApplyPlotOptions(l);
  l.formOption.Hide();
  ShowCurves(l);
}

}  // namespace vorex
