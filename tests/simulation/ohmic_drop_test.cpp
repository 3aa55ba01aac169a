// The digital simulation behind an uncompensated resistance: smooth curves at every step, peak
// separations that converge on a reference solved by another method (the integral equation of
// src/validation/ohmic_reference.h), the run without a resistance as it was, and the double
// layer's charging through the resistance as an RC circuit under a ramp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/started_program.h"
#include "validation/figures_of_merit.h"
#include "validation/ohmic_reference.h"
#include "validation/program_constants.h"

namespace vorex {
namespace {

using validation::Curve;

std::string Text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

class OhmicDrop : public testing::StartedProgram {
 protected:
  // A digital cycle of the start-up couple moved to E0 = 0, 0.4 to -0.5 V and back at 0.1 V/s,
  // from the analytical concentrations.
  Curve Cycle(double ru, double step, double cdl = 0, int stepsPerPoint = 1) {
    FormTech& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), true);
    tech.Click(tech.optTech(1));
    tech.Type(tech.TextSteps(), std::to_string(stepsPerPoint));
    AnalyticalConcentrations();
    Expr().Choose(Expr().ComboScan(), 1);
    Type(Expr().Eze(1), "0");
    Type(Expr().Estart(), "0.4");
    Type(Expr().Eend(), "-0.5");
    Type(Expr().Estep(), Text(step));
    Type(Expr().V(), "0.1");
    Type(Expr().Ru(), Text(ru));
    Type(Expr().Cdl(), Text(cdl));
    return Run();
  }
  // The curve of a simulation with the dialogs as they stand.
  Curve Run() {
    host.messages.clear();
    Invoke("mnuSimulate");
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    Curve c;
    c.pointsPerSweep = Curves().PointsPerSweep;
    for (int k = 1; k <= Curves().PointCount; ++k) {
      c.e.push_back(Curves().Abscissa(k));
      c.i.push_back(Total(k));
    }
    return c;
  }
};

validation::OhmicCycle Reference(double ru) {
  validation::OhmicCycle r;
  r.ru = ru;
  return r;
}

double Separation(const Curve& c) {
  return validation::AnodicPeak(c).potential - validation::CathodicPeak(c).potential;
}

// The largest |I(k-1) - 2 I(k) + I(k+1)| away from the switching potential, which the program
// holds for two points and the reference passes once.
double LargestBend(const Curve& c, int vertex) {
  double most = 0;
  for (std::size_t k = 1; k + 1 < c.i.size(); ++k) {
    if (std::abs(static_cast<int>(k) - vertex) <= 2) continue;
    most = std::max(most, std::fabs(c.i[k - 1] - 2 * c.i[k] + c.i[k + 1]));
  }
  return most;
}

TEST_F(OhmicDrop, TheCurveBendsNoMoreSharplyThanTheReference) {
  // A lagging correction made the current alternate by milliamperes from point to point; a
  // smooth curve bends as the reference does, whose second differences are set by the wave's
  // own width. 25 % is room for the program's step error.
  for (double ru : {50.0, 100.0, 500.0}) {
    for (double step : {0.001, 0.0005}) {
      const Curve digital = Cycle(ru, step);
      const Curve exact = validation::OhmicCycleCurve(Reference(ru), step);
      const double bend = LargestBend(exact, exact.pointsPerSweep - 1);
      EXPECT_LE(LargestBend(digital, digital.pointsPerSweep - 1), 1.25 * bend)
          << ru << " ohm, " << step << " V";
    }
  }
}

TEST_F(OhmicDrop, PeakSeparationConvergesOnTheReference) {
  // The part of the separation the resistance makes is the reference's within 0.5 mV at every
  // step from 5 mV down, and the separation itself is within 1.5 mV of it at 1 and 0.5 mV.
  const double without = validation::OhmicCycleSeparation(Reference(0));
  for (double ru : {100.0, 500.0}) {
    const double reference = validation::OhmicCycleSeparation(Reference(ru));
    for (double step : {0.005, 0.002, 0.001, 0.0005}) {
      const double with = Separation(Cycle(ru, step));
      const double part = with - Separation(Cycle(0, step));
      EXPECT_NEAR(part, reference - without, 0.0005) << ru << " ohm, " << step << " V";
      if (step <= 0.001) {
        EXPECT_NEAR(with, reference, 0.0015) << ru << " ohm, " << step << " V";
      }
    }
  }
}

