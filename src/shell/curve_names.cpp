#include "shell/curve_names.h"

#include <algorithm>
#include <charconv>

#include "plot/curve_legend.h"
#include "plot/plot_renderer.h"
#include "shell/program.h"
#include "shell/script_error.h"

namespace vorex {
namespace {

constexpr std::string_view kStatement = "FormPlot.CurveName(";

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<std::string> RenameCurve(Program& program, int curve, std::string_view name) {
  CurveStore& c = program.curves;
  if (curve < 1 || curve > c.CurveCount || c.PointCount < 1) {
    return "The plot shows no curve " + std::to_string(curve) + " (it shows " +
           std::to_string(c.PointCount < 1 ? 0 : c.CurveCount) + "); no curve was renamed.";
  }
  name = Trim(name);
  if (name.size() > kMaxCurveName) {
    return "A curve's name takes at most " + std::to_string(kMaxCurveName) + " characters; curve " +
           std::to_string(curve) + " keeps its name.";
  }
  const auto control = [](char ch) { return static_cast<unsigned char>(ch) < 0x20; };
  if (std::any_of(name.begin(), name.end(), control)) {
    return "A curve's name is one line of text; curve " + std::to_string(curve) +
           " keeps its name.";
  }
  NameCurve(c, curve, c.Role(curve), std::string(name));
  if (!program.fit.running) PlotCurves(program.links, c.FirstPoint, c.LastPoint);
  return std::nullopt;
}

bool CurveNameStatement(Program& program, std::string_view statement) {
  const std::string_view s = Trim(statement);
  if (s.substr(0, kStatement.size()) != kStatement) return false;
  const std::size_t close = s.find(')');
  const std::size_t equals = s.find('=');
  if (close == std::string_view::npos || equals == std::string_view::npos || equals < close ||
      !Trim(s.substr(close + 1, equals - close - 1)).empty()) {
    throw ScriptError("FormPlot.CurveName takes (N) = NAME");
  }
  const std::string_view digits = Trim(s.substr(kStatement.size(), close - kStatement.size()));
  int curve = 0;
  const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), curve);
  if (read.ec != std::errc() || read.ptr != digits.data() + digits.size()) {
    throw ScriptError("FormPlot.CurveName takes a curve number, not \"" + std::string(digits) +
                      "\"");
  }
  if (const auto why = RenameCurve(program, curve, s.substr(equals + 1))) {
    program.host.Message(*why, MessageKind::Warning);
  }
  return true;
}

}  // namespace vorex
