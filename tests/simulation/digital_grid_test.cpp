#include "simulation/digital_grid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/runtime_fault.h"
#include "simulation/point_schedule.h"
#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

double X(double gamma, int j) {
  return (std::pow(gamma, j - 1) - 1) / (gamma - 1);
}

TEST(ResolvedGrid, FirstSpacingResolvesTheStepTheRadiusAndTheReactionLayer) {
  GridDemand d;
  d.dMin = d.dMax = 1e-5;
  d.step = 0.01;
  d.span = 1;
  // sqrt(D dt / 5) = sqrt(2e-8); the bulk 6 sqrt(D t) = 0.018974 cm is 134.2 spacings out:
  // x_11 = (1.5^10 - 1) / 0.5 = 113.3 falls short, x_12 = 171.0 reaches it, so N = 11.
  ResolvedGrid g = ResolveGrid(d);
  EXPECT_NEAR(g.h0, 1.41421e-4, 1e-9);
  EXPECT_EQ(g.gamma, 1.5);
  EXPECT_EQ(g.nodes, 11);
  d.radius = 1e-4;  // a radius in 20 spacings, on the finer cells of a curved electrode
  g = ResolveGrid(d);
  EXPECT_NEAR(g.h0, 5e-6, 1e-18);
  EXPECT_EQ(g.gamma, 1.2);
  d.radius = 0;
  d.rate = 1e4;  // the reaction layer sqrt(D / k) = 3.162e-5 cm in 10 spacings
  EXPECT_NEAR(ResolveGrid(d).h0, 3.16228e-6, 1e-11);
  d.dMin = 2.5e-6;  // the slowest species has the thinnest layers
  EXPECT_NEAR(ResolveGrid(d).h0, 1.58114e-6, 1e-11);
}

TEST(ResolvedGrid, StaysWithinTheStorageAtTheExtremes) {
  GridDemand d;
  d.dMin = d.dMax = 1e-5;
  d.step = 0.01;
  d.span = 1e4;
  d.radius = 1e-7;  // 6 sqrt(0.1) / 5e-9 = 3.8e8 spacings: 100 nodes at 1.2 per cell
  const ResolvedGrid g = ResolveGrid(d);
  EXPECT_LE(g.nodes, 99);
  EXPECT_GT(g.gamma, 1.2);
  EXPECT_GE(X(g.gamma, g.nodes + 1), 6 * std::sqrt(0.1) / g.h0);  // the bulk is reached
  d.rate = 1e60;  // a reaction layer of 3e-33 cm: not even doubling cells reach the bulk
  try {
    ResolveGrid(d);
    FAIL() << "no fault";
  } catch (const RuntimeFault& f) {
    EXPECT_EQ(f.Description(), "The diffusion grid would need more than 100 nodes");
  }
}

TEST(ResolvedGrid, WeightsAreFiniteVolumesOfTheCells) {
  // At an expansion of e the plane's weights are the sweep grid's, which are written out cell
  // by cell from the same finite volumes.
  ParameterSet p;
  const DigitalGrid sweep = DigitalGridFor(p, 121);
  GridWeights a, b;
  SweepGridWeights(sweep, Geometry::Planar, 0, a);
  ResolvedGridWeights({1, std::exp(1.0), sweep.nodes}, Geometry::Planar, 0, b);
  for (int j = 1; j <= static_cast<int>(sweep.nReal); ++j) {
    EXPECT_NEAR(b.a[j] / a.a[j], 1, 1e-12) << j;
    EXPECT_NEAR(b.b[j] / a.b[j], 1, 1e-12) << j;
  }
  // A sphere of 20 spacings' radius: what leaves cell j through its outer face enters cell
  // j + 1, V_j b_j = V_(j+1) a_(j+1) with V the shell volume (w^3 - u^3) / 3.
  const ResolvedGrid g{1, 1.2, 30};
  ResolvedGridWeights(g, Geometry::Spherical, 20, a);
  for (int j = 1; j < 30; ++j) {
    const double u = 20 + X(1.2, j), w = 20 + X(1.2, j + 1), v = 20 + X(1.2, j + 2);
    EXPECT_NEAR((w * w * w - u * u * u) * a.b[j] / ((v * v * v - w * w * w) * a.a[j + 1]), 1, 1e-12)
        << j;
  }
  // A sphere a hundred million spacings across is a plane to eight digits.
  ResolvedGridWeights(g, Geometry::Spherical, 1e8, a);
  ResolvedGridWeights(g, Geometry::Planar, 0, b);
  EXPECT_NEAR(a.a[5] / b.a[5], 1, 1e-6);
  EXPECT_NEAR(a.b[5] / b.b[5], 1, 1e-6);
}

