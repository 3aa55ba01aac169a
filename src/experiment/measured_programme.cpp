#include "experiment/measured_programme.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/sweep_segments.h"

namespace vorex {
namespace {

constexpr int kMostPoints = 4000;  // the curve store's

// The typed step stands when the programme is sampled on it, so that a programme a dialog could
// give runs exactly as the dialog's; a measured step that differs takes its own median.
double ProgrammeStep(double typed, double median) {
  return std::fabs(typed - median) <= 1e-6 * median ? typed : median;
}

}  // namespace

std::optional<std::string> ReadMeasuredProgramme(const Settings& s, ParameterSet& p) {
  const std::span<const double> e = s.MeasuredPotentials().View();
  if (e.empty()) {
    return "has no potentials to follow: import a measured curve first, or give its "
           "potentials.";
  }
  if (p.Technique != TechniqueCode::LinearSweep) {
    return "is a sweep's programme: choose the linear sweep technique, or another scan.";
  }
  if (e.size() < 2 || e.size() > kMostPoints) {
    return "has " + std::to_string(e.size()) + " points; a programme has 2 to 4000.";
  }
  for (double x : e) {
    if (!std::isfinite(x)) return "holds a potential that is not a number.";
  }
  const double median = MedianStep(e);
  if (!(median > 0)) return "never moves: every potential is the same.";
  const std::vector<int> vertices = FindVertices(e);
  p.Measured = s.MeasuredPotentials();
  p.EStart = e.front();
  p.EEnd = vertices.empty() ? e.back() : e[static_cast<std::size_t>(vertices.front())];
  p.EStep = ProgrammeStep(p.EStep, median);
  // A scan rate of 0 gives no drop time; the check of the values that follows refuses it by name.
  if (p.ScanRate != 0) p.TDrop = CheckedDivide(p.EStep, p.ScanRate);
  p.ScanCount = vertices.empty() ? 0.5 : 1;
  if (!p.Digital && !AnalyticalFollowsMeasured(p)) {
    return "cannot be followed by a thin film's closed-form currents: tick Digital.";
  }
  return std::nullopt;
}

bool AnalyticalFollowsMeasured(const ParameterSet& p) {
  return p.Electrode != ElectrodeCode::ThinFilm;
}

}  // namespace vorex
