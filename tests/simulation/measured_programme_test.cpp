#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "experiment/capture.h"
#include "simulation/simulation_run.h"

namespace vorex {
namespace {

struct Curve {
  std::unique_ptr<SimulationWorkspace> work = std::make_unique<SimulationWorkspace>();
  SimulationOutcome outcome;
  std::vector<double> e, i;
};

Curve Simulated(const Settings& s) {
  Curve r;
  const Captured c = MakeParameterSet(s);
  EXPECT_FALSE(c.refusal) << c.refusal->message;
  r.outcome = RunSimulation(c.parameters, *r.work, false);
  EXPECT_FALSE(r.outcome.fault);
  const int total = c.parameters.ChargeReactionCount + 1;
  for (int k = 1; k <= r.outcome.programme.pointCount; ++k) {
    r.e.push_back(r.work->Abscissa(k));
    r.i.push_back(r.work->SimulatedCurrent(k, total));
  }
  return r;
}

Settings Cycle(bool digital) {
  Settings s;
  s.SetScan(ScanCode::Cycle);
  s.SetDigital(digital);
  s.Set(FieldId::EStep, "0.002");
  s.Set(FieldId::ScanRate, "0.1");
  s.Set(FieldId::Cdl, "2e-5");
  return s;
}

TEST(MeasuredProgramme, TheDialogsOwnProgrammeGivesItsCurveBitForBit) {
  // Both modes, with the charging current whose sign follows the sweep: the measured scan must
  // take the same steps in time over the same potentials.
  for (const bool digital : {true, false}) {
    const Settings dialog = Cycle(digital);
    const Curve expected = Simulated(dialog);
    Settings measured = dialog;
    measured.SetScan(ScanCode::Measured);
    measured.SetMeasuredPotentials(ProgrammePotentials(expected.e));
    const Curve got = Simulated(measured);
    EXPECT_EQ(got.e, expected.e);
    EXPECT_EQ(got.i, expected.i) << (digital ? "digital" : "analytical");
  }
}

TEST(MeasuredProgramme, ATwoVertexProgrammeFromMidRangeTurnsWhereItsPotentialsDo) {
  // 0.1 V down to -0.3 V, up to 0.3 V, back to 0.1 V in 2 mV steps: a reversible couple at
  // E0 = 0 gives a cathodic and an anodic peak, and the vertices are the programme's points.
  std::vector<double> e;
  const auto leg = [&](double from, double to) {
    const int n = static_cast<int>(std::lround(std::fabs(to - from) / 0.002));
    for (int k = e.empty() ? 0 : 1; k <= n; ++k) e.push_back(from + (to - from) * k / n);
  };
  leg(0.1, -0.3);
  leg(-0.3, 0.3);
  leg(0.3, 0.1);
  Settings s = Cycle(true);
  s.Set(FieldId::Cdl, "0");
  s.Set(FieldId::C1, "1e-3");
  s.Set(FieldId::E01, "0");
  s.Set(FieldId::Area, "1");
  s.SetScan(ScanCode::Measured);
  s.SetMeasuredPotentials(ProgrammePotentials(e));
  const Captured c = MakeParameterSet(s);
  ASSERT_FALSE(c.refusal);
  EXPECT_DOUBLE_EQ(c.parameters.EStart, 0.1);
  EXPECT_DOUBLE_EQ(c.parameters.EEnd, -0.3);
  EXPECT_EQ(c.parameters.EStep, 0.002);  // the typed step, which the programme's median is
  const Curve r = Simulated(s);
  ASSERT_EQ(r.e.size(), e.size());
  EXPECT_EQ(r.outcome.programme.pointsPerSweep, 201);  // the vertex at -0.3 V
  // Randles-Sevcik at 1 cm2, 1 mM, D 1e-5, 0.1 V/s, 25 C: 0.4463 F A C sqrt(F v D / R T)
  // = 2.69e-4 A for the cathodic peak, which the first sweep reaches from a mid-range start.
  double peak = 0;
  for (std::size_t k = 0; k < 201; ++k) peak = std::fmax(peak, r.i[k]);
  const double f = 96485.33 / 8.314462 / 298.15;
  const double randlesSevcik = 0.4463 * 96485.33 * 1 * 1e-6 * std::sqrt(f * 0.1 * 1e-5);
  EXPECT_NEAR(peak / randlesSevcik, 1, 0.02);
}

// The solution is at equilibrium where the measured programme begins, not at the E start field:
// a programme that starts at E° (0.1 V, the default) splits C = 1 mM into A and B half and half
// by Nernst (theta = exp(f (E - E°)) = 1), where E start 0.3 V would leave nearly all of it A.
TEST(MeasuredProgramme, PreEquilibratesAtItsOwnFirstPotential) {
  Settings s = Cycle(true);
  ASSERT_EQ(s.Value(FieldId::EStart), "0.3");
  std::vector<double> e;
  for (int k = 0; k <= 150; ++k) e.push_back(0.1 - 0.002 * k);
  for (int k = 149; k >= 0; --k) e.push_back(0.1 - 0.002 * k);
  s.SetMeasuredPotentials(ProgrammePotentials(e));
  s.SetScan(ScanCode::Measured);
  const Captured c = MakeParameterSet(s);
  ASSERT_TRUE(c.ok()) << c.refusal->message;
  EXPECT_DOUBLE_EQ(c.parameters.CInit(1), 5e-4);
  EXPECT_DOUBLE_EQ(c.parameters.CInit(2), 5e-4);
}

TEST(MeasuredProgramme, IsRefusedWithAReasonWhereItCannotBeSimulated) {
  Settings s = Cycle(true);
  s.SetScan(ScanCode::Measured);
  const auto refusal = [](const Settings& settings) {
    const Captured c = MakeParameterSet(settings);
    return c.refusal ? c.refusal->message : std::string();
  };
  EXPECT_NE(refusal(s).find("has no potentials to follow"), std::string::npos);
  s.SetMeasuredPotentials(ProgrammePotentials(std::vector<double>{0.1, 0.1, 0.1}));
  EXPECT_NE(refusal(s).find("never moves"), std::string::npos);
  s.SetMeasuredPotentials(ProgrammePotentials(std::vector<double>(4001, 0.1)));
  EXPECT_NE(refusal(s).find("4001 points"), std::string::npos);
  s.SetMeasuredPotentials(ProgrammePotentials(std::vector<double>{0.1, 0.0, -0.1}));
  // A scan rate of 0 gives the points no drop time: the field is named, nothing is raised.
  ASSERT_FALSE(s.Set(FieldId::ScanRate, "0"));
  EXPECT_NE(refusal(s).find("\"0\" must be greater than 0"), std::string::npos) << refusal(s);
  ASSERT_FALSE(s.Set(FieldId::ScanRate, "0.1"));
  s.SetTechnique(TechniqueCode::DifferentialPulse);
  EXPECT_NE(refusal(s).find("sweep's programme"), std::string::npos);
  s.SetTechnique(TechniqueCode::LinearSweep);
  s.SetDigital(false);
  s.SetElectrode(ElectrodeCode::ThinFilm);
  EXPECT_NE(refusal(s).find("tick Digital"), std::string::npos);
}

}  // namespace
}  // namespace vorex
