#include "fitting/marquardt.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/runtime_fault.h"
#include "fitting/bounded_step.h"

namespace vorex {
namespace {

constexpr double kInitialLambda = 1e-4;
constexpr double kLambdaCeiling = 1000;
constexpr double kRelativeThreshold = 2e-4;
constexpr double kExclusion = 1e-20;
constexpr double kPivotFloor = 1e-15;
// The difference step in u = ln x: the 1 % of x that a linear parameter is differenced with.
constexpr double kLogDifference = 0.01;

void NormalEquations(FitProblem& p) {
  const int n = p.n;
  for (int i = 1; i <= n; ++i) {
    double gradient = 0;
    for (int j = 1; j <= p.m; ++j) gradient += p.jacobian(j, i) * (p.y(j) - p.f(j));
    p.a(i, n + 1) = Finite(gradient);
    for (int k = i; k <= n; ++k) {
      double sum = 0;
      for (int j = 1; j <= p.m; ++j) sum += p.jacobian(j, k) * p.jacobian(j, i);
      p.a(i, k) = Finite(sum);
    }
    if (!(p.a(i, i) > kExclusion)) {  // frozen for this iteration
      for (int k = 1; k <= n; ++k) {
        p.a(i, k) = 0;
        p.a(k, i) = 0;
      }
      p.a(i, n + 1) = 0;
      p.a(i, i) = 1;
    }
  }
  for (int i = 1; i <= n; ++i) p.a(i, n + 2) = CheckedSqrt(p.a(i, i));
  for (int i = 1; i <= n; ++i) {
    p.a(i, n + 1) = CheckedDivide(p.a(i, n + 1), p.a(i, n + 2));
    for (int k = i; k <= n; ++k) {
      p.a(i, k) = CheckedDivide(p.a(i, k), p.a(i, n + 2) * p.a(k, n + 2));
      p.a(k, i) = p.a(i, k);
    }
  }
}

void CopyToSolve(FitProblem& p, double lambda) {
  for (int i = 1; i <= p.n; ++i) {
    for (int k = 1; k <= p.n + 1; ++k) p.d(i, k) = p.a(i, k);
    p.d(i, i) += lambda;
  }
}

// Gauss-Jordan without pivoting; a pivot too small is replaced by the floor.
void Solve(FitProblem& p) {
  const int n = p.n;
  for (int q = 1; q <= n; ++q) {
    for (int c = q + 1; c <= n + 1; ++c) {
      if (std::fabs(p.d(q, q)) <= kPivotFloor) p.d(q, q) = kPivotFloor;
      p.d(q, c) = Finite(p.d(q, c) / p.d(q, q));
    }
    for (int r = 1; r <= n; ++r) {
      if (r == q) continue;
      for (int c = q + 1; c <= n + 1; ++c) p.d(r, c) = Finite(p.d(r, c) - p.d(r, q) * p.d(q, c));
    }
  }
}

using HeldSet = FixedArray<bool, kMaxFitParameters>;

void StepFromSolution(FitProblem& p, FitState& s) {
  for (int i = 1; i <= p.n; ++i) s.StepVector(i) = CheckedDivide(p.d(i, p.n + 1), p.a(i, p.n + 2));
}

// Takes out of the system to solve the parameters held on their bounds: a step of 0 for them.
void ClearHeld(FitProblem& p, const HeldSet& held) {
  for (int i = 1; i <= p.n; ++i) {
    if (!held(i)) continue;
    for (int k = 1; k <= p.n; ++k) p.d(i, k) = p.d(k, i) = 0;
    p.d(i, i) = 1;
    p.d(i, p.n + 1) = 0;
  }
}

// Parameters on a bound whose step heads out across it join the held ones; true when any did.
bool HoldOutward(const FitProblem& p, const FitState& s, HeldSet& held) {
  bool more = false;
  for (int i = 1; i <= p.n; ++i) {
    if (!held(i) && HeldOnBound(p, s, i)) more = held(i) = true;
  }
  return more;
}

// The step of the system copied with `lambda`. A parameter standing on a bound that the step
// would push out is held there and the system solved again without it, so that the others take
// the step that is best with it fixed rather than one that counted on its moving.
void SolveStep(FitProblem& p, FitState& s, double lambda, HeldSet& held) {
  Solve(p);
  StepFromSolution(p, s);
  while (HoldOutward(p, s, held)) {
    CopyToSolve(p, lambda);
    ClearHeld(p, held);
    Solve(p);
    StepFromSolution(p, s);
  }
}

}  // namespace

void CentralDifferenceJacobian(FitProblem& p, ParameterVector& point, FitModelFunction& model) {
  p.jacobianEvaluated = false;
  for (int k = 1; k <= p.n; ++k) {
    const double t = point(k);
    const bool log = LogStepped(p, k) && t > 0;
    double h = log ? kLogDifference : 0.01 * std::fabs(t);
    if (h == 0) h = p.dataSigma;
    point(k) = log ? std::exp(std::log(t) + h) : t + h;
    model.Evaluate(point, p.m, p.fPlus);
    point(k) = log ? std::exp(std::log(t) - h) : t - h;
    model.Evaluate(point, p.m, p.fMinus);
    for (int j = 1; j <= p.m; ++j) {
      p.jacobian(j, k) = CheckedDivide(p.fPlus(j) - p.fMinus(j), 2 * h);
    }
    point(k) = t;
  }
  p.jacobianPoint = point;
  p.jacobianEvaluated = true;
}

double MaxOf(double a, double b) {
  return a > b ? a : b;
}

double MinOf(double a, double b) {
  return a < b ? a : b;
}

double EvaluateTrial(FitProblem& p, FitState& s, FitModelFunction& model) {
  BoundedTrial(p, s);
  model.Evaluate(s.TrialVector, p.m, p.f);
  double sum = 0;
  for (int j = 1; j <= p.m; ++j) {
    const double r = p.f(j) - p.y(j);
    sum += r * r;
  }
  ++p.objectiveCount;
  return Finite(sum);
}

void MarquardtStep(FitProblem& p, FitState& s, FitModelFunction& model) {
  if (p.n < 0 || p.n > kMaxFitParameters || p.m < 1 || p.m > p.MaxPoints()) {
    throw RuntimeFault(kSubscriptOutOfRange);
  }
  const double tolerance = 1e-10 * p.variance;
  double latest = 0;  // the sum of squares of the last trial of this call
  const auto finish = [&] {
    for (int i = 1; i <= p.n; ++i) p.x(i) = s.TrialVector(i);
    s.SumOfSquares = latest;
  };
  if (s.CallState == 0) {
    for (int i = 1; i <= p.n; ++i) {
      s.TrialVector(i) = p.x(i);
      s.StepVector(i) = 0;
    }
    latest = EvaluateTrial(p, s, model);
    s.SumOfSquares = latest;
    if (latest < tolerance) {
      s.ConvergenceFlag = -1;
      return finish();
    }
    s.CallState = 1;
  }
  CentralDifferenceJacobian(p, s.TrialVector, model);
  NormalEquations(p);
  CopyToSolve(p, 0);  // the first pass is undamped
  int pass = 0;
  double factor = 2, lambda = 0;
  bool shortened = false;  // a bound cut a trial of this call short
  HeldSet held{};          // on a bound this call's steps head out across
  for (;;) {
    SolveStep(p, s, lambda, held);
    latest = EvaluateTrial(p, s, model);
    shortened = shortened || s.TrialShortened;
    if (s.SumOfSquares < tolerance) {
      s.ConvergenceFlag = -1;
      return finish();
    }
    factor = MaxOf(2, MinOf(10, CheckedDivide(latest, s.SumOfSquares)));
    if (s.SumOfSquares > latest) break;
    if (pass > 0) s.Lambda *= factor;
    if (s.MarquardtCount == 0) s.Lambda = kInitialLambda;
    CopyToSolve(p, lambda = s.Lambda);
    ClearHeld(p, held);
    ++s.MarquardtCount;
    ++pass;
    if (!(s.Lambda <= kLambdaCeiling)) break;
  }
  if (s.MarquardtCount != 0) s.Lambda /= factor;
  const double change = CheckedDivide(s.SumOfSquares - latest, latest + s.SumOfSquares);
  // A small change says the minimum is near only when the steps were the ones Marquardt chose:
  // after a step a bound cut short, or damping driven by such trials, the fit goes on.
  s.ConvergenceFlag = change < kRelativeThreshold && !shortened ? -2 : 1;
  finish();
}

}  // namespace vorex
