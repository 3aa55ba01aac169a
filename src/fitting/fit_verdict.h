#pragma once

#include <string>
#include <vector>

#include "fitting/fit_driver.h"

// How a fit ended and what its statistics say of the curve, in plain words. A fit that stopped
// at the iteration limit, short of its minimum, with a parameter the curve depends on left where
// it started, or with R² below 0.9 is never called converged.
namespace vorex {

// Below this R² the fitted curve misses the measured one by more than noise would.
inline constexpr double kPoorRSquared = 0.9;
// Below this Durbin-Watson statistic neighbouring residuals share their sign far more often than
// independent ones would (which give about 2).
inline constexpr double kCorrelatedResiduals = 1.5;

// Above this share of the sum of squares still to be gained by one more step (by the linearised
// model) a fit has stopped short of its minimum.
inline constexpr double kShortOfMinimum = 1e-3;

// The parameters (1..N) that ended on the value they started from although the curve depends on
// them (their column of the Jacobian at the solution is not zero). None without statistics, for
// a cancelled fit, or for one whose sum of squares met the absolute tolerance.
std::vector<int> UnmovedParameters(const FitResult& result);

// Sentences on the goodness of the fit: R² below 0.9, correlated residuals.
std::vector<std::string> GoodnessSentences(const FitStatistics& statistics);

// The sentences that end the report: cancelled (alone, and last); else at the iteration limit or
// short of the minimum, each unmoved parameter, or, when none of these holds and R² is not below
// 0.9, converged.
std::vector<std::string> OutcomeSentences(const FitSetup& setup, const FitResult& result);

}  // namespace vorex
