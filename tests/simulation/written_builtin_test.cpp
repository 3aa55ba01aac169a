// Each first-order built-in mechanism written as a network runs the same equations through the
// written mechanism's terms: the network's kinetic rows balance every species on its own where
// the built-in conserves a couple in one row, which is the same surface system multiplied by an
// invertible matrix, and the chemical steps give the built-in's blocks entry for entry. So the
// written curve is the built-in's to rounding; 1e-9 of the peak leaves room for rounding alone.
// (The sweep grid of a written mechanism follows its fastest step, a built-in's its first: the
// two-step mechanisms below keep the first step the faster, so that both take one grid.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/written_runs.h"

namespace vorex {
namespace {

using testing::CurrentDifference;
using testing::DigitalExperiment;
using testing::Simulated;
using testing::SurfaceDifference;
using testing::Written;

enum : int { A, B, C, D };
using M = MechanismCode;

NetworkStep Step(int from, int to) {
  NetworkStep s;
  s.reactants[0] = {from, 1};
  s.reactantTerms = 1;
  s.products[0] = {to, 1};
  s.productTerms = 1;
  return s;
}

ReactionNetwork Network(int species, std::vector<NetworkTransfer> transfers,
                        std::vector<NetworkStep> steps = {}) {
  ReactionNetwork n;
  n.species = species;
  for (const NetworkTransfer& t : transfers) n.transfers[n.transferCount++] = t;
  for (const NetworkStep& s : steps) n.steps[n.stepCount++] = s;
  return n;
}

// The catalogue's equations of the first-order built-ins, transfers and steps numbered as the
// built-in numbers them.
std::vector<std::pair<M, ReactionNetwork>> FirstOrderBuiltIns() {
  return {
      {M::E, Network(2, {{A, B, 1}})},
      {M::EE, Network(3, {{A, B, 1}, {B, C, 1}})},
      {M::EEE, Network(4, {{A, B, 1}, {B, C, 1}, {C, D, 1}})},
      {M::TwoCouples, Network(4, {{A, B, 1}, {C, D, 1}})},
      {M::CE, Network(3, {{A, B, 1}}, {Step(C, A)})},
      {M::CEC, Network(4, {{A, B, 1}}, {Step(C, A), Step(B, D)})},
      {M::EC, Network(3, {{A, B, 1}}, {Step(B, C)})},
      {M::Catalytic, Network(2, {{A, B, 1}}, {Step(B, A)})},
      {M::ECE, Network(4, {{A, B, 1}, {C, D, 1}}, {Step(B, C)})},
      {M::ECOntoSecondCouple, Network(4, {{A, B, 1}, {C, D, 1}}, {Step(B, D)})},
      {M::SquareScheme, Network(4, {{A, B, 1}, {C, D, 1}}, {Step(B, D), Step(C, A)})},
      {M::EEC, Network(4, {{A, B, 1}, {B, C, 1}}, {Step(C, D)})},
      {M::EEIntermediateC, Network(4, {{A, B, 1}, {B, C, 1}}, {Step(B, D)})},
  };
}

// Unequal diffusion coefficients, a quasi-reversible first couple, a two-electron second one and
// chemistry fast enough to shape the waves.
void SetChemistry(ParameterSet& p) {
  const double d[] = {1.0e-5, 0.8e-5, 1.3e-5, 0.6e-5};
  const double c[] = {1e-3, 1e-4, 5e-4, 5e-5};
  for (int s = 1; s <= 4; ++s) {
    p.D(s) = d[s - 1];
    p.CInit(s) = c[s - 1];
  }
  const double n[] = {1, 2, 1}, e0[] = {0.1, -0.05, -0.15}, ks[] = {0.02, 0.005, 1},
               alpha[] = {0.5, 0.4, 0.6};
  for (int r = 1; r <= 3; ++r) {
    p.N(r) = n[r - 1];
    p.E0(r) = e0[r - 1];
    p.Ks(r) = ks[r - 1];
    p.Alpha(r) = alpha[r - 1];
  }
  p.Kf(1) = 3;
  p.Kb(1) = 0.7;
  p.Kf(2) = 1.5;
  p.Kb(2) = 0.2;
}

struct Case {
  TechniqueCode technique;
  ElectrodeCode electrode;
  ScanCode scan;
  std::vector<std::pair<FieldId, const char*>> fields;
};

// Every built-in of the list against its network under one case; equal diffusion coefficients
// when `equalDiffusion`.
void ExpectSameCurves(const Case& c, const std::vector<M>& only = {}, bool equalDiffusion = false) {
  for (const auto& [mechanism, network] : FirstOrderBuiltIns()) {
    // EEE's built-in surface rows conserve A + B and leave transfer 3 out of C's balance, so
    // its digital currents run away (amperes); the written EEE balances each species.
    if (mechanism == M::EEE) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), mechanism) == only.end()) continue;
    ParameterSet p =
        DigitalExperiment(mechanism, c.technique, c.electrode, c.scan, [&](Settings& s) {
          s.Set(FieldId::EStart, "0.4");
          s.Set(FieldId::EEnd, "-0.4");
          for (const auto& [field, text] : c.fields) s.Set(field, text);
        });
    SetChemistry(p);
    if (equalDiffusion) {
      for (int s = 1; s <= 4; ++s) p.D(s) = 1e-5;
    }
    const testing::Run builtIn = Simulated(p);
    const testing::Run written = Simulated(Written(p, network));
    EXPECT_GT(builtIn.peak, 0);
    EXPECT_LE(CurrentDifference(builtIn, written), 1e-9) << CodeNumber(mechanism);
    EXPECT_LE(SurfaceDifference(builtIn, written, 1e-3), 1e-9) << CodeNumber(mechanism);
  }
}

