#include "fitting/bounded_step.h"

#include <cmath>

namespace vorex {
namespace {

// A parameter whose room before the bound its step heads for is less than this fraction of the
// step stands on that bound for this trial: shortening the whole step to its room would stall
// every other parameter with it.
constexpr double kOnBound = 1e-3;
// How far below its upper bound a parameter on a logarithmic scale may go when its lower bound
// is 0: 12 decades, beyond what any voltammogram resolves of a concentration or a rate constant.
constexpr double kLogFloor = 1e-12;

bool Crosses(const FitProblem& p, int i, double target) {
  return target > StepCoordinate(p, i, p.xmax(i)) || target < StepCoordinate(p, i, p.xmin(i));
}

// The bound a target that crosses one lies beyond.
double CrossedBound(const FitProblem& p, int i, double target) {
  return target > StepCoordinate(p, i, p.xmax(i)) ? p.xmax(i) : p.xmin(i);
}

double Within(const FitProblem& p, int i, double x) {
  return MaxOf(p.xmin(i), MinOf(p.xmax(i), x));
}

// How a step is cut to the bounds: the fraction of it the parameters take, the parameter that
// limits it (0 for none), and those that stop on the bound they would cross for want of room.
struct Shortening {
  double fraction = 1;
  int limiting = 0;
  FixedArray<bool, kMaxFitParameters> onBound{};
  bool shortened = false;  // a parameter with room before its bound gets less than its step
};

Shortening ShorteningOf(const FitProblem& p, const FitState& s) {
  Shortening cut;
  for (int i = 1; i <= p.n; ++i) {
    const double u = StepCoordinate(p, i, p.x(i));
    const double step = s.StepVector(i);
    if (!Crosses(p, i, u + step)) continue;
    const double room = StepCoordinate(p, i, CrossedBound(p, i, u + step)) - u;
    const double share = room / step;
    if (step == 0 || !(share >= kOnBound)) {
      cut.onBound(i) = true;
      cut.shortened = cut.shortened || room != 0;
    } else if (share < cut.fraction) {
      cut.fraction = share;
      cut.limiting = i;
      cut.shortened = true;
    }
  }
  return cut;
}

}  // namespace

double LogScaleLowerBound(double lower, double upper, double start) {
  if (lower > 0 || !(start > 0)) return lower;
  const double floor = MinOf(start, kLogFloor * upper);
  return floor > 0 ? floor : lower;
}

bool LogStepped(const FitProblem& p, int i) {
  return p.logScale(i) && p.xmin(i) > 0;
}

double StepCoordinate(const FitProblem& p, int i, double x) {
  return LogStepped(p, i) ? std::log(x) : x;
}

double ParameterValue(const FitProblem& p, int i, double u) {
  return LogStepped(p, i) ? std::exp(u) : u;
}

bool HeldOnBound(const FitProblem& p, const FitState& s, int i) {
  const double step = s.StepVector(i);
  return (p.x(i) >= p.xmax(i) && step > 0) || (p.x(i) <= p.xmin(i) && step < 0);
}

void BoundedTrial(const FitProblem& p, FitState& s) {
  const Shortening cut = ShorteningOf(p, s);
  s.TrialShortened = cut.shortened;
  for (int i = 1; i <= p.n; ++i) {
    const double step = s.StepVector(i);
    const bool stops = cut.onBound(i) || i == cut.limiting;
    if (!stops && (step == 0 || (cut.fraction == 1 && !LogStepped(p, i)))) {
      s.TrialVector(i) = p.x(i) + step;  // the step as it was: nothing crossed, or no step
      continue;
    }
    const double u = StepCoordinate(p, i, p.x(i));
    if (stops) {
      s.TrialVector(i) = CrossedBound(p, i, u + step);  // on the bound itself, not a rounding
    } else {
      s.TrialVector(i) = Within(p, i, ParameterValue(p, i, u + cut.fraction * step));
    }
    s.StepVector(i) = StepCoordinate(p, i, s.TrialVector(i)) - u;
  }
}

}  // namespace vorex
