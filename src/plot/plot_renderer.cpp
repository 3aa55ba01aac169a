#include "plot/plot_renderer.h"

#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "curves/curve_store.h"
#include "plot/axis_title.h"
#include "plot/curve_legend.h"
#include "plot/displayed_quantity.h"
#include "plot/form_option.h"
#include "plot/form_plot.h"
#include "plot/peak_marks.h"
#include "plot/plot_axes.h"
#include "plot/plot_state.h"

namespace vorex {
namespace {

// The ordinate's title: the one typed in the dialog, else the quantity's own, "|I| /A" for the
// magnitude on a logarithmic axis.
std::string YTitle(FormOption& o, CurveRole role, bool logY) {
  if (!o.YTitle().Text().empty()) return o.YTitle().Text();
  const std::string title = AxisTitle(o.ComboY().Text(), role);
  const std::size_t slash = title.find(" /");
  if (!logY || slash == std::string::npos) return title;
  std::string magnitude(1, '|');
  magnitude.append(title, 0, slash);
  magnitude += '|';
  magnitude.append(title, slash);
  return magnitude;
}

struct Frame {
  double xMin, xMax, yMin, yMax, dx, dy;
  bool logY;
};

// Each curve is announced to the surface with its legend name and the frame, and so is the end of
// the curves, after which the axes' drawing goes on.
void DrawCurves(CurveLinks& l, PlotSurface& s, const Frame& f, int first, int last) {
  const CurveStore& c = l.curves;
  const double hx = 0.005 * f.dx, hy = 0.005 * f.dy;
  // A logarithmic axis shows log10 |I|, where a zero has no place: it is left out.
  const auto shown = [&](int i, int curve) { return !f.logY || c.Ordinate(i, curve) != 0; };
  const auto y = [&](int i, int curve) {
    const double v = c.Ordinate(i, curve);
    return f.logY ? std::log10(std::fabs(v)) : v;
  };
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    s.MarkCurve(curve, LegendName(c, curve), f.xMin, f.yMin, f.xMax, f.yMax);
    const int style = l.plot.LineStyle(curve);
    if (style == 1) {
      for (int i = first; i <= last; ++i) {
        if (shown(i, curve)) s.Point(c.Abscissa(i), y(i, curve));
      }
    } else if (style == 2) {
      for (int i = first; i <= last; ++i) {
        if (!shown(i, curve)) continue;
        const double x0 = c.Abscissa(i) - hx, y0 = y(i, curve) - hy;
        s.Rectangle(x0, y0, x0 + 0.01 * f.dx, y0 + 0.01 * f.dy);
      }
    } else if (style == 3) {
      int i = first;
      while (i <= last && !shown(i, curve)) ++i;
      if (i > last) continue;
      s.Point(c.Abscissa(i), y(i, curve));
      for (++i; i <= last; ++i) {
        if (shown(i, curve)) s.LineTo(c.Abscissa(i), y(i, curve));
      }
    }
  }
  s.MarkCurve(0, {}, f.xMin, f.yMin, f.xMax, f.yMax);
}

// The extremes of the abscissa over the points drawn.
void AbscissaRange(const CurveStore& c, int first, int last, double& low, double& high) {
  low = high = c.Abscissa(first);
  for (int i = first; i <= last; ++i) {
    low = std::fmin(low, c.Abscissa(i));
    high = std::fmax(high, c.Abscissa(i));
  }
}

// The extremes of the ordinates of all curves, and of their magnitudes other than zero (a
// logarithmic axis); both magnitudes stay 0 when every ordinate is.
struct OrdinateRange {
  double low, high, smallest = 0, largest = 0;
};
OrdinateRange Ordinates(const CurveStore& c, int first, int last) {
  const double start = c.CurveCount > 0 ? c.Ordinate(first, 1) : 0;
  OrdinateRange r{start, start};
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    for (int i = first; i <= last; ++i) {
      const double v = c.Ordinate(i, curve), m = std::fabs(v);
      r.low = std::fmin(r.low, v);
      r.high = std::fmax(r.high, v);
      if (m > 0 && (r.smallest == 0 || m < r.smallest)) r.smallest = m;
      r.largest = std::fmax(r.largest, m);
    }
  }
  return r;
}

// The ranges of both axes. The automatic ranges are kept (the manual ones came from the dialog):
// X in the plot state, Y on the linear scale in the curve store, whose peak search measures by it.
bool Scales(CurveLinks& l, int first, int last, AxesLayout& a) {
  CurveStore& c = l.curves;
  PlotState& p = l.plot;
  FormOption& o = l.formOption;
  const bool xAuto = o.Xauto().Checked(), yAuto = o.Yauto().Checked();
  if (xAuto) AbscissaRange(c, first, last, p.XMin, p.XMax);
  a.x = LinearScale(p.XMin, p.XMax, xAuto, false);
  if (xAuto && a.x.Usable()) {
    p.XMin = a.x.low;
    p.XMax = a.x.high;
  }
  const OrdinateRange r = Ordinates(c, first, last);
  const AxisScale linear =
      LinearScale(yAuto ? r.low : c.YMin, yAuto ? r.high : c.YMax, yAuto, true);
  if (yAuto && linear.Usable()) {
    c.YMin = linear.low;
    c.YMax = linear.high;
  }
  // A manual range of magnitudes needs two different limits other than zero; a range typed for
  // the linear axis (-1e-3 to 1e-3) has not, and the decades of the data are shown instead.
  a.y = linear;
  if (o.CheckLogY().Checked()) {
    a.y = LogScale(c.YMin, c.YMax, false);
    if (yAuto || !a.y.Usable()) a.y = LogScale(r.smallest, r.largest, true);
  }
  return a.x.Usable() && a.y.Usable();
}

void Draw(CurveLinks& l, int first, int last) {
  FormOption& o = l.formOption;
  PlotSurface& s = l.formPlot.picture;
  AxesLayout a;
  if (!Scales(l, first, last, a)) {
    l.host.Message("Error: No data!", MessageKind::Warning);
    return;
  }
  a.reversed = o.CheckXdir().Checked();
  a.xTitle = o.XTitle().Text().empty() ? "E /V" : o.XTitle().Text();
  a.yTitle = YTitle(o, l.curves.Role(l.curves.CurrentCurve), a.y.log);
  FitFrame(s, a);
  DrawAxesText(s, a);
  const Frame f{a.x.low, a.x.high, a.y.low, a.y.high, a.x.high - a.x.low, a.y.high - a.y.low,
                a.y.log};
  if (f.yMin < 0 && 0 < f.yMax && !f.logY) {
    s.SetDashed(true);
    s.Line(f.xMin, 0, f.xMax, 0);
    s.SetDashed(false);
  }
  s.Rectangle(f.xMin, f.yMin, f.xMax, f.yMax);
  DrawCurves(l, s, f, first, last);
  // The marks stand at the peaks' own ordinates, which a logarithmic axis does not show.
  if (!f.logY) DrawPeakMarks(l.plot, l.curves, s, first, last, f.dx, f.dy);
  DrawTicksAndGrid(s, a, l.plot.GridOn);
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
