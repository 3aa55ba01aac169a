#include "shell/global_fit_report.h"

#include <cmath>

#include "base/number_format.h"
#include "base/result_line.h"
#include "fitting/background_projection.h"
#include "shell/fit_command.h"

namespace vorex {
namespace {

std::string Short(double value) {
  return FormatPattern(value, "0.###e-#");
}

void CurveTable(const std::vector<GlobalCurve>& curves, const GlobalFitResult& r,
                std::vector<std::string>& lines) {
  lines.emplace_back();
  lines.push_back(ResultLine()
                      .Text("Curve")
                      .Zone()
                      .Text("Points")
                      .Zone()
                      .Text("Weight")
                      .Zone()
                      .Text("Sum of squares")
                      .Zone()
                      .Text("R^2")
                      .Zone()
                      .Text("Name")
                      .str());
  for (std::size_t c = 0; c < r.curves.size(); ++c) {
    const GlobalCurveResult& own = r.curves[c];
    ResultLine row;
    row.Number(static_cast<double>(c + 1)).Zone().Number(static_cast<double>(own.fitted.size()));
    row.Zone().Text(Short(own.weight)).Zone().Text(Short(own.sumOfSquares)).Zone();
    // Six decimals, as a fraction reads: a pattern would write 0.99997 as "1E0".
    if (own.rSquared) row.Text(FormatShortest(std::round(*own.rSquared * 1e6) / 1e6));
    row.Zone().Text(curves[c].name);
    lines.push_back(row.str());
  }
  for (std::size_t c = 0; c < r.curves.size(); ++c) {
    if (curves[c].backgroundDegree < 0) continue;
    lines.push_back("Curve " + std::to_string(c + 1) + ": " +
                    BackgroundReportLine(r.curves[c].background, curves[c].backgroundDegree));
  }
}

}  // namespace

std::string WeightingSentence(CurveWeighting weighting) {
  switch (weighting) {
    case CurveWeighting::None:
      return "none (every point alike)";
    case CurveWeighting::LargestCurrent:
      return "max (each curve divided by its largest current)";
    case CurveWeighting::Noise:
      break;
  }
  return "noise (each curve divided by its own noise estimate)";
}

std::vector<std::string> GlobalFitReportLines(const std::vector<GlobalCurve>& curves,
                                              const GlobalFitSetup& setup,
                                              const GlobalFitResult& r) {
  std::vector<std::string> lines;
  int points = 0;
  for (const GlobalCurve& c : curves) points += static_cast<int>(c.current.size());
  lines.push_back("Global fit of " + std::to_string(curves.size()) + " curves, " +
                  std::to_string(points) + " points, on " + std::to_string(r.threads) +
                  (r.threads == 1 ? " thread" : " threads") +
                  "; weighting: " + WeightingSentence(setup.weighting));
  lines.push_back("Parameters by number:");
  for (int i = 1; i <= r.setup.count; ++i) {
    lines.push_back(ResultLine().Number(i).Zone().Text(FitSetupName(r.setup, i)).str());
  }
  lines.emplace_back();
  for (std::string& line : FitReportLines(r.setup, r.fit)) lines.push_back(std::move(line));
  if (!r.curves.empty()) CurveTable(curves, r, lines);
  if (setup.weighting != CurveWeighting::None) {
    lines.push_back(
        "Least square, SSR and s are of the weighted residuals, in the unit of curve 1.");
  }
  return lines;
}

}  // namespace vorex