TEST_F(OhmicDrop, WithoutResistanceTheCycleIsTheReversibleOne) {
  // Randles-Sevcik (0.4463) and the reference's separation for this switching potential; a
  // resistance of a micro-ohm moves the currents by about Ru ip F/RT, some 1e-8 of the peak.
  const Curve without = Cycle(0, 0.0005);
  const double ip = validation::CathodicPeak(without).current;
  EXPECT_NEAR(ip / (0.4463 * validation::kF * validation::kC *
                    std::sqrt(validation::kFrt * 0.1 * validation::kD)),
              1, 0.003);
  EXPECT_NEAR(Separation(without), validation::OhmicCycleSeparation(Reference(0)), 0.0005);
  const Curve tiny = Cycle(1e-6, 0.0005);
  ASSERT_EQ(tiny.i.size(), without.i.size());
  for (std::size_t k = 0; k < tiny.i.size(); ++k)
    ASSERT_NEAR(tiny.i[k], without.i[k], 1e-7 * ip) << k;
}

TEST_F(OhmicDrop, WithoutResistanceTheChargingCurrentIsCdlAv) {
  // Added to the finished curve: +Cdl A v on the cathodic sweep, -Cdl A v on the return.
  const Curve faradaic = Cycle(0, 0.001);
  const Curve charged = Cycle(0, 0.001, 2e-5);
  const double ic = 2e-5 * 1 * 0.1;
  const int n = charged.pointsPerSweep;
  for (std::size_t k = 0; k < charged.i.size(); ++k) {
    const double expected = static_cast<int>(k) < n ? ic : -ic;
    ASSERT_NEAR(charged.i[k] - faradaic.i[k], expected, 1e-12) << k;
  }
}

TEST_F(OhmicDrop, ChargingThroughTheResistanceIsAnRcCircuitUnderARamp) {
  // No reaction within reach (E0 = -2 V); 100 uF behind 500 ohm, RC = 50 ms, swept at 1 V/s in
  // 1 mV steps (1 ms). The ramp starts after the first point: i = C v (1 - exp(-t / RC)) with
  // t = (k - 1) ms, then -C v (1 - 2 exp(-t' / RC)) from the turn, held for one point. Backward
  // Euler's transient is within dt / (2 e RC) = 0.4 % of C v of the exponential's.
  FormTech& tech = program->experiment.formTech;
  tech.SetCheck(tech.CheckDigital(), true);
  tech.Click(tech.optTech(1));
  AnalyticalConcentrations();
  Expr().Choose(Expr().ComboScan(), 1);
  Type(Expr().Eze(1), "-2");
  Type(Expr().Estart(), "0.3");
  Type(Expr().Eend(), "-0.1");
  Type(Expr().Estep(), "0.001");
  Type(Expr().V(), "1");
  Type(Expr().Ru(), "500");
  Type(Expr().Cdl(), "1e-4");
  const Curve c = Run();
  const double cv = 1e-4 * 1 * 1, rc = 500 * 1e-4, dt = 0.001;
  const int n = c.pointsPerSweep;  // 401: 0.4 s, eight time constants
  ASSERT_EQ(n, 401);
  for (int k = 1; k <= n; ++k) {
    const double t = (k - 1) * dt;
    ASSERT_NEAR(c.i[k - 1], cv * (1 - std::exp(-t / rc)), 0.01 * cv) << k;
  }
  // The turn: the last forward current decays over the held point, then the return ramp.
  const double atTurn = cv * (1 - std::exp(-(n - 1) * dt / rc));
  const double afterHold = atTurn * std::exp(-dt / rc);
  for (int k = n + 2; k <= 2 * n; ++k) {
    const double t = (k - n - 1) * dt;
    const double expected = -cv + (afterHold + cv) * std::exp(-t / rc);
    ASSERT_NEAR(c.i[k - 1], expected, 0.01 * cv) << k;
  }
  EXPECT_NEAR(c.i.back(), -cv, 1e-3 * cv);  // eight time constants on
}

