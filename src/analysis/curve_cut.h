#pragma once

#include <span>
#include <string>
#include <variant>

#include "base/sweep_segments.h"

namespace vorex {

struct CurveStore;

// What Cut keeps of a record: one cycle, segments first..last (one segment when they are the
// same), or the run of points inside a potential window. Cycles and segments are numbered from 1,
// as the user counts them.
struct CutChoice {
  enum class Kind { Cycle, Segments, Window };
  Kind kind = Kind::Cycle;
  int first = 1;             // the cycle, or the first segment
  int last = 1;              // the last segment
  double low = 0, high = 0;  // the window [V]
};

// The points the choice keeps (numbered from 0), or the reason it keeps none: a cycle or segment
// the record does not have, segments given last first, a window that holds no point or would cut
// the record into pieces.
std::variant<PointRange, std::string> KeptPoints(std::span<const double> potential,
                                                 const CutChoice& choice);

// Segment `number` (from 1) of the record, or why there is none.
std::variant<PointRange, std::string> SegmentPoints(std::span<const double> potential, int number);

// "cycle 2 of 3", "segments 2 to 3 of 6", "the window from -0.1 V to 0.5 V".
std::string DescribeChoice(std::span<const double> potential, const CutChoice& choice);

// The potentials a user would name for a run of points: "401 points from 0.69 V to -0.1 V and
// back to 0.69 V in steps of 0.002 V", through each vertex; a run that never turns as
// DescribeAbscissa says it.
std::string DescribeSweeps(std::span<const double> potential);

// A cut that was made, and the line that says what it kept ("Kept cycle 2 of 3: ...").
struct CutDone {
  std::string line;
};

// Cuts every curve of the store to the points the choice keeps of its potentials, with the
// switching point (PointsPerSweep) at the first vertex of what is kept, or at its end when it
// never turns, so that Find Peak searches each sweep on its own. The reason when nothing was cut;
// the store is unchanged then.
std::variant<CutDone, std::string> CutStore(CurveStore& curves, const CutChoice& choice);

}  // namespace vorex
