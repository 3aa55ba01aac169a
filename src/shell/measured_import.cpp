#include "shell/measured_import.h"

#include <string>

#include "base/host.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "readers/measured_step.h"
#include "readers/uniform_grid.h"
#include "shell/imported_curve.h"
#include "shell/measured_points.h"
#include "shell/measured_settings.h"

namespace vorex {
namespace {

bool Fail(CurveLinks& l, const std::string& why) {
  l.host.Message("ReadData Error: " + why, MessageKind::Critical);
  return false;
}

std::string Volts(double e) {
  return FormatShortest(e) + " V";
}

std::string CycleItem(const MeasuredCycle& c) {
  return "Cycle " + std::to_string(c.number) + ": " + std::to_string(c.potential.size()) +
         " points from " + Volts(c.potential.front()) + " to " + Volts(c.potential.back());
}

std::size_t TotalPoints(const MeasuredData& data) {
  std::size_t total = 0;
  for (const MeasuredCycle& c : data.cycles) total += c.potential.size();
  return total;
}

// The cycles to import: the index of one, or every one (-1). Nothing when the user cancels or
// names a cycle the file does not have (then after saying so).
std::optional<int> ChosenCycle(CurveLinks& l, const MeasuredData& data,
                               const ImportRequest& request) {
  const int count = static_cast<int>(data.cycles.size());
  if (request.cycle) {
    if (*request.cycle == "all") return -1;
    for (int k = 0; k < count; ++k) {
      if (std::to_string(data.cycles[static_cast<std::size_t>(k)].number) == *request.cycle)
        return k;
    }
    Fail(l, data.format + ": the file has no cycle " + *request.cycle + "; its cycles are " +
                std::to_string(data.cycles.front().number) + " to " +
                std::to_string(data.cycles.back().number) + " (cycles lists them).");
    return std::nullopt;
  }
  if (count == 1) return 0;
  std::vector<std::string> items;
  for (const MeasuredCycle& c : data.cycles) items.push_back(CycleItem(c));
  items.push_back("All cycles, one after the other: " + std::to_string(TotalPoints(data)) +
                  " points");
  const std::optional<int> chosen =
      l.host.ChooseItem(data.format + ": which cycle to import?", items, 0);
  if (!chosen || *chosen < 0 || *chosen > count) return std::nullopt;
  return *chosen == count ? -1 : *chosen;
}

void PrintDescription(CurveLinks& l, const MeasuredData& data, int cycle) {
  FormResult& out = l.formResult;
  std::string line = data.format;
  if (!data.technique.empty()) line += ", " + data.technique;
  const int count = static_cast<int>(data.cycles.size());
  if (count > 1) {
    line += cycle < 0
                ? ", all " + std::to_string(count) + " cycles"
                : ", cycle " + std::to_string(data.cycles[static_cast<std::size_t>(cycle)].number) +
                      " of " + std::to_string(count);
  }
  out.Print(line);
  for (const std::string& note : data.notes) out.Print(note);
}

}  // namespace

bool ImportMeasured(CurveLinks& l, MeasuredData& data, const ImportRequest& request,
                    const std::string& source) {
  ApplyImportOptions(data, request);
  if (request.listCycles) {
    l.formResult.Print(data.format + (data.technique.empty() ? "" : ", " + data.technique) + ": " +
                       std::to_string(data.cycles.size()) + " cycle(s)");
    for (const MeasuredCycle& c : data.cycles) l.formResult.Print(CycleItem(c));
    l.formResult.Show();
    return false;
  }
  const std::optional<int> cycle = ChosenCycle(l, data, request);
  if (!cycle) return false;
  std::vector<double> e, i;
  for (int k = 0; k < static_cast<int>(data.cycles.size()); ++k) {
    if (*cycle >= 0 && k != *cycle) continue;
    const MeasuredCycle& c = data.cycles[static_cast<std::size_t>(k)];
    e.insert(e.end(), c.potential.begin(), c.potential.end());
    i.insert(i.end(), c.current.begin(), c.current.end());
  }
  auto points = StorePoints(e, i);
  if (const auto* why = std::get_if<std::string>(&points)) {
    return Fail(l, data.format + ": " + *why);
  }
  UniformRecord& uniform = std::get<UniformRecord>(points);
  ImportedCurve curve;
  if (uniform.potential.size() > 1) {
    const auto every = static_cast<double>(uniform.every);
    curve.step =
        ShownStep(uniform.step * every, data.settings.potentialStep, uniform.stepError * every);
  }
  curve.potential = std::move(uniform.potential);
  curve.current = std::move(uniform.current);
  curve.vertices = std::move(uniform.vertices);
  curve.name = "measured " + source;
  if (*cycle >= 0 && data.cycles.size() > 1) {
    curve.name += " cycle " + std::to_string(data.cycles[static_cast<std::size_t>(*cycle)].number);
  }
  if (!StoreImportedCurve(l, curve)) return false;
  PrintDescription(l, data, *cycle);
  for (const std::string& line : ResamplingLines(uniform, e.size(), curve.potential.size())) {
    l.formResult.Print(line);
  }
  const bool falling = curve.potential.size() > 1 && curve.potential[1] < curve.potential[0];
  OfferSettings(l, data.settings, request.applySettings, falling ? -1 : 1);
  return true;
}

}  // namespace vorex
