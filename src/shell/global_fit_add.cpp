#include "shell/global_fit_add.h"

#include <filesystem>

#include "base/number_format.h"
#include "experiment/capture.h"
#include "readers/cycle_split.h"
#include "shell/measured_file.h"
#include "shell/measured_points.h"

namespace vorex {
namespace {

std::string FileName(const std::string& file) {
  const std::string name = std::filesystem::path(file).filename().string();
  return name.empty() ? file : name;
}

// The cycles the request names, by index; or why the file has none such.
std::variant<std::vector<std::size_t>, std::string> ChosenCycles(const MeasuredData& data,
                                                                 const ImportRequest& request) {
  std::vector<std::size_t> chosen;
  for (std::size_t k = 0; k < data.cycles.size(); ++k) {
    const bool named = request.cycle && std::to_string(data.cycles[k].number) == *request.cycle;
    if (!request.cycle || *request.cycle == "all" || named) chosen.push_back(k);
  }
  if (chosen.empty()) {
    return data.format + ": the file has no cycle " + *request.cycle + "; its cycles are " +
           std::to_string(data.cycles.front().number) + " to " +
           std::to_string(data.cycles.back().number) + ".";
  }
  return chosen;
}

// One curve of the file's chosen cycles, its points as Import Data would store them.
std::optional<std::string> AddCurve(CurvesToAdd& out, const MeasuredFile& read,
                                    std::vector<double> e, std::vector<double> i, std::string name,
                                    int cycle) {
  SetCurve curve;
  curve.name = std::move(name);
  if (read.plainPairs && e.size() <= static_cast<std::size_t>(kMaxPoints)) {
    curve.potential = std::move(e);
    curve.current = std::move(i);
  } else {
    auto points = StorePoints(e, i);
    if (const auto* why = std::get_if<std::string>(&points)) {
      return read.data.format + ": " + *why;
    }
    UniformRecord& u = std::get<UniformRecord>(points);
    for (std::string& line : ResamplingLines(u, e.size(), u.potential.size())) {
      out.lines.push_back(curve.name + ": " + line);
    }
    curve.potential = std::move(u.potential);
    curve.current = std::move(u.current);
  }
  const auto stated = [&](const char* keyword, const std::optional<double>& value) {
    if (!value || !(*value > 0)) return;
    const std::string text = FormatRoundTrip(*value);
    curve.own.push_back({keyword, KeywordValue::Number(text, text)});
  };
  stated("scan_rate", read.data.settings.scanRate);
  stated("area", read.data.settings.area);
  out.curves.push_back(std::move(curve));
  out.cycles.push_back(cycle);
  return std::nullopt;
}

}  // namespace

std::variant<CurvesToAdd, std::string> SetCurvesOfFile(const std::string& file,
                                                       const ImportRequest& request) {
  auto read = ReadMeasuredFile(file);
  if (const auto* why = std::get_if<std::string>(&read)) return "ReadData Error: " + *why;
  MeasuredFile& measured = std::get<MeasuredFile>(read);
  MeasuredData& data = measured.data;
  ApplyImportOptions(data, request);
  const auto chosen = ChosenCycles(data, request);
  if (const auto* why = std::get_if<std::string>(&chosen)) return "ReadData Error: " + *why;
  CurvesToAdd out;
  out.format = data.format;
  const std::string name = FileName(file);
  if (!request.cycle) {
    std::vector<double> e, i;
    for (const MeasuredCycle& c : data.cycles) {
      e.insert(e.end(), c.potential.begin(), c.potential.end());
      i.insert(i.end(), c.current.begin(), c.current.end());
    }
    if (auto why = AddCurve(out, measured, std::move(e), std::move(i), name, 0)) {
      return "ReadData Error: " + *why;
    }
    return out;
  }
  // A record of one cycle is named by its file alone, however it was asked for.
  const bool several = data.cycles.size() > 1;
  for (const std::size_t k : std::get<std::vector<std::size_t>>(chosen)) {
    const MeasuredCycle& c = data.cycles[k];
    if (auto why =
            AddCurve(out, measured, c.potential, c.current,
                     several ? name + " cycle " + std::to_string(c.number) : name, c.number)) {
      return "ReadData Error: " + *why;
    }
  }
  return out;
}

std::variant<SetCurve, std::string> SetCurveOfStore(const CurveStore& store, int n) {
  if (store.PointCount < 3) {
    return std::string("There is no curve of 3 points or more; simulate or import one first.");
  }
  if (n < 1 || n > store.CurveCount) {
    return "The plot has no curve " + std::to_string(n) + " (it shows " +
           std::to_string(store.CurveCount) + ").";
  }
  SetCurve curve;
  curve.name = "curve " + std::to_string(n) + " of the plot";
  for (int i = 1; i <= store.PointCount; ++i) {
    curve.potential.push_back(store.Abscissa(i));
    curve.current.push_back(store.Ordinate(i, n));
  }
  return curve;
}

std::optional<std::string> RefusedOwnValue(const Settings& settings, const GlobalFitSet& set,
                                           std::size_t c) {
  const auto own = SetCurveSettings(settings, set, c);
  if (!std::holds_alternative<Settings>(own)) return std::nullopt;
  const Captured captured = MakeParameterSet(std::get<Settings>(own));
  if (captured.ok()) return std::nullopt;
  const FieldId refused = captured.refusal->field;
  for (const Keyword& k : set.curves[c].own) {
    const auto* field = FieldNamed(k.name);
    const bool everyD = k.name == "D" && refused >= FieldId::D1 && refused <= Row(FieldId::D1, 4);
    if ((field != nullptr && field->id == refused) || everyD) {
      return "Curve " + std::to_string(c + 1) + " of the set: " + captured.refusal->message;
    }
  }
  return std::nullopt;
}

std::optional<std::string> AddSetCurves(GlobalFitSet& set, const Settings& settings,
                                        std::vector<SetCurve> curves,
                                        const std::vector<Keyword>& keywords) {
  GlobalFitSet trial = set;
  for (SetCurve& curve : curves) {
    if (auto why = AddSetCurve(trial, std::move(curve))) return why;
    if (auto why =
            SetCurveKeywords(trial, settings, static_cast<int>(trial.curves.size()), keywords)) {
      return why;
    }
    if (auto why = RefusedOwnValue(settings, trial, trial.curves.size() - 1)) return why;
  }
  set = std::move(trial);
  return std::nullopt;
}

}  // namespace vorex
