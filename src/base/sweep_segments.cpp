#include "base/sweep_segments.h"

#include <algorithm>
#include <cmath>

#include "base/number_format.h"

namespace vorex {

double MedianStep(std::span<const double> e) {
  std::vector<double> steps;
  steps.reserve(e.size());
  for (std::size_t i = 1; i < e.size(); ++i) {
    const double d = std::fabs(e[i] - e[i - 1]);
    if (d > 0) steps.push_back(d);
  }
  if (steps.empty()) return 0;
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  return *middle;
}

double Hysteresis(std::span<const double> e) {
  return 2.5 * MedianStep(e);
}

std::vector<int> FindVertices(std::span<const double> e) {
  std::vector<int> vertices;
  const int n = static_cast<int>(e.size());
  const double h = Hysteresis(e);
  if (n < 3 || h == 0) return vertices;
  int direction = 0;
  int high = 0, low = 0;  // the extremes since the last vertex
  for (int i = 1; i < n; ++i) {
    if (e[i] > e[high]) high = i;
    if (e[i] < e[low]) low = i;
    if (direction >= 0 && e[high] - e[i] > h) {
      if (direction > 0) vertices.push_back(high);
      direction = -1;
      low = i;
      high = i;
    } else if (direction <= 0 && e[i] - e[low] > h) {
      if (direction < 0) vertices.push_back(low);
      direction = 1;
      high = i;
      low = i;
    }
  }
  return vertices;
}

std::vector<PointRange> SweepSegments(std::span<const double> e) {
  std::vector<PointRange> segments;
  if (e.empty()) return segments;
  int first = 0;
  for (int v : FindVertices(e)) {
    segments.push_back({first, v});
    first = v;
  }
  segments.push_back({first, static_cast<int>(e.size()) - 1});
  return segments;
}

namespace {

// Where the cycle that starts at `first` ends, given the vertices after it: past its two
// vertices, back at the start potential (or at the second vertex when the cycle started from that
// extreme).
int CycleEnd(std::span<const double> e, std::span<const int> after, int first, double tolerance) {
  const int last = static_cast<int>(e.size()) - 1;
  if (after.size() < 2) return last;
  const double outward = e[after[0]] > e[first] ? 1 : -1;
  const auto past = [&](int i) { return (e[i] - e[first]) * outward; };
  const int second = after[1];
  if (past(second) >= -tolerance) return second;
  const int stop = after.size() > 2 ? after[2] : last;
  for (int i = second + 1; i < stop; ++i) {
    if (past(i) >= -tolerance) return i;
  }
  return stop;
}

}  // namespace

std::vector<PointRange> CycleRanges(std::span<const double> e) {
  std::vector<PointRange> cycles;
  if (e.empty()) return cycles;
  const std::vector<int> vertices = FindVertices(e);
  const double tolerance = Hysteresis(e) / 5;  // half a step
  const int last = static_cast<int>(e.size()) - 1;
  std::size_t next = 0;
  int first = 0;
  while (first < last) {
    while (next < vertices.size() && vertices[next] <= first) ++next;
    const std::span<const int> after(vertices.data() + next, vertices.size() - next);
    const int end = CycleEnd(e, after, first, tolerance);
    cycles.push_back({first, end});
    first = end;
  }
  if (cycles.empty()) cycles.push_back({0, last});
  return cycles;
}

std::variant<PointRange, std::string> WindowRange(std::span<const double> e, double low,
                                                  double high) {
  if (!(low < high))
    return std::string("The window's lower potential must be below its upper one.");
  const auto inside = [&](double x) { return x >= low && x <= high; };
  const auto begin = std::find_if(e.begin(), e.end(), inside);
  if (begin == e.end()) {
    return "No point lies between " + FormatShortest(low) + " V and " + FormatShortest(high) +
           " V.";
  }
  const auto end = std::find_if_not(begin, e.end(), inside);
  if (std::find_if(end, e.end(), inside) != e.end()) {
    return "The window from " + FormatShortest(low) + " V to " + FormatShortest(high) +
           " V cuts the curve into separate pieces: keep one segment first, then cut its window.";
  }
  return PointRange{static_cast<int>(begin - e.begin()), static_cast<int>(end - e.begin()) - 1};
}

}  // namespace vorex
