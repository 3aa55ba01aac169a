#pragma once

#include "fitting/marquardt.h"

// The coordinates the Marquardt iteration steps its parameters in, and its trial points kept
// within the bounds.
namespace vorex {

// Parameter i is stepped in u = ln x: it is marked for a logarithmic scale and its lower bound is
// positive (see LogScaleLowerBound); every other parameter is stepped in x itself.
bool LogStepped(const FitProblem& problem, int i);

// The lower bound a fit uses for a parameter on a logarithmic scale, from its own bounds and its
// start within them. A lower bound at or below 0 has no logarithm: it becomes a floor 12 decades
// below the upper bound (or the start, when that lies lower still), so that the parameter keeps
// its logarithmic steps and can come as near 0 as any measurement resolves but never onto it,
// where a rate constant has no meaning for the simulation. A start at 0 cannot be stepped on a
// logarithmic scale at all: the bound stays as it is and the parameter is stepped linearly.
double LogScaleLowerBound(double lower, double upper, double start);

// The value x of parameter i in its step coordinate (ln x or x), and back.
double StepCoordinate(const FitProblem& problem, int i, double x);
double ParameterValue(const FitProblem& problem, int i, double u);

// Parameter i stands on a bound and its step s.StepVector(i) heads out across it.
bool HeldOnBound(const FitProblem& problem, const FitState& state, int i);

// The trial point problem.x + s.StepVector (the step in step coordinates) into s.TrialVector,
// within the bounds. A step that would take a parameter across its bound is shortened as a whole,
// so that the first parameter to meet a bound stops on it exactly: it keeps the direction of the
// Marquardt step, along which the sum of squares falls at first, where one clipped parameter by
// parameter points elsewhere, and the damping that follows a failed trial acts on that direction. A
// parameter whose room before that bound is under a thousandth of its step (one on the bound, or
// all but) goes onto the bound and the rest of the step goes on: the whole step shortened to its
// room would stall every parameter. s.StepVector is left the step taken; s.TrialShortened says
// whether a parameter with room got less than its step.
void BoundedTrial(const FitProblem& problem, FitState& state);

}  // namespace vorex
