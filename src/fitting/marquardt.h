#pragma once

#include "base/fixed_storage.h"
#include "base/sized_storage.h"
#include "curves/curve_store.h"

// Bounded, scaled Levenberg-Marquardt least squares in reverse communication: MarquardtStep does
// one iteration per call and keeps what must survive between calls in a FitState. A parameter
// marked for a logarithmic scale is stepped in u = ln x (its differences, steps and bounds in u;
// see bounded_step.h), every other one in x.
namespace vorex {

// Room for a joint fit of several curves, each with parameters of its own besides the shared
// ones; a fit of one curve has at most its 25 fit slots.
inline constexpr int kMaxFitParameters = 48;

using ParameterVector = FixedArray<double, kMaxFitParameters>;  // parameters 1..N

// Points 1..M: room for one curve unless asked for more (a joint fit of several curves).
class PointVector : public SizedArray<double> {
 public:
  PointVector() : SizedArray(kMaxPoints) {}
  explicit PointVector(int upper) : SizedArray(upper) {}
};

// a if a > b, else b; a if a < b, else b (the second argument on a tie).
double MaxOf(double a, double b);
double MinOf(double a, double b);

// The model: simulated ordinates 1..m for a parameter vector 1..N.
class FitModelFunction {
 public:
  virtual ~FitModelFunction() = default;
  virtual void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) = 0;
};

struct FitState {
  int CallState = 0;
  double SumOfSquares = 0;
  int ConvergenceFlag = 0;  // 1 continue, -1 absolute tolerance met, -2 relative change small
  int MarquardtCount = 0;   // failed passes that set up a damped system
  double Lambda = 0;
  // The last trial's step was cut short by a bound: a parameter with room before its bound got
  // less than its step.
  bool TrialShortened = false;
  ParameterVector TrialVector;
  ParameterVector StepVector;
};

// One fit problem: N parameters within their bounds, M measured ordinates, and the working
// storage of a call (allocated once with the state, reused by every call). It holds at most
// `maxPoints` points: one curve's worth unless made for more.
struct FitProblem {
  explicit FitProblem(int maxPoints = kMaxPoints)
      : y(maxPoints),
        f(maxPoints),
        jacobian(maxPoints, kMaxFitParameters),
        fPlus(maxPoints),
        fMinus(maxPoints) {}
  int MaxPoints() const { return y.Upper(); }

  int n = 0;
  int m = 0;
  ParameterVector x, xmin, xmax;
  // A positive quantity whose size spans decades (a rate constant, a concentration): stepped in
  // ln x when its lower bound is positive.
  FixedArray<bool, kMaxFitParameters> logScale{};
  PointVector y, f;
  double variance = 0;
  double dataSigma = 0;
  int objectiveCount = 0;
  // Working storage of one call. The Jacobian by central differences at jacobianPoint, in the
  // step coordinates: df/du for a parameter stepped in u = ln x, df/dx for the others.
  SizedMatrix<double> jacobian;
  ParameterVector jacobianPoint;
  bool jacobianEvaluated = false;
  PointVector fPlus, fMinus;
  FixedMatrix<double, kMaxFitParameters, kMaxFitParameters + 2> a;
  FixedMatrix<double, kMaxFitParameters, kMaxFitParameters + 1> d;
};

// Adds the step to x, shortened where it would leave the bounds (BoundedTrial), evaluates the
// model at the trial point into f and returns the sum of squared residuals.
double EvaluateTrial(FitProblem& problem, FitState& state, FitModelFunction& model);

// The Jacobian at `point` into problem.jacobian: central differences with the step 1 % of each
// parameter (the data's standard deviation for a parameter at 0), or 0.01 in u = ln x for one
// stepped on a logarithmic scale. Leaves `point` as it was.
void CentralDifferenceJacobian(FitProblem& problem, ParameterVector& point,
                               FitModelFunction& model);

// One iteration; raises RuntimeFault on an arithmetic failure or a problem beyond the limits.
void MarquardtStep(FitProblem& problem, FitState& state, FitModelFunction& model);

}  // namespace vorex
