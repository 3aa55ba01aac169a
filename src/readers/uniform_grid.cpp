#include "readers/uniform_grid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "readers/cycle_split.h"

namespace vorex {
namespace {

constexpr double kUniformity = 0.01;

double MedianStep(const std::vector<double>& e) {
  std::vector<double> steps;
  steps.reserve(e.size());
  for (std::size_t i = 1; i < e.size(); ++i) steps.push_back(std::fabs(e[i] - e[i - 1]));
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  return *middle;
}

// The index ranges [first, last] of the sweeps, sharing their turning points.
std::vector<std::pair<std::size_t, std::size_t>> Sweeps(const std::vector<double>& e) {
  std::vector<std::pair<std::size_t, std::size_t>> sweeps;
  std::size_t first = 0;
  for (const std::size_t start : TurningIndices(e)) {
    sweeps.emplace_back(first, start - 1);
    first = start - 1;
  }
  sweeps.emplace_back(first, e.size() - 1);
  return sweeps;
}

// The grid points of a sweep from e[first] to e[last] on step h, in double: a step tiny against
// the span must not overflow the count.
double GridSteps(const std::vector<double>& e, std::size_t first, std::size_t last, double h) {
  return std::floor(std::fabs(e[last] - e[first]) / h + 1e-9);
}

// One sweep onto the grid e0 + k h d: the current interpolated between the measured points that
// bracket each grid potential. A turning point shared with the previous sweep is not repeated.
void ResampleSweep(const std::vector<double>& e, const std::vector<double>& i, std::size_t first,
                   std::size_t last, double h, bool skipFirst, UniformRecord& out) {
  const double e0 = e[first], span = e[last] - e0;
  const double d = span >= 0 ? 1 : -1;
  const auto count = static_cast<std::size_t>(GridSteps(e, first, last, h));
  std::size_t j = first;
  for (std::size_t k = skipFirst ? 1 : 0; k <= count; ++k) {
    const double target = e0 + d * h * static_cast<double>(k);
    while (j + 1 < last && (e[j + 1] - target) * d < 0) ++j;
    const double ea = e[j], eb = e[std::min(j + 1, last)];
    const double w = eb == ea ? 0 : std::clamp((target - ea) / (eb - ea), 0.0, 1.0);
    out.potential.push_back(target);
    out.current.push_back(i[j] + w * (i[std::min(j + 1, last)] - i[j]));
  }
}

}  // namespace

UniformRecord MakeUniform(const std::vector<double>& potential, const std::vector<double>& current,
                          std::size_t limit) {
  UniformRecord out;
  out.potential = potential;
  out.current = current;
  out.pointCount = static_cast<double>(potential.size());
  if (potential.size() < 2 || current.size() != potential.size()) return out;
  const double h = MedianStep(potential);
  out.step = h;
  out.smallestStep = out.largestStep = std::fabs(potential[1] - potential[0]);
  for (std::size_t k = 1; k < potential.size(); ++k) {
    const double step = std::fabs(potential[k] - potential[k - 1]);
    out.smallestStep = std::min(out.smallestStep, step);
    out.largestStep = std::max(out.largestStep, step);
  }
  if (!(h > 0) || (std::fabs(out.smallestStep - h) <= kUniformity * h &&
                   std::fabs(out.largestStep - h) <= kUniformity * h)) {
    return out;
  }
  out.potential.clear();
  out.current.clear();
  out.resampled = true;
  const auto sweeps = Sweeps(potential);
  out.pointCount = 1;
  for (const auto& [first, last] : sweeps) out.pointCount += GridSteps(potential, first, last, h);
  if (!(out.pointCount <= static_cast<double>(limit))) return out;
  out.potential.reserve(static_cast<std::size_t>(out.pointCount));
  out.current.reserve(static_cast<std::size_t>(out.pointCount));
  bool skipFirst = false;
  for (const auto& [first, last] : sweeps) {
    ResampleSweep(potential, current, first, last, h, skipFirst, out);
    skipFirst = true;
  }
  return out;
}

}  // namespace vorex
