#pragma once

namespace vorex {

// The most half-steps a square-wave staircase holds.
inline constexpr int kMaxHalfSteps = 8000;

// out[j] = sum_{k=1..j} delta[k] / sqrt(j - k + 1) for j = 1..count; index 0 of both arrays is
// unused. delta[k] is the change of a step's amplitude at the start of step k, out[j] what the
// current at the end of step j owes to all the changes so far. The most recent steps are summed
// exactly and the older ones through a sum of exponentials of the lag, so the cost grows
// linearly with count; each out[j] agrees with the direct sum to 1.4e-10 of
// sum_k |delta[k]| / sqrt(j - k + 1). The arrays must not overlap. Raises "Subscript out of
// range" unless 0 <= count <= kMaxHalfSteps.
void StaircaseConvolution(const double* delta, int count, double* out);

}  // namespace vorex
