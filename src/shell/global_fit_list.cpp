#include "shell/global_fit_list.h"

#include <algorithm>

#include "base/number_format.h"
#include "readers/cycle_split.h"
#include "shell/global_fit_report.h"

namespace vorex {
namespace {

std::string Volts(double e) {
  return FormatShortest(e) + " V";
}

std::string ValueText(const KeywordValue& v) {
  if (v.kind == KeywordValue::Kind::Flag) return v.flag ? "True" : "False";
  return v.text;
}

std::string PerCurveText(const GlobalFitSet& set) {
  if (set.perCurveSlots.empty()) return "none";
  std::string text;
  for (const int k : set.perCurveSlots) text += (text.empty() ? "" : ", ") + FitSlotKeyword(k);
  return text;
}

}  // namespace

std::string FitSlotKeyword(int k) {
  return TableField(FitSlotField(k)).keyword;
}

std::string SetCurveLine(const GlobalFitSet& set, int c) {
  const SetCurve& curve = set.curves.at(static_cast<std::size_t>(c - 1));
  const auto [low, high] = std::minmax_element(curve.potential.begin(), curve.potential.end());
  const std::size_t vertices = VertexIndices(curve.potential).size();
  std::string line = "Curve " + std::to_string(c) + ": " + curve.name + ", " +
                     std::to_string(curve.potential.size()) + " points, E " + Volts(*low) + " to " +
                     Volts(*high) + " (from " + Volts(curve.potential.front()) + "), " +
                     std::to_string(vertices) + (vertices == 1 ? " vertex" : " vertices") +
                     "; own: ";
  if (curve.own.empty()) return line + "none";
  for (std::size_t k = 0; k < curve.own.size(); ++k) {
    line += (k == 0 ? "" : " ") + curve.own[k].name + "=" + ValueText(curve.own[k].value);
  }
  return line;
}

std::vector<std::string> SetListLines(const GlobalFitSet& set) {
  const std::size_t n = set.curves.size();
  std::vector<std::string> lines;
  lines.push_back(
      "The set holds " + std::to_string(n) + (n == 1 ? " curve" : " curves") +
      "; weighting: " + WeightingSentence(set.weighting) + "; per curve: " + PerCurveText(set) +
      "; threads: " + (set.threads > 0 ? std::to_string(set.threads) : "every processor") +
      "; last fit: " + (set.last ? "kept" : "none"));
  for (std::size_t c = 1; c <= n; ++c) lines.push_back(SetCurveLine(set, static_cast<int>(c)));
  return lines;
}

}  // namespace vorex
