#include "analysis/theoretical_peaks.h"

#include <algorithm>
#include <cmath>

#include "analysis/cylinder_transient.h"
#include "base/checked_math.h"
#include "base/constants.h"
#include "experiment/parameter_set.h"

namespace vorex {
namespace {

// Evaluates one formula; a run-time fault leaves the value empty.
template <class Formula>
void Set(std::optional<double>& value, Formula&& formula) {
  try {
    value = Finite(formula());
  } catch (const RuntimeFault&) {
    value.reset();
  }
}

// A value a formula builds on; an empty one (its own formula failed) fails this one too.
double Need(const std::optional<double>& value) {
  if (!value) throw RuntimeFault(kInvalidCall);
  return *value;
}

double Sqrt(double x) {
  return CheckedSqrt(x);
}
double Log(double x) {
  return CheckedLog(x);
}
double Div(double a, double b) {
  return CheckedDivide(a, b);
}

// The root of sqrt(pi) L exp(L^2) erfc(L) = 1/2, L = kf sqrt(td / D): where the irreversible
// step current at a stationary plane is half the diffusion limit at the drop time. Its
// reciprocal (L = 0.43275159936630793, by Newton's method in 40-digit arithmetic) stands
// where the dropping electrode's 1.35 would.
constexpr double kInverseHalfWaveLambda = 2.3107944637624266;

// 1 / (1 + e^z) without overflow for either sign of z.
double Logistic(double z) {
  if (z > 0) {
    const double e = std::exp(-z);
    return e / (1 + e);
  }
  return 1 / (1 + std::exp(z));
}

// The reversible net square-wave current at a plane, in units of n Q sqrt(D / (pi tp)), at
// the base point on E1/2, as the run would give it: each base point is a half period at
// E - EPulse/2 and one at E + EPulse/2, sampled at their ends; the surface follows Nernst, so
// each half period's step in 1 / (1 + exp(nf (E - E1/2))) adds a Cottrell current. The
// staircase is the run's, moved by less than half a step so that one base point lies on E1/2;
// it starts from the bulk at the point nearest EStart.
double SquareWaveNetCurrent(const ParameterSet& p, double n, double eHalf) {
  const int direction = p.EEnd > p.EStart ? 1 : -1;
  const int before = ToInt16(Div(direction * (eHalf - p.EStart), p.EStep));
  const int last = 2 * (before > 0 ? before + 1 : 1);  // half periods up to the one on E1/2
  const double nf = n * p.FOverRT;
  double previous = 0, atLast = 0, atFirst = 0;
  for (int k = 1; k <= last; ++k) {
    const int back = (last - k) / 2;  // base points before the one on E1/2
    const double pulse = k % 2 == 1 ? -p.EPulse / 2 : p.EPulse / 2;
    const double reduced = Logistic(nf * (-direction * back * p.EStep + pulse));
    const double step = reduced - previous;
    previous = reduced;
    atLast += step / std::sqrt(last - k + 1.0);
    if (k < last) atFirst += step / std::sqrt(last - k + 0.0);
  }
  return atLast - atFirst;
}

void LinearSweep(const ParameterSet& p, double n, double q, double d, double c,
                 const std::optional<double>& eHalf, double e0, double alpha, double ks,
                 TheoreticalValues& v) {
  const double f = p.FOverRT, rtf = p.RTOverF, speed = p.ScanRate, r = p.Radius, length = p.Length;
  using E = ElectrodeCode;
  switch (p.Electrode) {
    case E::Planar:
      Set(v.Irev, [&] { return 0.4463 * n * q * Sqrt(n * f * speed * d); });
      Set(v.Erev, [&] { return Need(eHalf) - Div(1.109 * rtf, n); });
      Set(v.Iirr, [&] { return 0.4958 * n * q * Sqrt(alpha * n * f * speed * d); });
      Set(v.Eirr, [&] {
        return Need(eHalf) -
               Div(rtf, n * alpha) * (0.78 + Log(Div(Sqrt(Div(alpha * n * speed * d, rtf)), ks)));
      });
      break;
    case E::Spherical:
    case E::Hemispherical:
    case E::Cylindrical:
    case E::Hemicylindrical:
      Set(v.Irev, [&] { return Div(n * q * d, r); });
      break;
    case E::Microdisc:  // the steady state 4nFDCr, C in mol/cm3
      Set(v.Irev, [&] { return 4 * n * 96.4846 * d * c * r; });
      break;
    case E::ThinFilm:
      Set(v.Irev, [&] { return n * n * q * f * length * speed / 4; });
      // The layer is at equilibrium throughout, so its current peaks at the formal potential.
      v.Erev = e0;
      break;
    case E::RotatingDisk:
      Set(v.Irev, [&] {
        const double omega = p.RotationRate, nu = p.Viscosity;
        const double g =
            Div(Div(Div(0.412 * n * f * speed, omega), 2), kPi) * CheckedPow(Div(d, nu), 1.0 / 3.0);
        const double h = Div(n * q * d, g);
        return Sqrt(Div(Div(Div(speed, omega), kPi), 2)) * CheckedPow(Div(d, nu), 1.0 / 6.0) *
               1.86 * h;
      });
      break;
  }
}

void DcVoltammetry(const ParameterSet& p, double n, double q, double d, double c,
                   const std::optional<double>& eHalf, double alpha, double ks,
                   TheoreticalValues& v) {
  const double td = p.TDrop, r = p.Radius;
  using E = ElectrodeCode;
  switch (p.Electrode) {
    case E::Planar:
      Set(v.Irev, [&] { return n * q * Sqrt(Div(Div(d, kPi), td)); });
      v.Erev = eHalf;
      v.Iirr = v.Irev;
      Set(v.Eirr, [&] {
        return Need(eHalf) +
               Div(p.RTOverF, n * alpha) * Log(kInverseHalfWaveLambda * ks * Sqrt(Div(td, d)));
      });
      break;
    case E::Spherical:
    case E::Hemispherical:
      Set(v.Irev, [&] { return n * q * d * (Div(1, r) + Div(1, Sqrt(kPi * d * td))); });
      break;
    case E::Microdisc:  // Shoup and Szabo's current, 4nFDCr f(tau), tau = 4 D td / r^2
      Set(v.Irev, [&] {
        const double s = Div(1, Sqrt(Div(4 * d * td, r * r)));
        return 4 * n * 96.4846 * d * c * r *
               (0.7854 + 0.8862 * s + 0.2146 * CheckedExp(-0.7823 * s));
      });
      break;
    case E::Cylindrical:
    case E::Hemicylindrical:  // the exact cylinder transient, nFADC f(tau) / r, tau = D td / r^2
      Set(v.Irev, [&] { return Div(n * q * d * CylinderCurrentFactor(Div(d * td, r * r)), r); });
      break;
    case E::RotatingDisk:
      Set(v.Irev, [&] {
        return 0.62 * n * q * CheckedPow(d, 2.0 / 3.0) * Sqrt(p.RotationRate) *
               CheckedPow(p.Viscosity, -1.0 / 6.0);
      });
      break;
    case E::ThinFilm:
      break;
  }
}

// k' of the catalytic step. Mechanism 16's kf is k Cmax in 1/s, as the digital mode takes it
// (its second-order terms multiply concentrations relative to the largest one), so B meets C at
// k' = kf C(C) / Cmax: kf itself when C is in the excess the plateau assumes.
double PseudoFirstOrderRate(const ParameterSet& p, int j) {
  if (p.Mechanism != MechanismCode::CatalyticSubstrate) return p.Kf(j);
  double largest = 0;
  for (int s = 1; s <= 4; ++s) largest = std::max(largest, p.CInit(s));  // its species A to D
  return p.Kf(j) * Div(p.CInit(3), largest);
}

}  // namespace

TheoreticalValues TheoreticalPeakValues(const ParameterSet& p, int j) {
  TheoreticalValues v;
  const int a = 2 * j - 1, b = 2 * j;
  if (!ParameterSet::SpeciesIndexInRange(b)) return v;
  const double n = p.N(j), d = p.D(a), c = p.CInit(a);
  const double q = p.CInit(a) * p.Area * 96.4846;
  std::optional<double> eHalf;
  Set(eHalf, [&] { return p.E0(j) + Div(p.RTOverF, 2 * n) * Log(Div(p.D(b), p.D(a))); });
  using T = TechniqueCode;
  using M = MechanismCode;
  if (p.Mechanism == M::E) {
    if (p.Technique == T::LinearSweep) {
      LinearSweep(p, n, q, d, c, eHalf, p.E0(j), p.Alpha(j), p.Ks(j), v);
    } else if (p.Technique == T::DC) {
      DcVoltammetry(p, n, q, d, c, eHalf, p.Alpha(j), p.Ks(j), v);
    } else {
      std::optional<double> ic, sigma;
      Set(ic, [&] { return n * q * Sqrt(Div(Div(d, kPi), p.TPulse)); });
      Set(sigma, [&] { return CheckedExp(n * p.FOverRT * p.EPulse / 2); });
      if (p.Technique == T::NormalPulse) {
        v.Irev = ic;
        Set(v.Erev, [&] { return Need(eHalf) - p.EPulse; });
      } else if (p.Technique == T::SquareWave) {
        Set(v.Irev, [&] { return Need(ic) * SquareWaveNetCurrent(p, n, Need(eHalf)); });
        v.Erev = eHalf;
      } else if (ic && sigma) {
        Set(v.Irev, [&] { return Div(*ic * (1 - *sigma), *sigma + 1); });
        Set(v.Erev, [&] { return Need(eHalf) - p.EPulse / 2; });
      }
    }
  } else if (p.Mechanism == M::Catalytic || p.Mechanism == M::CatalyticSubstrate) {
    Set(v.Irev, [&] { return n * q * Sqrt(PseudoFirstOrderRate(p, j) * d); });
    v.Erev = eHalf;
  }
  return v;
}

}  // namespace vorex
