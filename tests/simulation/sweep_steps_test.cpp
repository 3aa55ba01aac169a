// The digital sweep's steps per point: one step per point is the default and lags (backward
// Euler's current of a plane is that of a quarter step earlier, see ohmic_step.h); extrapolated
// sub-steps along the ramp bring the reversible peak onto Nicholson & Shain's.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "base/constants.h"
#include "experiment/capture.h"
#include "simulation/simulation_run.h"

namespace vorex {
namespace {

struct Sweep {
  std::vector<double> e, i;  // the total current of the first sweep [A]
};

// The design defaults (E0 0.1 V, 1 mM, D 1e-5 cm2/s, 1 cm2, 10 mV/s, 25 degrees C) at `step`,
// from the analytical concentrations, with `edit` applied to the settings.
template <class Edit>
Sweep Simulate(const char* step, int stepsPerPoint, Edit edit) {
  Settings s;
  s.Set(FieldId::EStep, step);
  s.SetChecked(FieldId::PreEquilibration, false);
  s.Set(FieldId::StepsPerPoint, std::to_string(stepsPerPoint));
  edit(s);
  const Captured c = MakeParameterSet(s);
  EXPECT_TRUE(c.ok()) << (c.ok() ? "" : c.refusal->message);
  auto w = std::make_unique<SimulationWorkspace>();
  const SimulationOutcome o = RunSimulation(c.parameters, *w, false);
  EXPECT_FALSE(o.fault) << *o.fault;
  Sweep out;
  const int total = c.parameters.ChargeReactionCount + 1;
  for (int k = 1; k <= o.programme.pointsPerSweep; ++k) {
    out.e.push_back(w->Abscissa(k));
    out.i.push_back(w->SimulatedCurrent(k, total));
    EXPECT_TRUE(std::isfinite(out.i.back())) << k;
  }
  return out;
}
Sweep Simulate(const char* step, int stepsPerPoint) {
  return Simulate(step, stepsPerPoint, [](Settings&) {});
}

struct Peak {
  double e, i;
};

// The quartic through the largest current and two points either side, at its maximum. On the
// exact reversible sweep it reads Ep 0.04 mV early at a 10 mV step and 0.003 mV at 5 mV (the
// semi-derivative of the Nernstian surface concentration, sampled at these points); the
// three-point parabola 0.47 and 0.09 mV.
Peak QuarticPeak(const Sweep& s) {
  std::size_t m = 0;
  for (std::size_t k = 0; k < s.i.size(); ++k) {
    if (s.i[k] > s.i[m]) m = k;
  }
  const auto y = [&](int j) { return s.i[m + static_cast<std::size_t>(j + 2) - 2]; };
  const double a1 = (y(-2) - 8 * y(-1) + 8 * y(1) - y(2)) / 12;
  const double a2 = (-y(-2) + 16 * y(-1) - 30 * y(0) + 16 * y(1) - y(2)) / 24;
  const double a3 = (-y(-2) + 2 * y(-1) - 2 * y(1) + y(2)) / 12;
  const double a4 = (y(-2) - 4 * y(-1) + 6 * y(0) - 4 * y(1) + y(2)) / 24;
  double x = -a1 / (2 * a2);
  for (int it = 0; it < 30; ++it) {
    x -= (a1 + 2 * a2 * x + 3 * a3 * x * x + 4 * a4 * x * x * x) /
         (2 * a2 + 6 * a3 * x + 12 * a4 * x * x);
  }
  return {s.e[m] + x * (s.e[m + 1] - s.e[m]), y(0) + x * (a1 + x * (a2 + x * (a3 + x * a4)))};
}

// Nicholson & Shain 1964: Ep = E1/2 - 1.109 RT/nF (E1/2 = E0 for equal D), ip = 0.4463 nFAC
// sqrt(nFvD/RT), at 25 degrees C.
double RtOverF() {
  return kGasConstant * (25 + kZeroCelsius) / kFaraday;
}
constexpr double kE0 = 0.1;
double NicholsonShainEp() {
  return kE0 - 1.109 * RtOverF();
}
double NicholsonShainIp() {
  return 0.4463 * kFaraday * 1 * 1e-6 * std::sqrt(0.01 * 1e-5 / RtOverF());
}

TEST(SweepStepsPerPoint, OneStepLagsAboutAQuarterStepAndSubStepsReachThePeak) {
  for (const char* step : {"0.01", "0.005"}) {
    const double de = std::stod(step);
    // One step: the peak a quarter E step early (2.5 and 1.25 mV), give or take 0.5 mV of the
    // higher orders.
    EXPECT_NEAR(QuarticPeak(Simulate(step, 1)).e - NicholsonShainEp(), -de / 4, 5e-4) << step;
    const Peak accurate = QuarticPeak(Simulate(step, 8));
    EXPECT_NEAR(accurate.e, NicholsonShainEp(), 1e-4) << step;
    EXPECT_NEAR(accurate.i / NicholsonShainIp(), 1, 1e-3) << step;
  }
}

// The extrapolated sub-steps converge: every doubling brings the peak closer, and the last
// doubling moves it by less than the one before.
TEST(SweepStepsPerPoint, ThePeakConvergesAsTheSubStepsDouble) {
  std::vector<double> error;
  for (int k : {2, 4, 8, 16})
    error.push_back(QuarticPeak(Simulate("0.01", k)).e - NicholsonShainEp());
  for (std::size_t j = 1; j < error.size(); ++j) {
    EXPECT_LT(std::fabs(error[j]), std::fabs(error[j - 1])) << j;
  }
  EXPECT_LT(std::fabs(error[3] - error[2]), std::fabs(error[2] - error[1]));
  EXPECT_LT(std::fabs(error[3]), 1e-4);
}

// A sphere and a cylinder take the sub-steps on their own grid: the peak settles as they double,
// and a sphere of 1 um ends the sweep at its diffusion-limited current, 4 pi n F D C r (1 + r /
// sqrt(pi D t)) (Bard & Faulkner 2001, 5.2.2), within 0.3 % of the steady state after 40 s.
TEST(SweepStepsPerPoint, CurvedElectrodesTakeTheSubStepsToo) {
  for (int electrode : {2, 5}) {  // sphere, cylinder
    const auto curved = [electrode](Settings& s) {
      s.SetElectrode(static_cast<ElectrodeCode>(electrode));
      s.Set(FieldId::Radius, "0.01");
    };
    const Peak coarse = QuarticPeak(Simulate("0.01", 4, curved));
    const Peak fine = QuarticPeak(Simulate("0.01", 16, curved));
    EXPECT_NEAR(coarse.i / fine.i, 1, 2e-3) << electrode;
    EXPECT_NEAR(coarse.e, fine.e, 2e-4) << electrode;
  }
  const Sweep sphere = Simulate("0.01", 8, [](Settings& s) {
    s.SetElectrode(ElectrodeCode::Spherical);
    s.Set(FieldId::Radius, "1e-4");
  });
  const double steady = 4 * kPi * kFaraday * 1e-5 * 1e-6 * 1e-4;
  EXPECT_NEAR(sphere.i.back() / steady, 1, 0.01);
}

// Behind a resistance with the double layer inside the steps, the charging current of the sweep
// away from the wave is C A v once the cell's time constant (Ru C A = 2 ms) has passed.
TEST(SweepStepsPerPoint, TheChargingCurrentBehindAResistanceIsCv) {
  const auto cell = [](const char* cdl) {
    return [cdl](Settings& s) {
      s.Set(FieldId::Ru, "100");
      s.Set(FieldId::Cdl, cdl);
    };
  };
  const Sweep charged = Simulate("0.005", 8, cell("2e-5"));
  const Sweep bare = Simulate("0.005", 8, cell("0"));
  for (std::size_t k : {4u, 8u, 12u}) {  // 0.285 to 0.245 V, before the wave
    EXPECT_NEAR(charged.i[k] - bare.i[k], 2e-5 * 0.01, 2e-9) << k;
  }
}

}  // namespace
}  // namespace vorex
