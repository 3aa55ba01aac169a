#pragma once

#include <cstddef>
#include <vector>

#include "readers/measured_data.h"

namespace vorex {

// Where each sweep after the first begins in a record of potentials: the point after the one at
// which the potential, moving steadily one way, reversed for good (three steps the other way in a
// row; single noisy steps do not count).
std::vector<std::size_t> TurningIndices(const std::vector<double>& potential);

// The last point of every sweep but the last: the vertices at which the record turns, each once
// (a record that repeats its turning potential has the first of the two).
std::vector<std::size_t> VertexIndices(const std::vector<double>& potential);

// A continuous record of a cyclic sweep cut into cycles at its turning points: a cycle is the
// sweep out and the sweep back (two segments), numbered from 1; a record without a turning point
// is one cycle. A turning point is where the potential, moving steadily one way, reverses for
// good (single noisy steps do not count).
std::vector<MeasuredCycle> SplitAtTurningPoints(const MeasuredCycle& record);

}  // namespace vorex
