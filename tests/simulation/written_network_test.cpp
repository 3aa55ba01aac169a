// Written mechanisms in the digital simulation beyond the built-ins: matter balanced against the
// charge passed, second-order steps against their closed form and converging with the step,
// eight species with four second-order steps on every path, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "simulation/digital_grid.h"
#include "simulation/point_schedule.h"
#include "support/written_runs.h"

namespace vorex {
namespace {

using testing::DigitalExperiment;
using testing::Simulated;
using testing::Written;

ReactionNetwork Parsed(const char* text) {
  auto parsed = ParseMechanism(text);
  if (auto* error = std::get_if<NetworkError>(&parsed))
    ADD_FAILURE() << text << ": " << error->message;
  return std::get<ReactionNetwork>(parsed);
}

// A cycle from 0.4 to -0.4 V at 0.1 V/s in steps of `step` [V], with `edit` on the settings.
template <class Edit>
ParameterSet Cycle(const char* step, Edit edit) {
  return DigitalExperiment(MechanismCode::E, TechniqueCode::LinearSweep, ElectrodeCode::Planar,
                           ScanCode::Cycle, [&](Settings& s) {
                             s.Set(FieldId::EStart, "0.4");
                             s.Set(FieldId::EEnd, "-0.4");
                             s.Set(FieldId::EStep, step);
                             s.Set(FieldId::ScanRate, "0.1");
                             edit(s);
                           });
}
ParameterSet Cycle(const char* step) {
  return Cycle(step, [](Settings&) {});
}

// Every species 1e-5 cm2/s but the last two, A at 1 mM and nothing else, a fast couple at 0 V.
void SetSpecies(ParameterSet& p, int species) {
  for (int s = 1; s <= species; ++s) {
    p.D(s) = s < species - 1 ? 1e-5 : 0.7e-5;
    p.CInit(s) = s == 1 ? 1e-3 : 0;
  }
  for (int r = 1; r <= 4; ++r) {
    p.N(r) = 1;
    p.E0(r) = -0.1 * (r - 1);
    p.Ks(r) = 1;
    p.Alpha(r) = 0.5;
  }
}

// The sweep grid's finite volumes hold matter exactly: cell j spans x_j..x_(j+1) with
// x_j = (e^(j-1) - 1) / (e - 1) in units of h0 = sqrt(Dmax dt / lambda), the surface node has no
// volume, and the couple's flux there is the net rate. So the product B + C + 2 D of
// A + e = B; B = C; 2 C = D within the grid, integrated over the cells, is the charge passed
// over F, and A + B + C + 2 D keeps its start: both to rounding, but for the matter the bulk
// node lets into the last cell, some 1e-8 of the charge.
TEST(WrittenNetwork, ClosedMechanismBalancesMatterAgainstCharge) {
  const ReactionNetwork network = Parsed("A + e = B; B = C; 2 C = D");
  ParameterSet p =
      Written(Cycle("0.005", [](Settings& s) { s.Set(FieldId::TRest, "0"); }), network);
  SetSpecies(p, 4);
  p.Kf(1) = 2;
  p.Kb(1) = 0.5;
  p.Kf(2) = 3000;  // L/(mol s): 3 /s at 1 mM
  p.Kb(2) = 0.2;
  const testing::Run run = Simulated(p);
  const double dt = DigitalStepsFor(p).dt;
  double passed = 0;  // [mol/cm2]
  for (int k = 1; k <= run.points; ++k) passed += run.current[2][k - 1] * dt / (96484.6 * p.Area);
  EXPECT_GT(passed, 1e-9);

  const DigitalGrid grid = DigitalGridFor(p, run.points);
  const double h0 = std::sqrt(1e-5 * dt / grid.lambda);
  const auto boundary = [](int j) { return (std::exp(j - 1.0) - 1) / (std::exp(1.0) - 1); };
  const auto& c = run.work->digital.c;  // c / 1 mM at the end of the run
  double product = 0, all = 0;
  for (int j = 1; j <= static_cast<int>(std::floor(grid.nReal)); ++j) {
    const double volume = h0 * (boundary(j + 1) - boundary(j));  // [cm3/cm2]
    product += volume * (c[1][j] + c[2][j] + 2 * c[3][j]);
    all += volume * (c[0][j] - 1 + c[1][j] + c[2][j] + 2 * c[3][j]);
  }
  const double perCm3 = 1e-3 * 1e-3;  // 1 mM in mol/cm3
  EXPECT_NEAR(product * perCm3, passed, 1e-7 * passed);
  EXPECT_NEAR(all * perCm3, 0, 1e-7 * passed);
}

// With no electrode reaction (ks 1e-12 cm/s) the profile stays uniform and the surface follows
// the homogeneous kinetics, but for the grid's far end, which holds the starting concentrations
// and reaches the electrode by some 1e-4 of them at the end of the run. 2 B = C at kf [L/(mol s)]
// with B0 = 1 mM: dB/dt = -2 kf B^2, so B(t) = B0 / (1 + 2 kf B0 t); B + C = D with B0 = C0: B(t) =
// B0 / (1 + kf B0 t). The rate constant enters per mol/L whatever the largest concentration, here
// B0 or 2 B0.
TEST(WrittenNetwork, SecondOrderStepsFollowTheirClosedForm) {
  struct Kinetics {
    const char* text;
    int species;
    double decay;  // the t in B0 / (1 + decay kf B0 t)
    double extraC;
    double kf2 = 0;  // of the second step
  };
  for (const Kinetics& k :
       {Kinetics{"A + e = B; 2 B = C", 3, 2, 0}, Kinetics{"A + e = B; B + C = D", 4, 1, 1e-3},
        Kinetics{"A + e = B; B + C = D; D = E", 5, 1, 1e-3}}) {
    ParameterSet p = Written(
        Cycle("0.005", [](Settings& s) { s.Set(FieldId::StepsPerPoint, "8"); }), Parsed(k.text));
    SetSpecies(p, k.species);
    p.Ks(1) = 1e-12;
    p.CInit(1) = 0;
    p.CInit(2) = 1e-3;
    p.CInit(3) = k.extraC;
    if (k.species == 5) p.CInit(5) = 2e-3;  // cMax 2 mM: the rate constant still per mol/L
    const double kf = 500;
    p.Kf(1) = kf;
    p.Kb(1) = 0;
    p.Kf(2) = k.kf2;
    p.Kb(2) = 0;
    const testing::Run run = Simulated(p);
    const double dt = DigitalStepsFor(p).dt;
    for (int i = 1; i <= run.points; i += 20) {
      const double t = i * dt;
      const double expected = 1e-3 / (1 + k.decay * kf * 1e-3 * t);
      EXPECT_NEAR(run.surface[2][i - 1], expected, 2e-4 * expected) << k.text << " t " << t;
    }
  }
}

// The peak of the dimerisation 2 B = C converges as the sweep's sub-steps double. The extrapolated
// sub-steps are of second order in time, while the resolved grid's first spacing follows the
// sub-step (h0^2 ~ h), which leaves a space error of first order in it: each difference between
// a half and a quarter of the one before. (A step that ran the second-order term on the old
// concentration alone, or twice over, would not converge to a limit the finer steps agree on.)
TEST(WrittenNetwork, DimerisationConvergesWithTheStep) {
  std::vector<double> peaks;
  for (const char* count : {"8", "16", "32", "64"}) {
    ParameterSet p =
        Written(Cycle("0.005", [&](Settings& s) { s.Set(FieldId::StepsPerPoint, count); }),
                Parsed("A + e = B; 2 B = C"));
    SetSpecies(p, 3);
    p.Kf(1) = 5e3;  // 5 /s at 1 mM, where the wave has turned half irreversible
    p.Kb(1) = 1;
    peaks.push_back(Simulated(p).peak);
  }
  for (std::size_t i = 0; i + 2 < peaks.size(); ++i) {
    const double before = peaks[i] - peaks[i + 1], after = peaks[i + 1] - peaks[i + 2];
    EXPECT_GT(std::fabs(after), 0);
    EXPECT_GE(before / after, 1.8) << i;
    EXPECT_LE(before / after, 4.2) << i;
  }
}

// A + e = B; B + C = D; D + E = F; F + G = H; 2 B = E: eight species, four second-order steps,
// each step's linearisation taken on the profile before any step moved it. kf cMax dt reaches 10
// (20 /s at 2 mM, steps of 0.5 s).
ParameterSet EightSpecies(TechniqueCode technique, ElectrodeCode electrode,
                          std::vector<std::pair<FieldId, const char*>> fields = {}) {
  ParameterSet p =
      Written(DigitalExperiment(MechanismCode::E, technique, electrode, ScanCode::Cycle,
                                [&](Settings& s) {
                                  s.Set(FieldId::EStart, "0.4");
                                  s.Set(FieldId::EEnd, "-0.4");
                                  for (const auto& [field, text] : fields) s.Set(field, text);
                                }),
              Parsed("A + e = B; B + C = D; D + E = F; F + G = H; 2 B = E"));
  SetSpecies(p, 8);
  p.CInit(3) = 2e-3;
  p.CInit(7) = 5e-4;
  const double kf[] = {2e3, 5e3, 1e4, 1e3}, kb[] = {1, 0.1, 10, 0};
  for (int i = 1; i <= 4; ++i) {
    p.Kf(i) = kf[i - 1];
    p.Kb(i) = kb[i - 1];
  }
  return p;
}

// Every path runs the eight species to finite curves with a wave: Simulated checks every number.
TEST(WrittenNetwork, EightSpeciesRunOnEveryPath) {
  using T = TechniqueCode;
  using E = ElectrodeCode;
  const std::vector<ParameterSet> runs = {
      EightSpecies(T::LinearSweep, E::Planar),
      EightSpecies(T::LinearSweep, E::Spherical, {{FieldId::StepsPerPoint, "3"}}),
      EightSpecies(T::LinearSweep, E::Planar,
                   {{FieldId::Ru, "100"}, {FieldId::Cdl, "2e-5"}, {FieldId::TRest, "1"}}),
      EightSpecies(T::DifferentialPulse, E::Cylindrical, {{FieldId::Ru, "20"}}),
      EightSpecies(T::SquareWave, E::Planar),
      EightSpecies(T::NormalPulse, E::Hemispherical),
      EightSpecies(T::DC, E::Planar, {{FieldId::Noise, "1"}}),
  };
  for (const ParameterSet& p : runs) {
    const testing::Run run = Simulated(p);
    EXPECT_GT(run.peak, 1e-6) << CodeNumber(p.Technique) << " " << CodeNumber(p.Electrode);
  }
}

// The microdisc's second-order cells, on the three species the dimerisation needs (eight take
// minutes there: the dense block of a cell row grows as the cube of the species).
TEST(WrittenNetwork, DimerisationAtAMicrodisc) {
  ParameterSet p =
      Written(DigitalExperiment(MechanismCode::E, TechniqueCode::DC, ElectrodeCode::Microdisc,
                                ScanCode::Single, [](Settings&) {}),
              Parsed("A + e = B; 2 B = C"));
  SetSpecies(p, 3);
  p.Kf(1) = 1e5;
  p.Kb(1) = 0;
  const testing::Run run = Simulated(p);
  EXPECT_GT(run.peak, 0);
}

TEST(WrittenNetwork, RefusedWhereItCannotRun) {
  ParameterSet p = Written(Cycle("0.005"), Parsed("A + e = B; B = C"));
  SetSpecies(p, 3);
  p.Digital = false;
  auto work = std::make_unique<SimulationWorkspace>();
  SimulationOutcome o = RunSimulation(p, *work, false);
  ASSERT_TRUE(o.fault);
  EXPECT_NE(o.fault->find("written mechanism"), std::string::npos) << *o.fault;
  // Counts that are not the network's are a fault, not a run over storage it does not fill.
  p.Digital = true;
  p.SpeciesCount = 4;
  o = RunSimulation(p, *work, false);
  ASSERT_TRUE(o.fault);
}

}  // namespace
}  // namespace vorex
