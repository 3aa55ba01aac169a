#include "shell/background_command.h"

#include <span>
#include <string>
#include <vector>

#include "plot/plot_renderer.h"
#include "shell/program.h"

namespace vorex {
namespace {

bool Refuse(Program& program, const std::string& why) {
  program.host.Message("Subtract Background: " + why, MessageKind::Warning);
  return false;
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

bool SubtractCurveBackground(Program& program, const BackgroundRequest& request) {
  CurveStore& c = program.curves;
  if (c.PointCount < 2) return Refuse(program, "There is no curve; simulate or import one first.");
  const auto n = static_cast<std::size_t>(c.PointCount);
  const std::span<const double> e(c.Abscissa.data() + 1, n);
  std::vector<double> y(n), corrected(n);
  for (std::size_t i = 0; i < n; ++i) y[i] = c.Ordinate(static_cast<int>(i) + 1, c.CurrentCurve);
  const auto fitted = FitBackground(e, y, request);
  if (const auto* why = std::get_if<std::string>(&fitted)) {
    return Refuse(program, *why + " The curve is unchanged.");
  }
  const BackgroundPolynomial& p = std::get<BackgroundPolynomial>(fitted);
  if (!SubtractBackground(p, e, y, corrected)) {
    return Refuse(program, "Overflow in the corrected curve. The curve is unchanged.");
  }
  for (std::size_t i = 0; i < n; ++i)
    c.Ordinate(static_cast<int>(i) + 1, c.CurrentCurve) = corrected[i];
  std::string line = "Background subtracted from curve " + std::to_string(c.CurrentCurve) + ": " +
                     DescribeBackground(p) + " from " + Counted(request.ranges.size(), "range") +
                     ", " + Counted(static_cast<std::size_t>(p.pointCount), "point");
  if (request.segment != 0) line += " of segment " + std::to_string(request.segment);
  program.formResult.Show();
  program.formResult.Print(line);
  if (!program.fit.running) PlotCurves(program.links, c.FirstPoint, c.LastPoint);
  return true;
}

void BackgroundDialogOK(Program& program) {
  const auto request = program.formBackground.Request();
  if (const auto* why = std::get_if<std::string>(&request)) {
    Refuse(program, *why);
    return;
  }
  if (SubtractCurveBackground(program, std::get<BackgroundRequest>(request))) {
    program.formBackground.Hide();
  }
}

}  // namespace vorex
