#include "readers/uniform_grid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "readers/cycle_split.h"

namespace vorex {
namespace {

constexpr double kUniformity = 0.01;

// The median |dE| of a record, and its standard error: for normally spread steps 1.2533 s /
// sqrt(n), s = 1.4826 times their median absolute deviation, both robust against the few odd steps
// at the vertices and at a gap. It says how many digits of the median the data carry.
struct StepEstimate {
  double median = 0;
  double standardError = 0;
};

StepEstimate MedianStep(const std::vector<double>& e) {
  std::vector<double> steps;
  steps.reserve(e.size());
  for (std::size_t i = 1; i < e.size(); ++i) steps.push_back(std::fabs(e[i] - e[i - 1]));
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  StepEstimate estimate{*middle, 0};
  for (double& step : steps) step = std::fabs(step - estimate.median);
  std::nth_element(steps.begin(), middle, steps.end());
  estimate.standardError = 1.2533 * 1.4826 * *middle / std::sqrt(static_cast<double>(steps.size()));
  return estimate;
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

// The steps a sweep from e[first] to e[last] is cut into: the whole number nearest its span over
// h, so that each step is within half of h / steps of h and the sweep ends on its own last
// potential; in double, since a step tiny against the span must not overflow the count. A sweep
// that goes nowhere adds no step.
double SweepSteps(const std::vector<double>& e, std::size_t first, std::size_t last, double h) {
  const double span = std::fabs(e[last] - e[first]);
  return span > 0 ? std::max(1.0, std::round(span / h)) : 0;
}

// One sweep onto `steps` equal steps from e[first] to e[last], both kept exactly: the current
// interpolated between the measured points that bracket each grid potential. A turning point
// shared with the previous sweep is not repeated.
void ResampleSweep(const std::vector<double>& e, const std::vector<double>& i, std::size_t first,
                   std::size_t last, std::size_t steps, bool skipFirst, UniformRecord& out) {
  const double e0 = e[first], span = e[last] - e0;
  const double d = span >= 0 ? 1 : -1;
  std::size_t j = first;
  for (std::size_t k = skipFirst ? 1 : 0; k <= steps; ++k) {
    if (k == steps) {
      out.potential.push_back(e[last]);
      out.current.push_back(i[last]);
      break;
    }
    const double target = e0 + span * static_cast<double>(k) / static_cast<double>(steps);
    while (j + 1 < last && (e[j + 1] - target) * d < 0) ++j;
    const double ea = e[j], eb = e[std::min(j + 1, last)];
    const double w = eb == ea ? 0 : std::clamp((target - ea) / (eb - ea), 0.0, 1.0);
    out.potential.push_back(target);
    out.current.push_back(i[j] + w * (i[std::min(j + 1, last)] - i[j]));
  }
}

using SweepList = std::vector<std::pair<std::size_t, std::size_t>>;

double GridCount(const std::vector<double>& e, const SweepList& sweeps, double h) {
  double count = 1;
  for (const auto& [first, last] : sweeps) count += SweepSteps(e, first, last, h);
  return count;
}

// The smallest whole number of median steps whose grid has at most `fit` points, found by
// halving (the count falls as the step grows); 0 when even one step a sweep is too many, the
// record turning more often than the store has points.
std::size_t ThinningFactor(const std::vector<double>& e, const SweepList& sweeps, double h,
                           std::size_t fit) {
  const auto fits = [&](std::size_t k) {
    return GridCount(e, sweeps, h * static_cast<double>(k)) <= static_cast<double>(fit);
  };
  if (fits(1)) return 1;
  double widest = 0;
  for (const auto& [first, last] : sweeps) widest = std::max(widest, std::fabs(e[last] - e[first]));
  // Twice the widest span: every sweep is one step.
  std::size_t low = 2, high = static_cast<std::size_t>(std::ceil(2 * widest / h)) + 2;
  if (!fits(high)) return 0;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (fits(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

void Resample(const std::vector<double>& e, const std::vector<double>& i, const SweepList& sweeps,
              double step, UniformRecord& out) {
  out.potential.clear();
  out.current.clear();
  out.pointCount = GridCount(e, sweeps, step);
  out.potential.reserve(static_cast<std::size_t>(out.pointCount));
  out.current.reserve(static_cast<std::size_t>(out.pointCount));
  bool skipFirst = false;
  for (const auto& [first, last] : sweeps) {
    const auto steps = static_cast<std::size_t>(SweepSteps(e, first, last, step));
    if (skipFirst && steps > 0) out.vertices.push_back(out.potential.size() - 1);
    ResampleSweep(e, i, first, last, steps, skipFirst, out);
    skipFirst = true;
  }
}

void Refuse(UniformRecord& out, double count) {
  out.potential.clear();
  out.current.clear();
  out.vertices.clear();
  out.pointCount = count;
}

}  // namespace

UniformRecord MakeUniform(const std::vector<double>& potential, const std::vector<double>& current,
                          std::size_t limit, std::size_t fit) {
  UniformRecord out;
  out.potential = potential;
  out.current = current;
  out.pointCount = static_cast<double>(potential.size());
  if (potential.size() < 2 || current.size() != potential.size()) return out;
  const StepEstimate estimate = MedianStep(potential);
  const double h = estimate.median;
  out.step = h;
  out.stepError = estimate.standardError;
  out.smallestStep = out.largestStep = std::fabs(potential[1] - potential[0]);
  for (std::size_t k = 1; k < potential.size(); ++k) {
    const double step = std::fabs(potential[k] - potential[k - 1]);
    out.smallestStep = std::min(out.smallestStep, step);
    out.largestStep = std::max(out.largestStep, step);
  }
  // Steps beyond the largest double ask for a grid no count can spell.
  if (!std::isfinite(h)) {
    Refuse(out, h);
    return out;
  }
  const SweepList sweeps = Sweeps(potential);
  const bool uniform = !(h > 0) || (std::fabs(out.smallestStep - h) <= kUniformity * h &&
                                    std::fabs(out.largestStep - h) <= kUniformity * h);
  if (uniform && potential.size() <= fit) {
    for (std::size_t s = 0; s + 1 < sweeps.size(); ++s) out.vertices.push_back(sweeps[s].second);
    return out;
  }
  // Potentials that never move cannot be put on a step, nor thinned along one.
  if (!(h > 0)) {
    Refuse(out, out.pointCount);
    return out;
  }
  const double count = GridCount(potential, sweeps, h);
  if (!(count <= static_cast<double>(limit))) {
    Refuse(out, count);
    return out;
  }
  out.every = ThinningFactor(potential, sweeps, h, fit);
  if (out.every == 0) {
    Refuse(out, count);
    return out;
  }
  out.resampled = !uniform;
  Resample(potential, current, sweeps, h * static_cast<double>(out.every), out);
  return out;
}

}  // namespace vorex
