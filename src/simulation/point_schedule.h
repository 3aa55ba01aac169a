#pragma once

#include "experiment/parameter_set.h"

// What happens at one data point of the digital simulation: the time steps of the sweep, and
// the potential steps of the pulse techniques with the instants at which they are sampled.
namespace vorex {

// The sweep's time steps per data point, by technique, as the pulse waveforms define them.
struct DigitalSteps {
  double dt = 0;  // time step [s]
  double k = 0;   // steps per data point (real, not rounded)
  double first = 1;
  double pre = 1;  // pre-pulse sample step, in quarter pulse times (differential pulse)
};
DigitalSteps DigitalStepsFor(const ParameterSet& p);

// A stretch of constant potential: E(k) plus offset (times the sweep's sign when it is a
// pulse), ending in a sample of the currents.
struct Segment {
  double duration = 0;     // [s]
  double offset = 0;       // [V]
  bool pulse = false;      // the offset turns with the sweep
  bool reference = false;  // its sample is subtracted from the next one's
};

// The segments of every data point of the techniques after the sweep: DC voltammetry holds
// E(k) for the drop time; normal pulse applies the pulse for its time to a fresh drop (the wait
// before it changes nothing when the drop starts at rest); differential pulse holds E(k) to one
// pulse time before the end of the drop, then the pulse; square wave E(k) - EPulse/2 and
// E(k) + EPulse/2 for a pulse time each. Each segment is taken in kSubSteps extrapolated steps.
struct PointSchedule {
  Segment segment[2];
  int count = 0;
  bool freshDrop = false;  // each point starts again from the bulk profile
};
PointSchedule PointScheduleFor(const ParameterSet& p, const DigitalSteps& steps);

// Steps per segment. Ten extrapolated steps put DC voltammetry within 0.25 % of Cottrell's
// current, and the pulse techniques' peaks within 0.4 % of their exact currents.
inline constexpr int kSubSteps = 10;

// The step lengths of the pulse segments taken in `subSteps` extrapolated steps each: a whole
// and a half sub-step for each distinct segment length, into lengths; opOf[i] is the first
// operator of segment i. Returns the number of lengths (at most four).
int PulseStepLengths(const PointSchedule& schedule, int subSteps, double* lengths, int* opOf);

// The time a pulse run's profile lives: one point's segments on a fresh drop, all points' else.
double PulseSpan(const PointSchedule& schedule, int pointCount);

}  // namespace vorex
