#pragma once

#include <span>
#include <string>
#include <variant>
#include <vector>

// The sweeps of a recorded potential programme: where it turns, its monotonic segments, its
// cycles and the stretch that lies in a potential window. Points are numbered from 0.
namespace vorex {

// Points first..last of a record, both included.
struct PointRange {
  int first = 0;
  int last = -1;
  int Count() const { return last - first + 1; }
};

// The turning points of a record (its ends excluded), in order. A measured potential wanders by
// a fraction of a step, so a turn counts only once the potential has come back from its extreme
// by more than `Hysteresis` of the record.
std::vector<int> FindVertices(std::span<const double> potential);

// The median of the non-zero steps |E(i) - E(i-1)|: the step of a programme sampled at a
// constant rate, whatever its noise and its vertices; 0 when the potential never moves.
double MedianStep(std::span<const double> potential);

// How far the potential must come back from an extreme before it is a vertex: 2.5 times the
// median non-zero step, so that one noisy sample cannot turn a sweep.
double Hysteresis(std::span<const double> potential);

// The monotonic segments between the ends and the vertices; consecutive segments share their
// vertex. One segment for a record that never turns.
std::vector<PointRange> SweepSegments(std::span<const double> potential);

// The cycles as an instrument counts them: from the start potential out to a vertex, back past
// the start to the other vertex, and on to the start potential again (the vertex itself when the
// start is the far extreme). Consecutive cycles share their boundary point; what is left after
// the last whole cycle is a cycle of its own.
std::vector<PointRange> CycleRanges(std::span<const double> potential);

// The one run of points whose potentials lie within [low, high]; the reason when none does, or
// when the window would cut the record into separate pieces (the simulation follows the
// potentials in order, so a programme with a gap cannot be simulated).
std::variant<PointRange, std::string> WindowRange(std::span<const double> potential, double low,
                                                  double high);

}  // namespace vorex
