#pragma once

#include <cstddef>
#include <limits>
#include <vector>

namespace vorex {

// A measured record on the uniform potential step the curve store wants.
struct UniformRecord {
  std::vector<double> potential;      // [V]
  std::vector<double> current;        // [A]
  std::vector<std::size_t> vertices;  // the points at which it turns (its ends not among them)
  bool resampled = false;             // the steps were not uniform to 1 %: interpolated
  double step = 0;                    // the record's median |dE| [V]
  double stepError = 0;               // the standard error of that median [V]
  double smallestStep = 0;            // the record's own smallest and largest |dE| [V]
  double largestStep = 0;
  double pointCount = 0;  // points the uniform record has, or would have when refused
  std::size_t every = 1;  // thinned to one point in `every` along each sweep
};

// The record as it is when every |dE| is within 1 % of their median; otherwise each monotonic
// sweep of it resampled by linear interpolation onto equal steps from its first potential to its
// last, as many as the median step goes into it (rounded). So every vertex and both ends stay
// exactly as measured, and every step is within 1 % of the median once a sweep is fifty steps
// long: a sweep between programmed potentials on the programmed step keeps that step. (Shortening
// the last step of each sweep instead would keep the median step but leave a stub step beside
// each vertex, and a step ten times smaller than its neighbours is a kink to the peak shape test
// and to a simulation run on these potentials.) A record of fewer than two points, or whose
// median step is 0, is kept as it is.
//
// A record of more than `fit` points is thinned: resampled so, onto the smallest whole number of
// median steps (`every`) that brings it within `fit`, each sweep's ends again kept exactly; along
// a uniform sweep of a whole number of those steps that is every `every`-th point as measured.
//
// A resampling on the median step that would give more than `limit` points is not made, nor one
// that cannot fit (a record that turns more often than `fit` has points, or never moves): the
// record comes back empty with the count it would have had, since one stray potential in a file
// can ask for more points than memory holds, and thinning towards it would lose the real ones.
UniformRecord MakeUniform(const std::vector<double>& potential, const std::vector<double>& current,
                          std::size_t limit,
                          std::size_t fit = std::numeric_limits<std::size_t>::max());

}  // namespace vorex
