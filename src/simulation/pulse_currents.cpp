#include "simulation/pulse_currents.h"

#include "base/checked_math.h"
#include "base/runtime_fault.h"
#include "simulation/square_wave_work.h"

namespace vorex {

DifferentialPulseTimes DifferentialPulseTimesFor(ElectrodeShape shape, double rootDOx,
                                                 double rootDRed, double radius, double tDrop,
                                                 double tPulse) {
  DifferentialPulseTimes t;
  t.drop = tDrop;
  t.prePulse = Finite(tDrop - tPulse);
  t.gDrop = RadialTermsOf(shape, rootDOx, rootDRed, radius, tDrop);
  if (t.prePulse > 0) {
    t.pulse = Finite(tPulse);
    t.gPrePulse = RadialTermsOf(shape, rootDOx, rootDRed, radius, t.prePulse);
    t.gPulse = RadialTermsOf(shape, rootDOx, rootDRed, radius, t.pulse);
  }
  return t;
}

double DifferentialPulseCurrent(const Couple& k, double e, double pulse,
                                const DifferentialPulseTimes& t, const CurrentContext& c) {
  const double pulsed = e + pulse;
  if (t.prePulse <= 0) return StepCurrentRadial(k, pulsed, t.drop, t.gDrop, c);
  // The pulse's own step, then what the base step still changes between the two samples.
  const double step = StepCurrentRadial(k, pulsed, t.pulse, t.gPulse, c) -
                      StepCurrentRadial(k, e, t.pulse, t.gPulse, c);
  const double base = StepCurrentRadial(k, e, t.drop, t.gDrop, c) -
                      StepCurrentRadial(k, e, t.prePulse, t.gPrePulse, c);
  return Finite(step + base);
}

void SquareWaveCurrents(const Couple& k, const AbscissaArray& base, int points, double ePulse,
                        double tp, RadialTerms g, const CurrentContext& c, SquareWaveWork& w,
                        ColumnRef out) {
  const int halves = 2 * points;
  if (points < 0 || halves > kMaxHalfSteps) throw RuntimeFault(kSubscriptOutOfRange);
  // Each half period's transient decays as 1/sqrt(elapsed half periods) after its start, so
  // the history is a convolution of the transients' changes; the steady radial part follows
  // the potential at once.
  double before = 0;
  for (int j = 1; j <= halves; ++j) {
    const int p = (j + 1) / 2;
    const double e = base.Unchecked(p) + (j % 2 == 1 ? -ePulse / 2 : ePulse / 2);
    const StepParts parts = StepCurrentParts(k, e, tp, g, c);
    const auto u = static_cast<std::size_t>(j);
    w.steady[u] = parts.steady;
    w.change[u] = parts.transient - before;
    before = parts.transient;
  }
  StaircaseConvolution(w.change.data(), halves, w.history.data());
  for (int p = 1; p <= points; ++p) {
    const auto second = static_cast<std::size_t>(2 * p), first = second - 1;
    out[p] = Finite((w.steady[second] + w.history[second]) - (w.steady[first] + w.history[first]));
  }
}

}  // namespace vorex
