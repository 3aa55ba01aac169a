// Reading a project file (see project_file.h): the whole text into a new content, every member
// checked, before the caller changes anything.
#include <cmath>

#include "base/file_reading.h"
#include "experiment/settings_file.h"
#include "readers/measured_data.h"
#include "shell/project_file.h"
#include "shell/project_names.h"

namespace vorex {
namespace {

using Kind = JsonValue::Kind;

// A member that is missing or does not suit its field, with the member's path for the message.
struct Damaged {
  std::string message;
};

[[noreturn]] void Refuse(const std::string& where, const std::string& what) {
  throw Damaged{where + " " + what};
}

const JsonValue& Member(const JsonValue& object, std::string_view key, const std::string& where) {
  const JsonValue* v = object.Find(key);
  if (v == nullptr) Refuse(where + "." + std::string(key), "is missing");
  return *v;
}

const JsonValue& OfKind(const JsonValue& v, Kind kind, const std::string& where) {
  static constexpr const char* kNames[] = {"null",   "true or false", "a number",
                                           "a text", "a list",        "an object"};
  if (v.kind != kind) Refuse(where, std::string("must be ") + kNames[static_cast<int>(kind)]);
  return v;
}

double FiniteNumber(const JsonValue& v, const std::string& where) {
  OfKind(v, Kind::Number, where);
  if (!std::isfinite(v.number)) Refuse(where, "is out of range");
  return v.number;
}

int Whole(const JsonValue& v, int lowest, int highest, const std::string& where) {
  const double x = FiniteNumber(v, where);
  if (x != std::floor(x) || x < lowest || x > highest) {
    Refuse(where, "must be a whole number from " + std::to_string(lowest) + " to " +
                      std::to_string(highest));
  }
  return static_cast<int>(x);
}

const std::string& Text(const JsonValue& v, const std::string& where) {
  return OfKind(v, Kind::String, where).string;
}

// A list of exactly `count` numbers, each given to `put` with its 0-based position.
template <class Put>
void Numbers(const JsonValue& v, std::size_t count, const std::string& where, Put put) {
  OfKind(v, Kind::Array, where);
  if (v.array.size() != count) {
    Refuse(where, "has " + std::to_string(v.array.size()) + " values where " +
                      std::to_string(count) + " belong");
  }
  for (std::size_t i = 0; i < count; ++i) {
    put(i, FiniteNumber(v.array[i], where + "[" + std::to_string(i) + "]"));
  }
}

std::vector<double> NumberList(const JsonValue& v, const std::string& where) {
  OfKind(v, Kind::Array, where);
  std::vector<double> values(v.array.size());
  Numbers(v, v.array.size(), where, [&](std::size_t i, double x) { values[i] = x; });
  return values;
}

int Count(const JsonValue& curves, std::string_view key, int lowest, int highest) {
  return Whole(Member(curves, key, "curves"), lowest, highest, "curves." + std::string(key));
}

void ReadCurveList(const JsonValue& list, CurveStore& c) {
  OfKind(list, Kind::Array, "curves.Curves");
  if (list.array.size() != kMaxCurves) Refuse("curves.Curves", "must hold 5 curves");
  const auto n = static_cast<std::size_t>(c.PointCount);
  for (int k = 1; k <= kMaxCurves; ++k) {
    const std::string where = "curves.Curves[" + std::to_string(k - 1) + "]";
    const JsonValue& curve =
        OfKind(list.array[static_cast<std::size_t>(k - 1)], Kind::Object, where);
    const std::optional<CurveRole> role =
        RoleNamed(Text(Member(curve, "Role", where), where + ".Role"));
    if (!role) Refuse(where + ".Role", "is not a role of a curve");
    c.Role(k) = *role;
    c.Name(k) = Text(Member(curve, "Name", where), where + ".Name");
    Numbers(Member(curve, "Ordinate", where), n, where + ".Ordinate",
            [&](std::size_t i, double x) { c.Ordinate(static_cast<int>(i) + 1, k) = x; });
  }
}

// The columns 1..`columns` of a matrix, each of the store's points.
template <class Matrix>
void ReadColumns(const JsonValue& curves, std::string_view key, int columns, int points,
                 Matrix& m) {
  const std::string where = "curves." + std::string(key);
  const JsonValue& list = OfKind(Member(curves, key, "curves"), Kind::Array, where);
  if (list.array.size() != static_cast<std::size_t>(columns)) {
    Refuse(where, "must hold " + std::to_string(columns) + " columns");
  }
  for (int j = 1; j <= columns; ++j) {
    Numbers(list.array[static_cast<std::size_t>(j - 1)], static_cast<std::size_t>(points),
            where + "[" + std::to_string(j - 1) + "]",
            [&](std::size_t i, double x) { m(static_cast<int>(i) + 1, j) = x; });
  }
}

void ReadCurves(const JsonValue& curves, CurveStore& c) {
  OfKind(curves, Kind::Object, "curves");
  c.PointCount = Count(curves, "PointCount", 0, kMaxPoints);
  const int n = c.PointCount;
  Numbers(Member(curves, "Abscissa", "curves"), static_cast<std::size_t>(n), "curves.Abscissa",
          [&](std::size_t i, double x) { c.Abscissa(static_cast<int>(i) + 1) = x; });
  ReadCurveList(Member(curves, "Curves", "curves"), c);
  c.PointsPerSweep = Count(curves, "PointsPerSweep", 0, n);
  c.FirstPoint = Count(curves, "FirstPoint", 0, n);
  c.LastPoint = Count(curves, "LastPoint", 0, n);
  c.CurrentCurve = Count(curves, "CurrentCurve", 1, kMaxCurves);
  c.CurveCount = Count(curves, "CurveCount", 1, kMaxCurves);
  c.StoredCurveCount = Count(curves, "StoredCurveCount", 0, kMaxCurves);
  const std::vector<double> vertices =
      NumberList(Member(curves, "Vertex", "curves"), "curves.Vertex");
  if (vertices.size() >= static_cast<std::size_t>(kMaxPoints))
    Refuse("curves.Vertex", "is too long");
  c.VertexCount = static_cast<int>(vertices.size());
  for (int v = 1; v <= c.VertexCount; ++v) {
    c.Vertex(v) = Whole(curves.Find("Vertex")->array[static_cast<std::size_t>(v - 1)], 1, n,
                        "curves.Vertex[" + std::to_string(v - 1) + "]");
  }
  c.YMax = FiniteNumber(Member(curves, "YMax", "curves"), "curves.YMax");
  c.YMin = FiniteNumber(Member(curves, "YMin", "curves"), "curves.YMin");
  ReadColumns(curves, "SimulatedCurrent", kSimulatedCurrentColumns, n, c.SimulatedCurrent);
  ReadColumns(curves, "SurfaceConcentration", kMaxNetworkSpecies, n, c.SurfaceConcentration);
}

ControlState ReadControl(const Control& control, const JsonValue& v, const std::string& where) {
  ControlState state{control.FullName(), control.Text(), control.Checked(), control.ListIndex()};
  switch (control.Kind()) {
    case ControlKind::ComboBox:
      state.listIndex = Whole(v, -1, static_cast<int>(control.Items().size()) - 1, where);
      break;
    case ControlKind::TextBox:
      state.text = Text(v, where);
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      state.checked = OfKind(v, Kind::Boolean, where).boolean;
      break;
    default:
      Refuse(where, "is not an option of the plot");
  }
  return state;
}

void ReadPlot(const JsonValue& plot, const Window& options, ProjectContent& content) {
  OfKind(plot, Kind::Object, "plot");
  const JsonValue& controls =
      OfKind(Member(plot, "Controls", "plot"), Kind::Object, "plot.Controls");
  for (const JsonMember& m : controls.object) {
    const Control* control = FindByFullName(options, m.key);
    // A control of a later dialog is passed over: the options the dialog has are all read.
    if (control == nullptr) continue;
    content.plotOptions.push_back(ReadControl(*control, m.value, "plot.Controls." + m.key));
  }
  PlotState& s = content.plotState;
  s.XMin = FiniteNumber(Member(plot, "XMin", "plot"), "plot.XMin");
  s.XMax = FiniteNumber(Member(plot, "XMax", "plot"), "plot.XMax");
  s.GridOn = OfKind(Member(plot, "GridOn", "plot"), Kind::Boolean, "plot.GridOn").boolean;
  s.OverlapOn = OfKind(Member(plot, "OverlapOn", "plot"), Kind::Boolean, "plot.OverlapOn").boolean;
  const JsonValue& styles = Member(plot, "LineStyle", "plot");
  Numbers(styles, kMaxCurves, "plot.LineStyle", [](std::size_t, double) {});
  for (int k = 1; k <= kMaxCurves; ++k) {
    s.LineStyle(k) = Whole(styles.array[static_cast<std::size_t>(k - 1)], 0, 3,
                           "plot.LineStyle[" + std::to_string(k - 1) + "]");
  }
}

Keyword ReadOwn(const JsonValue& v, const std::string& where) {
  OfKind(v, Kind::Object, where);
  const auto kind = KeywordKindNamed(Text(Member(v, "Kind", where), where + ".Kind"));
  if (!kind) Refuse(where + ".Kind", "must be \"number\", \"name\" or \"flag\"");
  KeywordValue value;
  value.kind = *kind;
  value.text = Text(Member(v, "Text", where), where + ".Text");
  value.flag = OfKind(Member(v, "Flag", where), Kind::Boolean, where + ".Flag").boolean;
  value.shown = Text(Member(v, "Shown", where), where + ".Shown");
  return Keyword{Text(Member(v, "Keyword", where), where + ".Keyword"), value};
}

SetCurve ReadSetCurve(const JsonValue& v, const std::string& where) {
  OfKind(v, Kind::Object, where);
  SetCurve curve;
  curve.name = Text(Member(v, "Name", where), where + ".Name");
  curve.potential = NumberList(Member(v, "Potential", where), where + ".Potential");
  curve.current = NumberList(Member(v, "Current", where), where + ".Current");
  if (curve.current.size() != curve.potential.size()) {
    Refuse(where + ".Current", "must hold as many values as the potentials");
  }
  const JsonValue& own = OfKind(Member(v, "Own", where), Kind::Array, where + ".Own");
  for (std::size_t k = 0; k < own.array.size(); ++k) {
    curve.own.push_back(ReadOwn(own.array[k], where + ".Own[" + std::to_string(k) + "]"));
  }
  return curve;
}

void ReadFit(const JsonValue& fit, SavedFitSet& set) {
  OfKind(fit, Kind::Object, "fit");
  const JsonValue& curves = OfKind(Member(fit, "SetCurves", "fit"), Kind::Array, "fit.SetCurves");
  for (std::size_t k = 0; k < curves.array.size(); ++k) {
    set.curves.push_back(ReadSetCurve(curves.array[k], "fit.SetCurves[" + std::to_string(k) + "]"));
  }
  const JsonValue& slots =
      OfKind(Member(fit, "PerCurveSlots", "fit"), Kind::Array, "fit.PerCurveSlots");
  for (std::size_t k = 0; k < slots.array.size(); ++k) {
    set.perCurveSlots.push_back(
        Whole(slots.array[k], 1, 1000, "fit.PerCurveSlots[" + std::to_string(k) + "]"));
  }
  const auto weighting = WeightingOfWord(Text(Member(fit, "Weighting", "fit"), "fit.Weighting"));
  if (!weighting) Refuse("fit.Weighting", "must be \"none\", \"largest current\" or \"noise\"");
  set.weighting = *weighting;
  set.threads = Whole(Member(fit, "Threads", "fit"), 0, 1 << 16, "fit.Threads");
  set.evaluationBudget =
      Whole(Member(fit, "EvaluationBudget", "fit"), 0, 1 << 30, "fit.EvaluationBudget");
}

std::string Header(const JsonValue& document) {
  const JsonValue* format = document.kind == Kind::Object ? document.Find("format") : nullptr;
  if (format == nullptr || format->kind != Kind::String || format->string != kProjectFormatName) {
    return "not a project file: it does not say \"format\": \"vorex-project\"";
  }
  const JsonValue* version = document.Find("version");
  if (version == nullptr || version->kind != Kind::Number || version->number < 1 ||
      version->number != std::floor(version->number)) {
    return "not a project file: it has no format version";
  }
  if (version->number > kProjectFormatVersion) {
    return "the project was written in format version " + version->numberText +
           " by a newer Vorex; this one reads version " + std::to_string(kProjectFormatVersion);
  }
  return "";
}

}  // namespace

ProjectRead ParseProjectJson(std::string_view text, const Window& plotOptions) {
  ProjectRead read;
  JsonValue document;
  try {
    document = ParseJsonKeepingNumberText(text);
  } catch (const ReadError& error) {
    read.error = "not a project file: " + error.Message();
    return read;
  }
  read.error = Header(document);
  if (!read.error.empty()) return read;
  ProjectContent content;
  try {
    const JsonValue& settings =
        OfKind(Member(document, "settings", "project"), Kind::Object, "settings");
    SettingsRead s = SettingsFromJson(settings);
    if (!s.settings) throw Damaged{"settings: " + s.error};
    content.settings = *s.settings;
    ReadCurves(Member(document, "curves", "project"), *content.curves);
    ReadPlot(Member(document, "plot", "project"), plotOptions, content);
    ReadFit(Member(document, "fit", "project"), content.fitSet);
    const JsonValue& result = OfKind(Member(document, "result", "project"), Kind::Array, "result");
    for (std::size_t i = 0; i < result.array.size(); ++i) {
      content.result.push_back(Text(result.array[i], "result[" + std::to_string(i) + "]"));
    }
  } catch (const Damaged& damaged) {
    read.error = "the project file is damaged: " + damaged.message;
    return read;
  }
  read.content = std::move(content);
  return read;
}

ProjectRead ReadProjectFile(const std::string& path, const Window& plotOptions) {
  std::string error;
  const std::optional<std::string> text = ReadDataFile(path, kMaxProjectFileBytes, error);
  if (!text) return ProjectRead{std::nullopt, error};
  return ParseProjectJson(*text, plotOptions);
}

}  // namespace vorex
