#include "simulation/pulse_currents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "curves/curve_store.h"
#include "simulation/square_wave_work.h"

namespace vorex {
namespace {

constexpr double kF = 96484.6 / 8.31441 / 298.14, kPiExact = 3.141592653589793;
constexpr double kRootD = 3.1622776601683795e-3;  // sqrt(1e-5 cm2/s)

CurrentContext Context() {
  return {kF, 0.01, 0, 0};
}

// A fast couple, 1 mM of the oxidised form, E0 = 0.1 V.
Couple Fast() {
  Couple k;
  k.ks = 1e4;
  k.alpha = 0.5;
  k.n = 1;
  k.e0 = 0.1;
  k.cOx = 1e-3;
  k.dOx = k.dRed = kRootD;
  return k;
}

// With the Nernst condition a step to E adds, from the bulk, the Cottrell current of the
// surface fraction theta(E) = 1 / (1 + exp(f (E - E0))): n C sqrt(D) theta / sqrt(pi t), and a
// later step adds its own change of theta in the same way (the problem is linear in theta).
double Theta(double e) {
  return 1 / (1 + std::exp(kF * (e - 0.1)));
}
double Cottrell(double t) {
  return 1e-3 * kRootD / std::sqrt(kPiExact * t);
}

TEST(PulseCurrents, DifferentialPulseIsTheSuperposedCurrentOfItsTwoSteps) {
  const double td = 0.5, tp = 0.05, e = 0.11, pulse = -0.05;
  const DifferentialPulseTimes t =
      DifferentialPulseTimesFor(ElectrodeShape::Planar, kRootD, 0.01, td, tp);
  const double t1 = td - 1.25 * tp;
  const double atEnd =
      Theta(e) * Cottrell(td) + (Theta(e + pulse) - Theta(e)) * Cottrell(1.25 * tp);
  const double before = Theta(e) * Cottrell(t1);
  EXPECT_NEAR(DifferentialPulseCurrent(Fast(), e, pulse, t, Context()) / (atEnd - before), 1, 1e-4);
}

TEST(PulseCurrents, SquareWaveKeepsTheHistoryOfEveryHalfPeriod) {
  // Two points, four half periods of tp at 0.15 -/+ 0.025 and 0.14 -/+ 0.025 V.
  auto store = std::make_unique<CurveStore>();
  store->Abscissa(1) = 0.15;
  store->Abscissa(2) = 0.14;
  const double tp = 0.05, pulse = -0.05;
  const double e[5] = {0, 0.175, 0.125, 0.165, 0.115};
  double i[5] = {0};
  for (int j = 1; j <= 4; ++j) {
    for (int k = 1; k <= j; ++k)
      i[j] += (Theta(e[k]) - (k > 1 ? Theta(e[k - 1]) : 0)) * Cottrell((j - k + 1) * tp);
  }
  auto work = std::make_unique<SquareWaveWork>();
  SquareWaveCurrents(Fast(), store->Abscissa, 2, pulse, tp, 0, Context(), *work,
                     ColumnRef(store->Ordinate, 1));
  EXPECT_NEAR(store->Ordinate(1, 1) / (i[2] - i[1]), 1, 1e-4);
  EXPECT_NEAR(store->Ordinate(2, 1) / (i[4] - i[3]), 1, 1e-4);
}

TEST(PulseCurrents, RadialTermsMeetTheirLimits) {
  // Microdisc (Shoup and Szabo): at long times the steady 4 n F D C r over the area pi r^2,
  // i.e. g = 4 sqrt(D) / (pi r); at short times the edge term pi r / (pi r^2), g = sqrt(D) / r.
  const double r = 1e-3;
  EXPECT_NEAR(RadialTerm(ElectrodeShape::Disc, kRootD, r, 1e9) * kPiExact * r / (4 * kRootD), 1,
              1e-4);
  EXPECT_NEAR(RadialTerm(ElectrodeShape::Disc, kRootD, r, 1e-9) * r / kRootD, 1, 1e-3);
  // Cylinder at tau = D t / r^2 = 0.01 (t = 1 ms): Jaeger and Clarke's short-time series
  // f = 1/sqrt(pi tau) + 1/2 - sqrt(tau/pi)/4 + tau/8, so g r / sqrt(D) = 0.487146.
  EXPECT_NEAR(RadialTerm(ElectrodeShape::Cylinder, kRootD, r, 1e-3) * r / kRootD, 0.487146, 1e-3);
  EXPECT_EQ(RadialTerm(ElectrodeShape::Sphere, kRootD, r, 5), kRootD / r);
  EXPECT_EQ(RadialTerm(ElectrodeShape::Planar, kRootD, r, 5), 0.0);
}

}  // namespace
}  // namespace vorex
