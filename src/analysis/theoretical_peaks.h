#pragma once

#include <optional>

namespace vorex {

struct ParameterSet;

// The closed-form peak or limiting values of one charge-transfer reaction; a value without a
// formula, or whose formula meets an arithmetic fault, is empty.
struct TheoreticalValues {
  std::optional<double> Erev, Irev, Eirr, Iirr;
};

// Reaction j (1..ChargeReactionCount) of the parameter set.
TheoreticalValues TheoreticalPeakValues(const ParameterSet& p, int j);

}  // namespace vorex
