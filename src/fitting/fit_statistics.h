#pragma once

#include <optional>
#include <vector>

#include "base/fixed_storage.h"
#include "fitting/marquardt.h"
#include "fitting/student_t.h"

namespace vorex {

// Why a fitted parameter has no standard error of its own.
enum class ParameterStanding {
  Free,     // inside its bounds, with an influence on the model: its statistics are defined
  OnBound,  // the fitted value sits on its lower or upper bound (or the two bounds are equal)
  Frozen,   // the model does not depend on it at the solution (its column of J is zero, as the
            // iteration's own test finds)
};

// The linearised statistics of a least-squares fit at its solution: C = (J^T J)^-1 with J the
// Jacobian at the fitted values, s^2 = SSR / (M - N), sigma_i = sqrt(s^2 C_ii), the 95 %
// half-width t(0.975, M - N) sigma_i. Parameters on a bound or frozen are held fixed: C is
// formed over the others. A direction in which J^T J is singular or too ill-conditioned to
// invert leaves the parameters it involves "not separately determined", and only those; no
// field is ever NaN or infinite (an undefined value is an empty optional or a false flag).
// J is taken in the coordinates the iteration stepped in; for a parameter stepped in u = ln x
// the errors are carried to x by dx = x du, as a Jacobian in x itself would give them.
struct FitStatistics {
  int m = 0;    // measured points M
  int n = 0;    // fitted parameters N, every one counted
  int dof = 0;  // M - N
  double ssr = 0;
  std::optional<double> s;                 // sqrt(SSR / (M - N)); none when M - N <= 0
  std::optional<double> reducedChiSquare;  // s^2, the data carrying no weights
  std::optional<double> rSquared;          // 1 - SSR / sum (y - mean y)^2; none for constant y
  std::optional<double> tQuantile;         // t(0.975, M - N)
  // sum (e_j - e_j-1)^2 / sum e_j^2 over the residuals e in point order: near 2 for independent
  // residuals, near 0 when neighbours share their sign; none for fewer than 2 points or a zero
  // residual.
  std::optional<double> durbinWatson;
  // The share of SSR one more Gauss-Newton step from the fitted values would remove by the
  // linearised model, g^T C g / SSR with g = J^T (y - f) over the free parameters: near 0 at a
  // minimum (within the bounds), whatever the stopping rule said; none when SSR is 0.
  std::optional<double> linearisedGain;
  FixedArray<ParameterStanding, kMaxFitParameters> standing{};
  FixedArray<bool, kMaxFitParameters> defined{};  // sigma, half-width and covariance row exist
  ParameterVector value;                          // the fitted values
  ParameterVector sigma;                          // standard errors, where defined
  ParameterVector halfWidth95;                    // t(0.975, M - N) sigma, where defined
  // 100 sigma / |value|, where defined and the value is not 0.
  FixedArray<std::optional<double>, kMaxFitParameters> relativePercent{};
  FixedMatrix<double, kMaxFitParameters, kMaxFitParameters> covariance{};   // s^2 C
  FixedMatrix<double, kMaxFitParameters, kMaxFitParameters> correlation{};  // where both defined
  // Parameters (1..N) in the directions J^T J cannot separate, in order; empty when none.
  std::vector<int> notSeparatelyDetermined;
};

// The statistics of the fit in `problem` at its solution: problem.x the fitted values within
// problem.xmin..xmax, problem.f the model and problem.y the data at points 1..m, problem.jacobian
// the Jacobian at problem.x in the step coordinates (df/dx, or df/du where LogStepped); `ssr`
// the reported sum of squares.
FitStatistics ComputeFitStatistics(const FitProblem& problem, double ssr);

// The Durbin-Watson statistic of the residuals y - f at points 1..m; none when m < 2 or every
// residual is 0.
std::optional<double> DurbinWatson(const PointVector& y, const PointVector& f, int m);

}  // namespace vorex
