// Writing a project file (see project_file.h).
#include <cmath>
#include <span>

#include "base/file_writing.h"
#include "base/number_format.h"
#include "experiment/settings_file.h"
#include "readers/json_value.h"
#include "shell/project_file.h"
#include "shell/project_names.h"

namespace vorex {
namespace {

// A document written member by member; the first number that is not finite is remembered, since
// JSON has no text for it and the file could not be read back.
class Writer {
 public:
  std::string out;
  std::string error;

  void Number(double value, std::string_view where) {
    if (!std::isfinite(value)) {
      if (error.empty()) error = std::string(where) + " holds a value that is not a number";
      out += "0";
      return;
    }
    out += FormatRoundTrip(value);
  }
  // Values first..last of a column of a matrix, or of an array, ten to a line.
  template <class Get>
  void Numbers(int first, int last, Get get, std::string_view where) {
    out += '[';
    for (int i = first; i <= last; ++i) {
      if (i > first) out += (i - first) % 10 == 0 ? ",\n      " : ", ";
      Number(get(i), where);
    }
    out += ']';
  }
  void Key(std::string_view key, bool first = false) {
    out += first ? "\n    " : ",\n    ";
    out += JsonString(key) + ": ";
  }
};

void WriteCurves(Writer& w, const CurveStore& c) {
  const int n = c.PointCount;
  w.out += "{";
  w.Key("PointCount", true);
  w.out += std::to_string(n);
  w.Key("Abscissa");
  w.Numbers(
      1, n, [&](int i) { return c.Abscissa(i); }, "the abscissa");
  w.Key("Curves");
  w.out += "[";
  for (int k = 1; k <= kMaxCurves; ++k) {
    w.out += k == 1 ? "\n    {" : ",\n    {";
    w.out +=
        "\"Role\": " + JsonString(RoleName(c.Role(k))) + ", \"Name\": " + JsonString(c.Name(k));
    w.out += ",\n     \"Ordinate\": ";
    const std::string where = "curve " + std::to_string(k);
    w.Numbers(
        1, n, [&](int i) { return c.Ordinate(i, k); }, where);
    w.out += "}";
  }
  w.out += "]";
  const std::pair<const char*, int> counts[] = {
      {"PointsPerSweep", c.PointsPerSweep}, {"FirstPoint", c.FirstPoint},
      {"LastPoint", c.LastPoint},           {"CurrentCurve", c.CurrentCurve},
      {"CurveCount", c.CurveCount},         {"StoredCurveCount", c.StoredCurveCount}};
  for (const auto& [key, value] : counts) {
    w.Key(key);
    w.out += std::to_string(value);
  }
  w.Key("Vertex");
  w.Numbers(
      1, c.VertexCount, [&](int i) { return c.Vertex(i); }, "the vertices");
  w.Key("YMax");
  w.Number(c.YMax, "YMax");
  w.Key("YMin");
  w.Number(c.YMin, "YMin");
  w.Key("SimulatedCurrent");
  w.out += "[";
  for (int j = 1; j <= kSimulatedCurrentColumns; ++j) {
    w.out += j == 1 ? "\n     " : ",\n     ";
    w.Numbers(
        1, n, [&](int i) { return c.SimulatedCurrent(i, j); }, "the simulated currents");
  }
  w.out += "]";
  w.Key("SurfaceConcentration");
  w.out += "[";
  for (int s = 1; s <= kMaxNetworkSpecies; ++s) {
    w.out += s == 1 ? "\n     " : ",\n     ";
    w.Numbers(
        1, n, [&](int i) { return c.SurfaceConcentration(i, s); }, "the surface concentrations");
  }
  w.out += "]\n  }";
}

void WritePlot(Writer& w, const Window& options, const PlotState& state) {
  w.out += "{";
  w.Key("Controls", true);
  w.out += "{";
  bool first = true;
  for (const ControlState& c : ControlStatesOf(options)) {
    const Control* control = FindByFullName(options, c.name);
    w.out += first ? "\n      " : ",\n      ";
    first = false;
    w.out += JsonString(c.name) + ": ";
    switch (control->Kind()) {
      case ControlKind::ComboBox:
        w.out += std::to_string(c.listIndex);
        break;
      case ControlKind::TextBox:
        w.out += JsonString(c.text);
        break;
      default:
        w.out += c.checked ? "true" : "false";
    }
  }
  w.out += "}";
  w.Key("XMin");
  w.Number(state.XMin, "XMin");
  w.Key("XMax");
  w.Number(state.XMax, "XMax");
  w.Key("GridOn");
  w.out += state.GridOn ? "true" : "false";
  w.Key("OverlapOn");
  w.out += state.OverlapOn ? "true" : "false";
  w.Key("LineStyle");
  w.Numbers(
      1, kMaxCurves, [&](int k) { return state.LineStyle(k); }, "the line styles");
  w.out += "\n  }";
}

void WriteSetCurve(Writer& w, const SetCurve& curve) {
  const int n = static_cast<int>(curve.potential.size());
  w.out += "{\"Name\": " + JsonString(curve.name) + ",\n      \"Potential\": ";
  w.Numbers(
      0, n - 1, [&](int i) { return curve.potential[static_cast<std::size_t>(i)]; }, curve.name);
  w.out += ",\n      \"Current\": ";
  w.Numbers(
      0, n - 1, [&](int i) { return curve.current[static_cast<std::size_t>(i)]; }, curve.name);
  w.out += ",\n      \"Own\": [";
  for (std::size_t k = 0; k < curve.own.size(); ++k) {
    const KeywordValue& v = curve.own[k].value;
    w.out += k == 0 ? "" : ", ";
    w.out += "{\"Keyword\": " + JsonString(curve.own[k].name) +
             ", \"Kind\": " + JsonString(KeywordKindName(v.kind)) +
             ", \"Text\": " + JsonString(v.text) + ", \"Flag\": " + (v.flag ? "true" : "false") +
             ", \"Shown\": " + JsonString(v.shown) + "}";
  }
  w.out += "]}";
}

void WriteFit(Writer& w, const GlobalFitSet& set) {
  w.out += "{";
  w.Key("SetCurves", true);
  w.out += "[";
  for (std::size_t k = 0; k < set.curves.size(); ++k) {
    w.out += k == 0 ? "\n     " : ",\n     ";
    WriteSetCurve(w, set.curves[k]);
  }
  w.out += "]";
  w.Key("PerCurveSlots");
  const int slots = static_cast<int>(set.perCurveSlots.size());
  w.Numbers(
      0, slots - 1, [&](int i) { return set.perCurveSlots[static_cast<std::size_t>(i)]; },
      "the slots");
  w.Key("Weighting");
  w.out += JsonString(WeightingWord(set.weighting));
  w.Key("Threads");
  w.out += std::to_string(set.threads);
  w.Key("EvaluationBudget");
  w.out += std::to_string(set.evaluationBudget);
  w.out += "\n  }";
}

// The settings file's document, indented one level further to sit inside the project.
std::string Indented(const std::string& document) {
  std::string out;
  for (std::size_t i = 0; i < document.size(); ++i) {
    out += document[i];
    if (document[i] == '\n' && i + 1 < document.size()) out += "  ";
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace

ProjectText ProjectJson(const ProjectParts& parts) {
  Writer w;
  w.out = "{\n  \"format\": " + JsonString(kProjectFormatName) +
          ",\n  \"version\": " + std::to_string(kProjectFormatVersion) +
          ",\n  \"settings\": " + Indented(SettingsJson(parts.settings)) + ",\n  \"curves\": ";
  WriteCurves(w, parts.curves);
  w.out += ",\n  \"plot\": ";
  WritePlot(w, parts.plotOptions, parts.plotState);
  w.out += ",\n  \"fit\": ";
  WriteFit(w, parts.fitSet);
  w.out += ",\n  \"result\": [";
  for (std::size_t i = 0; i < parts.result.size(); ++i) {
    w.out += i == 0 ? "\n    " : ",\n    ";
    w.out += JsonString(parts.result[i]);
  }
  w.out += "]\n}\n";
  if (!w.error.empty()) return ProjectText{"", w.error};
  return ProjectText{std::move(w.out), ""};
}

std::optional<std::string> WriteProjectFile(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, text);
}

}  // namespace vorex