TEST(DigitalGrid, ASlowReactionKeepsTheGridWithoutChemistry) {
  ParameterSet p;
  p.HomogeneousReactionCount = 1;
  p.Kf(1) = 1e-4;
  p.Temperature = 298.14;
  p.EStep = 0.005;
  // (kf + kb) RT / (F dE) = 5e-3: a first spacing 45 times wider than without the reaction.
  EXPECT_EQ(DigitalGridFor(p, 121).lambda, 10);
}

TEST(PointSchedule, SegmentsAndSamplesOfThePulseWaveforms) {
  ParameterSet p;
  p.TDrop = 0.5;
  p.TPulse = 0.05;
  p.EPulse = -0.05;
  // Differential pulse: td - tp = 0.45 s at E, then the pulse for tp = 0.05 s, the drop still
  // td. (This test used to expect 0.4375 and 0.0625 s, a pulse of 1.25 tp: it encoded the fault.)
  p.Technique = TechniqueCode::DifferentialPulse;
  PointSchedule s = PointScheduleFor(p, DigitalStepsFor(p));
  ASSERT_EQ(s.count, 2);
  EXPECT_DOUBLE_EQ(s.segment[0].duration, 0.45);
  EXPECT_EQ(s.segment[0].offset, 0);
  EXPECT_TRUE(s.segment[0].reference);
  EXPECT_DOUBLE_EQ(s.segment[1].duration, 0.05);
  EXPECT_DOUBLE_EQ(s.segment[0].duration + s.segment[1].duration, p.TDrop);
  EXPECT_EQ(s.segment[1].offset, -0.05);
  EXPECT_TRUE(s.segment[1].pulse);
  EXPECT_TRUE(s.freshDrop);
  p.TDrop = 0.05;  // four quarter pulses, all of them pulse
  s = PointScheduleFor(p, DigitalStepsFor(p));
  ASSERT_EQ(s.count, 1);
  EXPECT_DOUBLE_EQ(s.segment[0].duration, 0.05);
  EXPECT_FALSE(s.segment[0].reference);
  p.Technique = TechniqueCode::SquareWave;  // half periods at E - EPulse/2, then E + EPulse/2,
                                            // without a new drop
  s = PointScheduleFor(p, DigitalStepsFor(p));
  ASSERT_EQ(s.count, 2);
  EXPECT_EQ(s.segment[0].offset, 0.025);
  EXPECT_EQ(s.segment[1].offset, -0.025);
  EXPECT_EQ(s.segment[1].duration, 0.05);
  EXPECT_FALSE(s.freshDrop);
  p.Technique = TechniqueCode::NormalPulse;  // the pulse alone, from a drop at rest
  p.TDrop = 0.5;
  s = PointScheduleFor(p, DigitalStepsFor(p));
  ASSERT_EQ(s.count, 1);
  EXPECT_DOUBLE_EQ(s.segment[0].duration, 0.05);
  EXPECT_TRUE(s.segment[0].pulse);
}

TEST(SurfaceRows, ConservationWeighsEachFluxByItsDiffusionCoefficient) {
  // D_A (c_A(1) - c_A(0)) + D_B (c_B(1) - c_B(0)) = 0, divided by D_B.
  const double d[4] = {1e-5, 4e-5, 2e-5, 1e-5};
  Block s{};
  ConservationEntries(MechanismCode::E, d, s);
  EXPECT_EQ(s[1][0], 0.25);
  s = Block{};
  ConservationEntries(MechanismCode::EEE, d,
                      s);  // A = B = C = D: rows B (over A) and C (over B and D)
  EXPECT_EQ(s[1][0], 0.25);
  EXPECT_EQ(s[2][1], 2);
  EXPECT_EQ(s[2][3], 0.5);
}

}  // namespace
}  // namespace vorex