TEST_F(OhmicDrop, PulseTechniquesTendToTheirCurvesWithoutResistance) {
  // Each segment's steps hold the electrode where its own current leaves it: a micro-ohm
  // changes nothing visible, 200 ohm moves the wave of the reduction to later in the sweep.
  for (int technique : {2, 3, 4, 5}) {
    FormTech& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), true);
    tech.Click(tech.optTech(technique));
    Type(Expr().Ru(), "0");
    const Curve without = Run();
    Type(Expr().Ru(), "1e-6");
    const Curve tiny = Run();
    Type(Expr().Ru(), "200");
    const Curve with = Run();
    ASSERT_EQ(tiny.i.size(), without.i.size());
    double peak = 0;
    for (double i : without.i) peak = std::max(peak, std::fabs(i));
    for (std::size_t k = 0; k < tiny.i.size(); ++k)
      ASSERT_NEAR(tiny.i[k], without.i[k], 1e-6 * peak) << technique << ": " << k;
    // Where the wave rises without the resistance, the current with it is smaller.
    const auto half = std::find_if(without.i.begin(), without.i.end(),
                                   [&](double i) { return std::fabs(i) > 0.5 * peak; });
    const std::size_t k = static_cast<std::size_t>(half - without.i.begin());
    EXPECT_LT(std::fabs(with.i[k]), std::fabs(without.i[k])) << technique;
  }
}

TEST_F(OhmicDrop, EveryMechanismTechniqueAndElectrodeRunsBehindAResistance) {
  // Couples in series and in parallel, chemistry linearised on the profile (mechanisms 8, 10,
  // 16, 17), blocks of two to four species, curved electrodes and the two-dimensional microdisc:
  // each step finds its potential, whatever the resistance.
  FormTech& tech = program->experiment.formTech;
  tech.SetCheck(tech.CheckDigital(), true);
  Type(Expr().Cdl(), "2e-5");
  for (int mechanism : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) {
    program->experiment.formMech.Click(program->experiment.formMech.mech(mechanism));
    Type(Expr().C(3), mechanism == 17 ? "1e-3" : "0");
    for (int technique = 1; technique <= 5; ++technique) {
      tech.Click(tech.optTech(technique));
      for (int electrode : {1, 2, 4}) {
        if (electrode != 1 && mechanism != 1 && mechanism != 8) continue;
        Expr().Click(Expr().optElectrode(electrode));
        for (const char* ru : {"100", "1e5"}) {
          Type(Expr().Ru(), ru);
          host.messages.clear();
          Invoke("mnuSimulate");
          ASSERT_TRUE(host.messages.empty()) << mechanism << "/" << technique << "/" << electrode
                                             << "/" << ru << ": " << host.messages.front();
          for (int i = 1; i <= Curves().PointCount; ++i) ASSERT_TRUE(std::isfinite(Total(i)));
        }
      }
      Expr().Click(Expr().optElectrode(1));
    }
  }
}

// Extrapolated sub-steps behind the resistance: at a 10 mV step the cathodic peak of one step per
// point is some 2.5 mV early, that of 8 steps per point within 0.1 mV of the reference's (read
// there by the parabola at 0.2 mV, here by the quartic through five points, see
// FivePointCathodicPeak). Ru ip is 27 mV at 100 ohm.
TEST_F(OhmicDrop, StepsPerPointBringTheCathodicPeakOntoTheReference) {
  for (double ru : {0.0, 100.0}) {
    const double reference =
        validation::CathodicPeak(validation::OhmicCycleCurve(Reference(ru), 0.0002)).potential;
    const double one = validation::FivePointCathodicPeak(Cycle(ru, 0.01)).potential;
    const double eight = validation::FivePointCathodicPeak(Cycle(ru, 0.01, 0, 8)).potential;
    EXPECT_LT(one - reference, -1e-3) << ru;
    EXPECT_NEAR(eight, reference, 1e-4) << ru;
  }
}

}  // namespace
}  // namespace vorex
