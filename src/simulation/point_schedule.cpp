#include "simulation/point_schedule.h"

#include "base/checked_math.h"

namespace vorex {

DigitalSteps DigitalStepsFor(const ParameterSet& p) {
  DigitalSteps s;
  using T = TechniqueCode;
  switch (p.Technique) {
    case T::DC:
      s.dt = p.TDrop / 10;
      s.k = 10;
      break;
    case T::NormalPulse:
      s.dt = p.TPulse / 10;
      s.k = CheckedDivide(p.TDrop, p.TPulse) * 10;
      s.first = s.k - 9;
      break;
    case T::DifferentialPulse:
      s.dt = p.TPulse / 4;
      s.k = CheckedDivide(p.TDrop, p.TPulse) * 4;
      s.pre = s.k - 4;
      break;
    case T::SquareWave:
      s.dt = p.TPulse;
      s.k = 2;
      break;
    default:
      s.dt = p.TDrop;
      s.k = 1;
      break;
  }
  return s;
}

PointSchedule PointScheduleFor(const ParameterSet& p, const DigitalSteps& steps) {
  PointSchedule s;
  using T = TechniqueCode;
  switch (p.Technique) {
    case T::DC:
      s.segment[0] = {steps.k * steps.dt, 0, false, false};
      s.count = 1;
      s.freshDrop = true;
      break;
    case T::NormalPulse:
      s.segment[0] = {10 * steps.dt, p.EPulse, true, false};
      s.count = 1;
      s.freshDrop = true;
      break;
    case T::DifferentialPulse:
      // The pulse lasts t pulse, as the dialog, the manual and Theoretical Peak take it; the
      // reference sample ends the time before it. A drop no longer than the pulse is all pulse.
      if (steps.pre > 0) {
        s.segment[0] = {steps.pre * steps.dt, 0, false, true};
        s.segment[1] = {4 * steps.dt, p.EPulse, true, false};
        s.count = 2;
      } else {
        s.segment[0] = {steps.k * steps.dt, p.EPulse, true, false};
        s.count = 1;
      }
      s.freshDrop = true;
      break;
    case T::SquareWave:
      s.segment[0] = {steps.dt, -p.EPulse / 2, false, true};
      s.segment[1] = {steps.dt, p.EPulse / 2, false, false};
      s.count = 2;
      break;
    default:
      s.segment[0] = {steps.dt, 0, false, false};
      s.count = 1;
      break;
  }
  return s;
}

int PulseStepLengths(const PointSchedule& schedule, int subSteps, double* lengths, int* opOf) {
  int count = 0;
  for (int i = 0; i < schedule.count; ++i) {
    const double h = schedule.segment[i].duration / subSteps;
    opOf[i] = -1;
    for (int k = 0; k < count; k += 2) {
      if (lengths[k] == h) opOf[i] = k;
    }
    if (opOf[i] < 0) {
      opOf[i] = count;
      lengths[count++] = h;
      lengths[count++] = h / 2;
    }
  }
  return count;
}

double PulseSpan(const PointSchedule& schedule, int pointCount) {
  double point = 0;
  for (int i = 0; i < schedule.count; ++i) point += schedule.segment[i].duration;
  return schedule.freshDrop ? point : point * pointCount;
}

}  // namespace vorex
