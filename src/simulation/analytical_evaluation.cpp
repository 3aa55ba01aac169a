// The analytical mode: closed-form currents of each charge reaction at every point, chosen by
// technique and electrode, and the post-processing that turns step currents into sweep curves.
#include <cmath>

#include "analysis/column_operators.h"
#include "base/checked_math.h"
#include "base/constants.h"
#include "simulation/analytical_currents.h"
#include "simulation/analytical_evaluation.h"
#include "simulation/pulse_currents.h"
#include "simulation/radial_diffusion.h"
#include "simulation/radial_sweep.h"

namespace vorex {
namespace {

constexpr double kSqrtPiSim = 1.77245385;  // sqrt(pi) as the catalytic and film terms use it

// The set-up of reaction j: its couple, and the extra terms of mechanism 9 and the thin film.
struct Reaction {
  Couple couple;  // with the effective formal potential E0*
  double e0 = 0;  // E0(j) itself, for the rows that use it
  double filmScale = 1;
  bool catalytic = false;
  double catalyticTime = 0;
  double catalyticScale = 0;
  double radial = 0;             // the electrode's radial term at the technique's time
  DifferentialPulseTimes pulse;  // differential pulse only
};

// The catalytic time and parameter of mechanism 9: lambda_c = sqrt(kf tc).
double CatalyticTime(const ParameterSet& p) {
  return (p.Technique == 1 || p.Technique == 2) ? p.TDrop : p.TPulse;
}

double CatalyticLambda(const ParameterSet& p) {
  return CheckedSqrt(Finite(p.Kf(1) * CatalyticTime(p)));
}

Reaction SetUp(const ParameterSet& p, int j, double currentScale) {
  const int code = p.AnalyticalMethodCode;
  Reaction r;
  Couple& k = r.couple;
  const bool rotatingDisk = code == 18 || code == 28;
  k.dOx = rotatingDisk ? p.D(2 * j - 1) : CheckedSqrt(p.D(2 * j - 1));
  k.dRed = rotatingDisk ? p.D(2 * j) : CheckedSqrt(p.D(2 * j));
  k.ks = p.Ks(j);
  k.alpha = p.Alpha(j);
  k.n = p.N(j);
  r.e0 = p.E0(j);
  k.e0 = p.E0(j);
  k.cOx = p.CInit(2 * j - 1);
  k.cRed = p.CInit(2 * j);
  if (p.Mechanism == 9) {
    r.catalytic = true;
    r.catalyticTime = CatalyticTime(p);
    r.catalyticScale = Finite(currentScale * kSqrtPiSim * CatalyticLambda(p));
  } else if (p.Mechanism == 17) {
    const double shift = CheckedLog(p.Keq(1)) - p.P(1) * CheckedLog(p.CInit(4));
    k.e0 = Finite(p.E0(j) + CheckedDivide(p.RTOverF, p.N(j)) * shift);
    k.cOx = p.CInit(2);
    k.cRed = p.CInit(3);
  }
  if (code == 17) {
    // The reversible film's current peaks at the formal potential itself: any shift here
    // moved the peak with L, v and the E step.
    r.filmScale = Finite(p.ScanRate * p.Length * CheckedSqrt(CheckedDivide(kPi * p.TDrop, p.D(1))));
  }
  const ElectrodeShape shape = ShapeOf(p.Electrode);
  const double rootD = CheckedSqrt(p.D(2 * j - 1));
  if (code / 10 == 2 || code / 10 == 3 || code / 10 == 5) {
    r.radial = RadialTerm(shape, rootD, p.Radius, code / 10 == 2 ? p.TDrop : p.TPulse);
  } else if (code / 10 == 4) {
    r.pulse = DifferentialPulseTimesFor(shape, rootD, p.Radius, p.TDrop, p.TPulse);
  }
  return r;
}

// The current of one point by analytical method code; 0 where no formula exists.
double PointCurrent(const ParameterSet& p, const CurrentContext& c, const Reaction& r, double e,
                    double dpPulse) {
  const int code = p.AnalyticalMethodCode;
  Couple k = r.couple;
  const auto atE0 = [&](double e0) {
    k.e0 = e0;
    return k;
  };
  switch (code) {
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 21:
    case 27:
      return StepCurrentPlanar(c, k, e, p.TDrop);
    case 17:
      return Finite(r.filmScale * StepCurrentPlanar(c, k, e, p.TDrop));
    case 18:
    case 28:
      return RotatingDiskCurrent(c, atE0(r.e0), e);
    case 22:
    case 23:
    case 24:
    case 25:
    case 26:
      return StepCurrentRadial(k, e, p.TDrop, r.radial, c);
    case 31:
      return StepCurrentPlanar(c, atE0(r.e0 - p.EPulse), e, p.TPulse);
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
      return StepCurrentRadial(atE0(r.e0 - p.EPulse), e, p.TPulse, r.radial, c);
    case 41:
    case 42:
    case 43:
    case 44:
    case 45:
    case 46:
      return DifferentialPulseCurrent(atE0(r.e0), e, dpPulse, r.pulse, c);
    default:
      return 0;
  }
}

bool IsSquareWave(int code) {
  return code >= 51 && code <= 56;
}

// The sweep from step currents: the current of a reversible sweep is sqrt(pi t) times the time
// semi-derivative of the step current at t, whatever t the step current was taken at.
void SweepFromStepCurrents(const ParameterSet& p, const AbscissaArray& x, ColumnRef column, int m) {
  if (!SemiDifferentiate(x, column, m, p.ScanRate)) throw RuntimeFault(kDivisionByZero);
  const double factor = CheckedSqrt(kPi * p.TDrop);
  for (int i = 1; i <= m; ++i) column[i] = Finite(column[i] * factor);
}

// The radial currents of every reaction of a sweep at a microdisc or cylinder, from the step
// currents still in their columns.
void AccumulateRadialSweeps(const ParameterSet& p, int m, SimulationWorkspace& w) {
  const double dt = CheckedDivide(p.EStep, p.ScanRate);
  for (int i = 1; i <= m; ++i) w.radialSweep.sum[static_cast<std::size_t>(i)] = 0;
  for (int j = 1; j <= p.ChargeReactionCount; ++j) {
    AccumulateRadialSweep(ShapeOf(p.Electrode), CheckedSqrt(p.D(2 * j - 1)), p.Radius, dt, p.TDrop,
                          ColumnRef(w.SimulatedCurrent, j), m, w.radialSweep);
  }
}

}  // namespace

void PostProcessAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w) {
  const double currentScale = kFaraday * 0.001 * p.Area;
  const int code = p.AnalyticalMethodCode;
  const int total = p.ChargeReactionCount + 1;
  const int m = g.pointCount;
  auto& current = w.SimulatedCurrent;
  const bool radialSweep = code >= 14 && code <= 16;
  if (radialSweep) AccumulateRadialSweeps(p, m, w);
  if (code >= 11 && code <= 16) {
    for (int col = 1; col <= total; ++col)
      SweepFromStepCurrents(p, w.Abscissa, ColumnRef(current, col), m);
  }
  if (code == 12 || code == 13) {
    // The steady-state edge term of a sphere, added to the total only.
    for (int j = 1; j <= p.ChargeReactionCount; ++j) {
      const double amplitude = Finite(
          CheckedDivide(p.N(j) * currentScale * p.D(2 * j - 1) * p.CInit(2 * j - 1), p.Radius));
      const double nf = p.FOverRT * p.N(j);
      for (int i = 1; i <= m; ++i) {
        const double e = w.Abscissa.Unchecked(i);
        const double edge = CheckedDivide(amplitude * (1 - CheckedExp(nf * (e - p.EStart))),
                                          1 + CheckedExp(nf * (e - p.E0(j))));
        current.Unchecked(i, total) = Finite(current.Unchecked(i, total) + edge);
      }
    }
  }
  if (radialSweep) {
    // A microdisc's and a cylinder's radial flux changes with time: added to the total only, as
    // the sphere's edge term is.
    for (int i = 1; i <= m; ++i) {
      const double radial = w.radialSweep.sum[static_cast<std::size_t>(i)];
      current.Unchecked(i, total) = Finite(current.Unchecked(i, total) + radial);
    }
  }
  if (code == 17) {
    for (int col = 1; col <= total; ++col) {
      if (!Differentiate(w.Abscissa, ColumnRef(current, col), m))
        throw RuntimeFault(kDivisionByZero);
    }
  }
  if (p.Mechanism == 9) {
    if (p.Technique >= 1 && p.Technique <= 3) {
      for (int i = 1; i <= m; ++i) {
        current.Unchecked(i, total) = Finite(current.Unchecked(i, total) + current.Unchecked(i, 7));
      }
    } else if (p.Technique == 4 || p.Technique == 5) {
      const double factor = CatalyticLambda(p) / 1.38;
      for (int i = 1; i <= m; ++i) current.Unchecked(i, total) *= factor;
    }
  }
}

void EvaluateAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w) {
  const double currentScale = kFaraday * 0.001 * p.Area;
  const CurrentContext context{p.FOverRT, p.Radius, p.RotationRate, p.Viscosity};
  const int reactions = p.ChargeReactionCount;
  const int m = g.pointCount;
  auto& current = w.SimulatedCurrent;
  if (reactions + 1 > 7 || reactions < 0) throw RuntimeFault(kSubscriptOutOfRange);
  for (int j = 1; j <= reactions; ++j) {
    const Reaction r = SetUp(p, j, currentScale);
    if (IsSquareWave(p.AnalyticalMethodCode)) {
      Couple k = r.couple;
      k.e0 = r.e0;
      SquareWaveCurrents(k, w.Abscissa, m, p.EPulse, p.TPulse, r.radial, context, w.squareWave,
                         ColumnRef(current, j));
    } else {
      for (int i = 1; i <= m; ++i) {
        const double e = w.Abscissa.Unchecked(i);
        const double pulse = i <= g.pointsPerSweep ? p.EPulse : -p.EPulse;
        current.Unchecked(i, j) = PointCurrent(p, context, r, e, pulse);
      }
    }
    if (r.catalytic && p.Technique >= 1 && p.Technique <= 3) {
      for (int i = 1; i <= m; ++i) {
        const double e = w.Abscissa.Unchecked(i);
        current.Unchecked(i, 7) =
            Finite(r.catalyticScale * StepCurrentPlanar(context, r.couple, e, r.catalyticTime));
      }
    }
  }
  for (int j = 1; j <= reactions; ++j) {
    for (int i = 1; i <= m; ++i)
      current.Unchecked(i, j) = Finite(current.Unchecked(i, j) * currentScale);
  }
}

}  // namespace vorex
