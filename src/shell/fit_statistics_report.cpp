#include "shell/fit_statistics_report.h"

#include <cmath>

#include "base/number_format.h"
#include "base/result_line.h"
#include "experiment/parameter_set.h"
#include "fitting/fit_verdict.h"

namespace vorex {
namespace {

constexpr double kStrongCorrelation = 0.95;

// Four significant digits: what a standard error or an interval can carry.
std::string Short(double value) {
  return FormatPattern(value, "0.###e-#");
}

std::string Percent(double value) {
  return std::fabs(value) >= 0.01 ? FormatCoordinate(value) : FormatPattern(value, "0.#e-#");
}

std::string Correlation(double r) {
  return FormatCoordinate(r) + (std::fabs(r) > kStrongCorrelation ? " *" : "");
}

std::string Names(const FitSetup& setup, const std::vector<int>& parameters) {
  std::string names;
  for (int i : parameters) {
    if (!names.empty()) names += ", ";
    names += FitSetupName(setup, i);
  }
  return names;
}

bool Undetermined(const FitStatistics& s, int i) {
  for (int k : s.notSeparatelyDetermined) {
    if (k == i) return true;
  }
  return false;
}

ResultLine ParameterRow(const FitSetup& setup, const FitStatistics& s, int i) {
  ResultLine line;
  line.Text(FitSetupName(setup, i)).Zone().Text(FormatPattern(s.value(i), "0.#####e-#"));
  line.Zone();
  if (s.standing(i) == ParameterStanding::OnBound) {
    return line.Text("on a bound: its standard error is not defined");
  }
  if (s.standing(i) == ParameterStanding::Frozen) {
    return line.Text("frozen (the curve does not depend on it): its standard error is not defined");
  }
  if (Undetermined(s, i)) return line.Text("not separately determined");
  if (!s.defined(i)) return line.Text("not defined");
  line.Text(Short(s.sigma(i))).Zone().Text(Short(s.halfWidth95(i))).Zone();
  if (s.relativePercent(i)) line.Text(Percent(*s.relativePercent(i)));
  return line;
}

void CorrelationLines(const FitSetup& setup, const FitStatistics& s,
                      std::vector<std::string>& lines) {
  std::vector<int> shown;
  for (int i = 1; i <= s.n; ++i) {
    if (s.defined(i)) shown.push_back(i);
  }
  if (shown.size() < 2) return;
  lines.push_back("Correlation matrix (* where |r| > 0.95):");
  ResultLine header;
  for (int k : shown) header.Zone().Text(FitSetupName(setup, k));
  lines.push_back(header.str());
  for (int i : shown) {
    ResultLine row;
    row.Text(FitSetupName(setup, i));
    for (int k : shown) row.Zone().Text(k == i ? "1" : Correlation(s.correlation(i, k)));
    lines.push_back(row.str());
  }
}

void SummaryLines(const FitStatistics& s, std::vector<std::string>& lines) {
  lines.push_back(ResultLine()
                      .Text("M = ")
                      .Number(s.m)
                      .Zone()
                      .Text("N = ")
                      .Number(s.n)
                      .Zone()
                      .Text("Degrees of freedom = ")
                      .Number(s.dof)
                      .str());
  ResultLine sums;
  sums.Text("SSR = ").Number(s.ssr);
  if (s.s) sums.Zone().Text("s = ").Text(Short(*s.s));
  if (s.reducedChiSquare) sums.Zone().Text("Reduced chi^2 = ").Text(Short(*s.reducedChiSquare));
  if (s.rSquared) sums.Zone().Text("R^2 = ").Number(*s.rSquared);
  lines.push_back(sums.str());
  if (s.durbinWatson) {
    lines.push_back(ResultLine().Text("Durbin-Watson DW = ").Number(*s.durbinWatson).str());
  }
  for (std::string& sentence : GoodnessSentences(s)) lines.push_back(std::move(sentence));
}

}  // namespace

std::vector<std::string> FitStatisticsLines(const FitSetup& setup, const FitResult& result) {
  std::vector<std::string> lines;
  lines.emplace_back();
  if (!result.statistics) {
    lines.push_back("Fit statistics not available: " + result.statisticsUnavailable);
    return lines;
  }
  const FitStatistics& s = *result.statistics;
  lines.push_back("Fit statistics at the fitted values:");
  if (s.n > 0) {
    lines.push_back(ResultLine()
                        .Text("Parameter")
                        .Zone()
                        .Text("Value")
                        .Zone()
                        .Text("Std. error")
                        .Zone()
                        .Text("95% +/-")
                        .Zone()
                        .Text("Rel. error %")
                        .str());
    for (int i = 1; i <= s.n; ++i) lines.push_back(ParameterRow(setup, s, i).str());
  }
  if (!s.notSeparatelyDetermined.empty()) {
    lines.push_back("parameters not separately determined: " +
                    Names(setup, s.notSeparatelyDetermined));
  }
  if (s.n > 0 && s.dof <= 0) {
    lines.push_back("No degrees of freedom are left (M - N = " + std::to_string(s.dof) +
                    "): the standard errors are not defined.");
  }
  CorrelationLines(setup, s, lines);
  SummaryLines(s, lines);
  lines.push_back("These are linearised estimates: they hold when the curve is nearly linear in");
  lines.push_back(
      "the parameters over their errors and the residuals are independent, of one variance.");
  return lines;
}

}  // namespace vorex
