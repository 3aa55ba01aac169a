#pragma once

#include <vector>

// What a voltammogram is judged by, read from its points: potential e [V] and current i [A],
// reduction positive, in the order of the programme.
namespace vorex::validation {

struct Curve {
  std::vector<double> e, i;
  int pointsPerSweep = 0;
};

struct Peak {
  double potential = 0, current = 0;
};

// The parabola through the highest point and its two neighbours (points first..last-1 of the
// curve, 0-based, last excluded); sign -1 looks for the most negative current instead.
Peak ParabolicPeak(const Curve& c, int first, int last, int sign = 1);
// The quartic through the highest point of the first sweep and two neighbours either side. The
// parabola of three points reads the peak of an exact reversible sweep 0.47 mV early at a 10 mV
// E step, since the peak is not symmetric; the quartic 0.04 mV (both from the semi-derivative of
// the Nernstian surface concentration, Oldham 1969, sampled at the programme's points).
Peak FivePointCathodicPeak(const Curve& c);
// The cathodic peak of the first sweep and the anodic peak of the return sweep.
Peak CathodicPeak(const Curve& c);
Peak AnodicPeak(const Curve& c);
// The current at the point whose potential is nearest e.
double CurrentAt(const Curve& c, double e);
// The potential where the current of the first sweep crosses half of `limit`, by linear
// interpolation between the two points around the crossing.
double HalfWavePotential(const Curve& c, double limit);

}  // namespace vorex::validation
