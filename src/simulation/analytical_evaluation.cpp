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
  RadialTerms radial;            // the electrode's radial terms at the technique's time
  DifferentialPulseTimes pulse;  // differential pulse only
};

using T = TechniqueCode;
using E = ElectrodeCode;
using M = MechanismCode;

// The electrodes that are a solid of their own (plane, sphere, disc, cylinder and their halves),
// not a film or a rotating disc.
bool Solid(E electrode) {
  return electrode <= E::Hemicylindrical;
}

bool RotatingDiskWave(const ParameterSet& p) {
  return p.Electrode == E::RotatingDisk && (p.Technique == T::LinearSweep || p.Technique == T::DC);
}

bool ThinFilmSweep(const ParameterSet& p) {
  return p.Technique == T::LinearSweep && p.Electrode == E::ThinFilm;
}

// A sweep at an electrode of a solid: the semi-derivative of its step currents.
bool SweepOfStepCurrents(const ParameterSet& p) {
  return p.Technique == T::LinearSweep && Solid(p.Electrode);
}

bool IsSquareWave(const ParameterSet& p) {
  return p.Technique == T::SquareWave && Solid(p.Electrode);
}

// The catalytic time and parameter of mechanism 9: lambda_c = sqrt(kf tc).
double CatalyticTime(const ParameterSet& p) {
  return (p.Technique == T::LinearSweep || p.Technique == T::DC) ? p.TDrop : p.TPulse;
}

double CatalyticLambda(const ParameterSet& p) {
  return CheckedSqrt(Finite(p.Kf(1) * CatalyticTime(p)));
}

Reaction SetUp(const ParameterSet& p, int j, double currentScale) {
  Reaction r;
  Couple& k = r.couple;
  const bool rotatingDisk = RotatingDiskWave(p);
  k.dOx = rotatingDisk ? p.D(2 * j - 1) : CheckedSqrt(p.D(2 * j - 1));
  k.dRed = rotatingDisk ? p.D(2 * j) : CheckedSqrt(p.D(2 * j));
  k.ks = p.Ks(j);
  k.alpha = p.Alpha(j);
  k.n = p.N(j);
  r.e0 = p.E0(j);
  k.e0 = p.E0(j);
  k.cOx = p.CInit(2 * j - 1);
  k.cRed = p.CInit(2 * j);
  if (p.Mechanism == M::Catalytic) {
    r.catalytic = true;
    r.catalyticTime = CatalyticTime(p);
    r.catalyticScale = Finite(currentScale * kSqrtPiSim * CatalyticLambda(p));
  } else if (p.Mechanism == M::ComplexCE) {
    const double shift = CheckedLog(p.Keq(1)) - p.P(1) * CheckedLog(p.CInit(4));
    k.e0 = Finite(p.E0(j) + CheckedDivide(p.RTOverF, p.N(j)) * shift);
    k.cOx = p.CInit(2);
    k.cRed = p.CInit(3);
  }
  if (ThinFilmSweep(p)) {
    // The reversible film's current peaks at the formal potential itself: any shift here
    // moved the peak with L, v and the E step.
    r.filmScale = Finite(p.ScanRate * p.Length * CheckedSqrt(CheckedDivide(kPi * p.TDrop, p.D(1))));
  }
  const ElectrodeShape shape = ShapeOf(p.Electrode);
  const double rootOx = CheckedSqrt(p.D(2 * j - 1)), rootRed = CheckedSqrt(p.D(2 * j));
  if (p.Technique == T::DC || p.Technique == T::NormalPulse || p.Technique == T::SquareWave) {
    const double t = p.Technique == T::DC ? p.TDrop : p.TPulse;
    r.radial = RadialTermsOf(shape, rootOx, rootRed, p.Radius, t);
  } else if (p.Technique == T::DifferentialPulse) {
    r.pulse = DifferentialPulseTimesFor(shape, rootOx, rootRed, p.Radius, p.TDrop, p.TPulse);
  }
  return r;
}

