#include "plot/plot_axes.h"

#include <cmath>
#include <utility>

namespace vorex {
namespace {

// Data that keep less than this fraction of their largest magnitude away from zero are shown
// from zero, as a current rising from rest is.
constexpr double kNearZero = 1.0 / 3;

// Where the text stands against its cursor (see TextAnchor).
constexpr TextAnchor kTopLeft{0, 0, 0, 0};
constexpr TextAnchor kLeftOfFrame{1, 0.5, -0.4, 0};  // a Y label, right-aligned beside its tick
constexpr TextAnchor kBelowFrame{0.5, 0, 0, 0.25};   // an X label, centred under its tick
constexpr TextAnchor kXTitle{0.5, 0, 0, 1.35};       // below the X labels
constexpr TextAnchor kXPower{1, 0, 0, 1.35};         // at the right, level with the X title
constexpr TextAnchor kYTitle{0, 1, 0, -0.25};        // above the frame's top-left corner
constexpr TextAnchor kYPower{1, 1, -0.4, -0.25};     // above the Y labels

const std::string& Longest(const TickLabels& labels) {
  const std::string* longest = &labels.power;
  for (const std::string& text : labels.texts) {
    if (text.size() > longest->size()) longest = &text;
  }
  return *longest;
}

// The frame's edges as the window shows them: left, right.
std::pair<double, double> Sides(const AxesLayout& a) {
  return a.reversed ? std::pair{a.x.high, a.x.low} : std::pair{a.x.low, a.x.high};
}

void Print(PlotSurface& s, double x, double y, const TextAnchor& anchor, const std::string& text) {
  s.SetTextCursor(x, y);
  s.SetTextAnchor(anchor);
  s.PrintText(text);
}

}  // namespace

bool AxisScale::Usable() const {
  return std::isfinite(low) && std::isfinite(high) && high > low;
}

TickLabels AxisScale::Labels() const {
  if (!log) return LabelTicks(ticks);
  TickLabels labels;
  for (int k = 0; k < ticks.count; ++k) labels.texts.push_back(DecadeLabel(ticks.At(k)));
  return labels;
}

AxisScale LinearScale(double low, double high, bool automatic, bool toZero) {
  if (high < low) std::swap(low, high);
  AxisScale a;
  if (!automatic) {
    a.low = low;
    a.high = high;
    a.ticks = TicksWithin(low, high);
    return a;
  }
  if (toZero) {
    if (low > 0 && (low == high || low < kNearZero * high)) low = 0;
    if (high < 0 && (low == high || high > kNearZero * low)) high = 0;
    // A curve that is zero everywhere (no current, a species absent) is data all the same: it is
    // shown on a unit range around its zero.
    if (low == 0 && high == 0) {
      low = -1;
      high = 1;
    }
  }
  a.ticks = TicksAround(low, high);
  if (a.ticks.count == 0) return a;
  a.low = a.ticks.At(0);
  a.high = a.ticks.Last();
  return a;
}

AxisScale LogScale(double low, double high, bool automatic) {
  AxisScale a;
  a.log = true;
  a.low = std::log10(std::fabs(low));
  a.high = std::log10(std::fabs(high));
  if (a.high < a.low) std::swap(a.low, a.high);
  if (automatic && std::isfinite(a.low) && std::isfinite(a.high)) {
    a.high = std::ceil(a.high);
    a.low = std::fmax(std::floor(a.low), a.high - kShownDecades);
    if (a.low == a.high) a.low -= 1;
  }
  a.ticks = WholeTicksWithin(a.low, a.high);
  return a;
}

void FitFrame(PlotSurface& s, const AxesLayout& a) {
  const TickLabels x = a.x.Labels(), y = a.y.Labels();
  // Two lines below: the X labels and the X title; one above for the Y title.
  s.ReserveMargins({Longest(y), Longest(x), 1.4, 2.5});
  const auto [left, right] = Sides(a);
  s.SetWorld(left, a.y.high, right, a.y.low);
}

void DrawAxesText(PlotSurface& s, const AxesLayout& a) {
  const auto [left, right] = Sides(a);
  const TickLabels x = a.x.Labels(), y = a.y.Labels();
  Print(s, left, a.y.high, kYTitle, a.yTitle);
  if (!y.power.empty()) Print(s, left, a.y.high, kYPower, y.power);
  for (int k = 0; k < a.y.ticks.count; ++k)
    Print(s, left, a.y.ticks.At(k), kLeftOfFrame, y.texts[k]);
  for (int k = 0; k < a.x.ticks.count; ++k)
    Print(s, a.x.ticks.At(k), a.y.low, kBelowFrame, x.texts[k]);
  Print(s, (a.x.low + a.x.high) / 2, a.y.low, kXTitle, a.xTitle);
  if (!x.power.empty()) Print(s, right, a.y.low, kXPower, x.power);
  s.SetTextAnchor(kTopLeft);
}

void DrawTicksAndGrid(PlotSurface& s, const AxesLayout& a, bool grid) {
  const auto [left, right] = Sides(a);
  const double tickX = 0.02 * (a.y.high - a.y.low), tickY = 0.01 * (right - left);
  for (int k = 0; k < a.x.ticks.count; ++k) {
    const double x = a.x.ticks.At(k);
    s.Line(x, a.y.low, x, a.y.low + tickX);
  }
  for (int k = 0; k < a.y.ticks.count; ++k) {
    const double y = a.y.ticks.At(k);
    s.Line(left, y, left + tickY, y);
  }
  if (!grid) return;
  s.SetDashed(true);
  for (int k = 0; k < a.x.ticks.count; ++k) {
    const double x = a.x.ticks.At(k);
    s.Line(x, a.y.low, x, a.y.high);
  }
  for (int k = 0; k < a.y.ticks.count; ++k) {
    const double y = a.y.ticks.At(k);
    s.Line(a.x.low, y, a.x.high, y);
  }
  s.SetDashed(false);
}

}  // namespace vorex
