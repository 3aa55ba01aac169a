#pragma once

#include <string>
#include <vector>

#include "fitting/fit_driver.h"

namespace vorex {

// The statistics block that follows a fit's report, line by line: one row per fitted parameter
// (its dialog name, value, standard error, 95 % half-width, relative error, or why it has none),
// the correlation matrix, the counts and sums, the Durbin-Watson statistic, plain sentences when
// R² is below 0.9 or the residuals are correlated, and what kind of estimates these are.
std::vector<std::string> FitStatisticsLines(const FitSetup& setup, const FitResult& result);

}  // namespace vorex