// The current of one point by technique and electrode; 0 where no formula exists.
double PointCurrent(const ParameterSet& p, const CurrentContext& c, const Reaction& r, double e,
                    double dpPulse) {
  const E electrode = p.Electrode;
  Couple k = r.couple;
  const auto atE0 = [&](double e0) {
    k.e0 = e0;
    return k;
  };
  if (RotatingDiskWave(p)) return RotatingDiskCurrent(c, atE0(r.e0), e);
  switch (p.Technique) {
    case T::LinearSweep:
      if (electrode == E::ThinFilm)
        return Finite(r.filmScale * StepCurrentPlanar(c, k, e, p.TDrop));
      return StepCurrentPlanar(c, k, e, p.TDrop);
    case T::DC:
      if (electrode == E::Planar || electrode == E::ThinFilm)
        return StepCurrentPlanar(c, k, e, p.TDrop);
      return StepCurrentRadial(k, e, p.TDrop, r.radial, c);
    case T::NormalPulse:
      if (electrode == E::Planar) return StepCurrentPlanar(c, atE0(r.e0 - p.EPulse), e, p.TPulse);
      if (Solid(electrode))
        return StepCurrentRadial(atE0(r.e0 - p.EPulse), e, p.TPulse, r.radial, c);
      return 0;
    case T::DifferentialPulse:
      return Solid(electrode) ? DifferentialPulseCurrent(atE0(r.e0), e, dpPulse, r.pulse, c) : 0;
    case T::SquareWave:
      return 0;
  }
  return 0;
}

// The time between the points of a measured programme: its step at the scan rate, taken as the
// first step itself when that is the step (as the dialog's programme takes it), so that a
// measured programme equal to a dialog's gives its curve exactly.
double MeasuredTimeStep(const ParameterSet& p, const AbscissaArray& x) {
  const double first = std::fabs(x(2) - x(1));
  const double step = std::fabs(first - p.EStep) <= 1e-9 * p.EStep ? first : p.EStep;
  return step / p.ScanRate;
}

// The sweep from step currents: the current of a reversible sweep is sqrt(pi t) times the time
// semi-derivative of the step current at t, whatever t the step current was taken at.
void SweepFromStepCurrents(const ParameterSet& p, const AbscissaArray& x, ColumnRef column, int m) {
  const bool done = p.Measured.Empty() ? SemiDifferentiate(x, column, m, p.ScanRate)
                                       : SemiDifferentiateInTime(column, m, MeasuredTimeStep(p, x));
  if (!done) throw RuntimeFault(kDivisionByZero);
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
  const int total = p.ChargeReactionCount + 1;
  const int m = g.pointCount;
  auto& current = w.SimulatedCurrent;
  const bool radialSweep = p.Technique == T::LinearSweep &&
                           (p.Electrode == E::Microdisc || p.Electrode == E::Cylindrical ||
                            p.Electrode == E::Hemicylindrical);
  if (radialSweep) AccumulateRadialSweeps(p, m, w);
  if (SweepOfStepCurrents(p)) {
    for (int col = 1; col <= total; ++col)
      SweepFromStepCurrents(p, w.Abscissa, ColumnRef(current, col), m);
  }
  if (p.Technique == T::LinearSweep &&
      (p.Electrode == E::Spherical || p.Electrode == E::Hemispherical)) {
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
  if (ThinFilmSweep(p)) {
    for (int col = 1; col <= total; ++col) {
      if (!Differentiate(w.Abscissa, ColumnRef(current, col), m))
        throw RuntimeFault(kDivisionByZero);
    }
  }
  if (p.Mechanism == M::Catalytic) {
    if (!IsPulse(p.Technique) || p.Technique == T::NormalPulse) {
      for (int i = 1; i <= m; ++i) {
        current.Unchecked(i, total) = Finite(current.Unchecked(i, total) + current.Unchecked(i, 7));
      }
    } else {
      const double factor = CatalyticLambda(p) / 1.38;
      for (int i = 1; i <= m; ++i) current.Unchecked(i, total) *= factor;
    }
  }
}

void EvaluateAnalytical(const ParameterSet& p, const Programme& g, SimulationWorkspace& w) {
  // The closed forms belong to the built-in mechanisms; the settings refuse a written one in this
  // mode before a run, and this keeps a run from a parameter set made elsewhere as safe.
  if (p.Mechanism == M::Written)
    throw RuntimeFault("a written mechanism has no closed-form currents; choose the digital mode");
  const double currentScale = kFaraday * 0.001 * p.Area;
  const CurrentContext context{p.FOverRT, p.Radius, p.RotationRate, p.Viscosity};
  const int reactions = p.ChargeReactionCount;
  const int m = g.pointCount;
  auto& current = w.SimulatedCurrent;
  if (reactions + 1 > 7 || reactions < 0) throw RuntimeFault(kSubscriptOutOfRange);
  for (int j = 1; j <= reactions; ++j) {
    const Reaction r = SetUp(p, j, currentScale);
    if (IsSquareWave(p)) {
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
    if (r.catalytic && (!IsPulse(p.Technique) || p.Technique == T::NormalPulse)) {
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
