#include "shell/measured_import.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/host.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "readers/measured_step.h"
#include "readers/uniform_grid.h"
#include "shell/imported_curve.h"
#include "shell/measured_settings.h"

namespace vorex {
namespace {

bool Fail(CurveLinks& l, const std::string& why) {
  l.host.MessageBox("ReadData Error: " + why);
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

// The request's options on what the reader gave: the other sign, the applied potential.
void ApplyOptions(MeasuredData& data, const ImportRequest& request) {
  if (request.invertCurrent) {
    for (MeasuredCycle& c : data.cycles) {
      for (double& i : c.current) i = -i;
    }
    data.notes.push_back("The currents were negated once more, as the import was asked to.");
  }
  if (!request.appliedPotential) return;
  bool missing = false;
  for (MeasuredCycle& c : data.cycles) {
    if (c.applied.size() == c.potential.size()) {
      c.potential.swap(c.applied);
    } else {
      missing = true;
    }
  }
  data.notes.push_back(missing ? "The file has no applied potential; the measured one is used."
                               : "The applied potential is the abscissa.");
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

// A resampling onto a tiny step can ask for more points than an integer spells usefully, or
// than a double holds.
std::string PointCount(double count) {
  if (count < 1e15) return std::to_string(static_cast<long long>(count));
  return std::isfinite(count) ? "about " + FormatPattern(count, "0.#e-#") : "more than 1e308";
}

// Why a record that MakeUniform refused cannot go into the store.
std::string Unfit(const UniformRecord& u, const std::vector<double>& e, std::size_t limit) {
  const std::string own = std::to_string(e.size());
  if (u.pointCount > static_cast<double>(limit)) {
    return "on its median step of " + Volts(DecimalStep(u.step, u.stepError)) +
           " the curve would have " + PointCount(u.pointCount) + " points, far more than its own " +
           own +
           ": a potential far off the sweep, or a gap in the record. Choose one cycle "
           "(`mnuImport file cycle=N`; `cycles` lists them) or export a shorter range from the "
           "instrument's software.";
  }
  return "the curve has " + own + " points, more than the " + std::to_string(kMaxPoints) +
         " the store holds, and cannot be thinned to fit: its potential " +
         (u.step > 0 ? "turns more often than that" : "never moves") +
         ". Choose one cycle (`mnuImport file cycle=N`; `cycles` lists them).";
}

std::string Ordinal(std::size_t n) {
  const std::size_t tens = n % 100, units = n % 10;
  const bool teen = tens >= 11 && tens <= 13;
  const char* suffix = teen || units == 0 || units > 3 ? "th"
                       : units == 1                    ? "st"
                       : units == 2                    ? "nd"
                                                       : "rd";
  return std::to_string(n) + suffix;
}

// What was done to the measured points to put them on the store's uniform step and within its
// size.
void PrintResampling(FormResult& out, const UniformRecord& u, std::size_t measured,
                     std::size_t stored) {
  if (u.resampled) {
    // Six digits say how uneven the steps were; the step itself as the E step field gets it.
    const auto step = [](double e) { return FormatPattern(e, "0.#####e-#") + " V"; };
    out.Print("The potential steps ran from " + step(u.smallestStep) + " to " +
              step(u.largestStep) +
              "; the curve was resampled by linear interpolation onto equal steps of about " +
              Volts(DecimalStep(u.step, u.stepError)) +
              " in each sweep, its vertices and ends as measured.");
  }
  if (u.every > 1) {
    out.Print(std::to_string(measured) + " points thinned to " + std::to_string(stored) +
              " (every " + Ordinal(u.every) + " point, vertices kept): the store holds at most " +
              std::to_string(kMaxPoints) + ".");
  }
}

}  // namespace

bool ImportMeasured(CurveLinks& l, MeasuredData& data, const ImportRequest& request) {
  ApplyOptions(data, request);
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
  // However far a stray potential lies, the grid may not outgrow twice the record's own points.
  const std::size_t limit = std::max(static_cast<std::size_t>(kMaxPoints), 2 * e.size());
  UniformRecord uniform = MakeUniform(e, i, limit, kMaxPoints);
  if (uniform.potential.empty()) return Fail(l, data.format + ": " + Unfit(uniform, e, limit));
  ImportedCurve curve;
  if (uniform.potential.size() > 1) {
    const auto every = static_cast<double>(uniform.every);
    curve.step =
        ShownStep(uniform.step * every, data.settings.potentialStep, uniform.stepError * every);
  }
  curve.potential = std::move(uniform.potential);
  curve.current = std::move(uniform.current);
  curve.vertices = std::move(uniform.vertices);
  if (!StoreImportedCurve(l, curve)) return false;
  PrintDescription(l, data, *cycle);
  PrintResampling(l.formResult, uniform, e.size(), curve.potential.size());
  const bool falling = curve.potential.size() > 1 && curve.potential[1] < curve.potential[0];
  OfferSettings(l, data.settings, request.applySettings, falling ? -1 : 1);
  return true;
}

}  // namespace vorex