TEST(WrittenBuiltIns, CycleAtAPlane) {
  ExpectSameCurves({TechniqueCode::LinearSweep, ElectrodeCode::Planar, ScanCode::Cycle, {}});
}

TEST(WrittenBuiltIns, CycleAtASphereInSubStepsAfterARest) {
  ExpectSameCurves({TechniqueCode::LinearSweep,
                    ElectrodeCode::Spherical,
                    ScanCode::Cycle,
                    {{FieldId::StepsPerPoint, "3"}, {FieldId::TRest, "2"}}});
}

TEST(WrittenBuiltIns, CycleBehindAResistanceWithTheDoubleLayer) {
  ExpectSameCurves({TechniqueCode::LinearSweep,
                    ElectrodeCode::Planar,
                    ScanCode::Cycle,
                    {{FieldId::Ru, "100"}, {FieldId::Cdl, "2e-5"}}});
  ExpectSameCurves({TechniqueCode::LinearSweep,
                    ElectrodeCode::Cylindrical,
                    ScanCode::Single,
                    {{FieldId::Ru, "100"}, {FieldId::StepsPerPoint, "2"}}});
}

TEST(WrittenBuiltIns, PulseTechniques) {
  ExpectSameCurves({TechniqueCode::DifferentialPulse, ElectrodeCode::Planar, ScanCode::Single, {}});
  ExpectSameCurves({TechniqueCode::SquareWave, ElectrodeCode::Spherical, ScanCode::Single, {}});
  ExpectSameCurves({TechniqueCode::NormalPulse, ElectrodeCode::Planar, ScanCode::Single, {}});
  ExpectSameCurves({TechniqueCode::DifferentialPulse,
                    ElectrodeCode::Planar,
                    ScanCode::Single,
                    {{FieldId::Ru, "50"}}});
}

// The two-dimensional run, where chemistry couples the species of a cell into dense blocks; the
// last one behind a resistance. The built-in's conservation rows put entries off the diagonal of
// the surface system (unequal diffusion coefficients, two transfers), so that its factors take
// row exchanges the written one's need not: both must still solve the same system.
TEST(WrittenBuiltIns, Microdisc) {
  ExpectSameCurves({TechniqueCode::DC, ElectrodeCode::Microdisc, ScanCode::Single, {}},
                   {M::E, M::Catalytic, M::EC, M::SquareScheme}, true);
  ExpectSameCurves({TechniqueCode::DC, ElectrodeCode::Microdisc, ScanCode::Single, {}},
                   {M::E, M::EE, M::TwoCouples, M::EC});
  ExpectSameCurves({TechniqueCode::LinearSweep,
                    ElectrodeCode::Microdisc,
                    ScanCode::Single,
                    {{FieldId::Ru, "1000"}}},
                   {M::CE, M::EE});
}

}  // namespace
}  // namespace vorex

namespace vorex {
namespace {

// EEE is the one first-order built-in whose digital rows are not its equations (see above), so
// its written form is checked on its own: three reversible one-electron couples 300 mV apart,
// with equal diffusion coefficients, give waves that barely overlap, and the first peak, met
// before the second wave has begun, is the single couple's (mechanism E) to within 0.5 %.
TEST(WrittenBuiltIns, EEEWrittenGivesEachCouplesWave) {
  const auto set = [](ParameterSet& p) {
    for (int s = 1; s <= 4; ++s) {
      p.D(s) = 1e-5;
      p.CInit(s) = s == 1 ? 1e-3 : 0;
    }
    for (int r = 1; r <= 3; ++r) {
      p.N(r) = 1;
      p.E0(r) = 0.3 - 0.3 * r;  // 0, -0.3, -0.6 V
      p.Ks(r) = 1e4;
      p.Alpha(r) = 0.5;
    }
  };
  const auto sweep = [](Settings& s) {
    s.Set(FieldId::EStart, "0.3");
    s.Set(FieldId::EEnd, "-0.9");
  };
  ParameterSet e = DigitalExperiment(M::E, TechniqueCode::LinearSweep, ElectrodeCode::Planar,
                                     ScanCode::Single, sweep);
  set(e);
  ParameterSet eee = Written(DigitalExperiment(M::EEE, TechniqueCode::LinearSweep,
                                               ElectrodeCode::Planar, ScanCode::Single, sweep),
                             FirstOrderBuiltIns()[2].second);
  set(eee);
  const testing::Run one = Simulated(e), three = Simulated(eee);
  double first = 0;
  for (int i = 0; i < three.points; ++i) {
    if (three.work->Abscissa(i + 1) > -0.15) first = std::max(first, three.current[4][i]);
  }
  EXPECT_NEAR(first, one.peak, 5e-3 * one.peak);
  EXPECT_GT(three.peak, 1.5 * one.peak);  // the later waves add to the first's tail
}

}  // namespace
}  // namespace vorex
