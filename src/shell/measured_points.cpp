#include "shell/measured_points.h"

#include <algorithm>
#include <cmath>

#include "base/number_format.h"
#include "curves/curve_store.h"
#include "readers/measured_step.h"

namespace vorex {
namespace {

std::string Volts(double e) {
  return FormatShortest(e) + " V";
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

}  // namespace

void ApplyImportOptions(MeasuredData& data, const ImportRequest& request) {
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

std::variant<UniformRecord, std::string> StorePoints(const std::vector<double>& e,
                                                     const std::vector<double>& i) {
  // However far a stray potential lies, the grid may not outgrow twice the record's own points.
  const std::size_t limit = std::max(static_cast<std::size_t>(kMaxPoints), 2 * e.size());
  UniformRecord uniform = MakeUniform(e, i, limit, kMaxPoints);
  if (uniform.potential.empty()) return Unfit(uniform, e, limit);
  return uniform;
}

std::vector<std::string> ResamplingLines(const UniformRecord& u, std::size_t measured,
                                         std::size_t stored) {
  std::vector<std::string> lines;
  if (u.resampled) {
    // Six digits say how uneven the steps were; the step itself as the E step field gets it.
    const auto step = [](double e) { return FormatPattern(e, "0.#####e-#") + " V"; };
    lines.push_back("The potential steps ran from " + step(u.smallestStep) + " to " +
                    step(u.largestStep) +
                    "; the curve was resampled by linear interpolation onto equal steps of about " +
                    Volts(DecimalStep(u.step, u.stepError)) +
                    " in each sweep, its vertices and ends as measured.");
  }
  if (u.every > 1) {
    lines.push_back(std::to_string(measured) + " points thinned to " + std::to_string(stored) +
                    " (every " + Ordinal(u.every) +
                    " point, vertices kept): the store holds at most " +
                    std::to_string(kMaxPoints) + ".");
  }
  return lines;
}

}  // namespace vorex
