#include "readers/cycle_split.h"

#include <cstddef>

namespace vorex {
namespace {

// The direction of the potential from i to j: +1, -1 or 0.
int Direction(const std::vector<double>& e, std::size_t i, std::size_t j) {
  return e[j] > e[i] ? 1 : (e[j] < e[i] ? -1 : 0);
}

}  // namespace

std::vector<std::size_t> TurningIndices(const std::vector<double>& e) {
  constexpr int kSteadySteps = 3;
  std::vector<std::size_t> turns;
  int direction = 0;
  std::size_t extreme = 0;
  int against = 0;
  for (std::size_t i = 1; i < e.size(); ++i) {
    const int step = Direction(e, i - 1, i);
    if (direction == 0) {
      direction = step;
      extreme = i;
      continue;
    }
    if (step == direction || step == 0) {
      if (Direction(e, extreme, i) == direction) extreme = i;
      against = 0;
      continue;
    }
    if (++against < kSteadySteps) continue;
    turns.push_back(extreme + 1);
    direction = -direction;
    against = 0;
    extreme = i;
  }
  return turns;
}

std::vector<std::size_t> VertexIndices(const std::vector<double>& potential) {
  std::vector<std::size_t> vertices = TurningIndices(potential);
  for (std::size_t& v : vertices) --v;
  return vertices;
}

namespace {

MeasuredCycle Slice(const MeasuredCycle& r, std::size_t from, std::size_t to, int number) {
  MeasuredCycle c;
  c.number = number;
  const auto cut = [&](const std::vector<double>& v) {
    return v.empty() ? v
                     : std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(from),
                                           v.begin() + static_cast<std::ptrdiff_t>(to));
  };
  c.potential = cut(r.potential);
  c.applied = cut(r.applied);
  c.current = cut(r.current);
  return c;
}

}  // namespace

std::vector<MeasuredCycle> SplitAtTurningPoints(const MeasuredCycle& record) {
  const std::vector<std::size_t> turns = TurningIndices(record.potential);
  std::vector<MeasuredCycle> cycles;
  // Segments 1 and 2 make cycle 1, 3 and 4 cycle 2, and so on: every second turn ends a cycle.
  std::size_t start = 0;
  int number = 1;
  for (std::size_t k = 1; k < turns.size(); k += 2) {
    cycles.push_back(Slice(record, start, turns[k], number++));
    start = turns[k];
  }
  if (start < record.potential.size()) {
    cycles.push_back(Slice(record, start, record.potential.size(), number));
  }
  return cycles;
}

}  // namespace vorex
