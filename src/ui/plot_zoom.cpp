#include "ui/plot_zoom.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "base/number_text.h"
#include "shell/program.h"

namespace vorex::ui {
namespace {

// A limit with `digits` significant digits ("0.1234", "-1.5e-05").
std::string LimitText(double value, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

// Four significant digits are plenty for a range dragged on the window; more only where four
// would make the two limits of a very narrow range read as one.
std::pair<std::string, std::string> LimitTexts(double low, double high) {
  int digits = 4;
  std::string a = LimitText(low, digits), b = LimitText(high, digits);
  while (digits < 17 && low != high && NumericPrefix(a) == NumericPrefix(b)) {
    ++digits;
    a = LimitText(low, digits);
    b = LimitText(high, digits);
  }
  return {a, b};
}

// The Plot command, where the menu allows it (there are curves to draw).
void Plot(Program& program) {
  Control* plot = program.mdiForm1.Find("mnuPlot");
  if (plot != nullptr && plot->Usable()) program.mdiForm1.Invoke(*plot);
}

}  // namespace

void ZoomPlot(Program& program, double xMin, double xMax, double yMin, double yMax) {
  if (xMax < xMin) std::swap(xMin, xMax);
  if (yMax < yMin) std::swap(yMin, yMax);
  FormOption& o = program.plot.formOption;
  if (o.CheckLogY().Checked()) {
    yMin = std::pow(10.0, yMin);
    yMax = std::pow(10.0, yMax);
  }
  const auto [x0, x1] = LimitTexts(xMin, xMax);
  const auto [y0, y1] = LimitTexts(yMin, yMax);
  o.Type(o.XminText(), x0);
  o.Type(o.XmaxText(), x1);
  o.Type(o.YminText(), y0);
  o.Type(o.YmaxText(), y1);
  o.SetCheck(o.Xauto(), false);
  o.SetCheck(o.Yauto(), false);
  Plot(program);
}

void AutoRanges(Program& program) {
  FormOption& o = program.plot.formOption;
  o.SetCheck(o.Xauto(), true);
  o.SetCheck(o.Yauto(), true);
  Plot(program);
}

}  // namespace vorex::ui

namespace vorex::ui {

void SetLogY(Program& program, bool log) {
  FormOption& o = program.plot.formOption;
  o.SetCheck(o.CheckLogY(), log);
  Plot(program);
}

void SetAxisTitles(Program& program, const std::string& x, const std::string& y) {
  FormOption& o = program.plot.formOption;
  o.Type(o.XTitle(), x);
  o.Type(o.YTitle(), y);
  Plot(program);
}

}  // namespace vorex::ui
