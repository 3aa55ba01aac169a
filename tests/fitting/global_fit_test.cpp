#include "fitting/global_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fitting/fit_driver.h"
#include "support/simulated_curves.h"

namespace vorex {
namespace {

using testing::CyclicExperiment;
using testing::SimulatedCurve;

// The fitted slots of these tests: E0, ks, alpha (reaction 1) and D of A.
constexpr int kE0 = 11, kKs = 5, kAlpha = 8, kDA = 20, kCA = 1;

// Gaussian noise of deviation `sigma` added to a curve, from a seed of its own.
void AddNoise(GlobalCurve& c, double sigma, unsigned long seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal(0.0, sigma);
  for (double& v : c.current) v += normal(random);
}

// The curve's start values a little off the values it was simulated with.
void MoveToStart(GlobalCurve& c) {
  c.parameters.E0(1) = 0.2;
  c.parameters.Ks(1) = 2e-3;
  c.parameters.Alpha(1) = 0.42;
  c.parameters.D(1) = 6e-6;
}

// Four scan rates of the same couple, starting a little off.
std::vector<GlobalCurve> FourScanRates() {
  std::vector<GlobalCurve> curves;
  for (const char* v : {"0.05", "0.1", "0.2", "0.5"}) {
    curves.push_back(SimulatedCurve(CyclicExperiment({{"scan_rate", v}}), v));
    MoveToStart(curves.back());
  }
  return curves;
}

GlobalFitSetup SharedKinetics(CurveWeighting weighting, int threads) {
  GlobalFitSetup setup;
  setup.parameters = {{kE0, false, -0.2, 0.6},
                      {kKs, false, 1e-6, 1},
                      {kAlpha, false, 0.1, 0.9},
                      {kDA, false, 1e-7, 1e-4}};
  setup.weighting = weighting;
  setup.threads = threads;
  return setup;
}

TEST(GlobalFit, ASetOfOneCurveIsThatCurvesOwnFit) {
  GlobalCurve curve = SimulatedCurve(CyclicExperiment(), "one");
  AddNoise(curve, 2e-7, 11);
  MoveToStart(curve);
  // The single-curve fit as Auto Fit forms it: E0, ks, alpha from the curve's own values, ks
  // stepped on a log scale.
  FitSetup single;
  single.count = 3;
  const int slots[] = {kE0, kKs, kAlpha};
  const double lower[] = {-0.2, 1e-6, 0.1}, upper[] = {0.6, 1, 0.9};
  for (int i = 1; i <= 3; ++i) {
    single.index(i) = slots[i - 1];
    single.start(i) = FitStartValue(curve.parameters, slots[i - 1]);
    single.lower(i) = lower[i - 1];
    single.upper(i) = upper[i - 1];
    single.logScale(i) = slots[i - 1] == kKs;
  }
  const int m = static_cast<int>(curve.current.size());
  PointVector y(m);
  for (int j = 1; j <= m; ++j) y(j) = curve.current[static_cast<std::size_t>(j - 1)];
  auto work = std::make_unique<SimulationWorkspace>();
  SimulationFitModel model(curve.parameters, single, *work);
  auto problem = std::make_unique<FitProblem>(m);
  const FitResult alone = RunFit(single, y, m, model, *problem);
  ASSERT_FALSE(alone.message) << *alone.message;
  ASSERT_GT(alone.iterations, 1);

  // A weight relative to the first curve is 1 for the first curve under every weighting.
  for (CurveWeighting weighting :
       {CurveWeighting::None, CurveWeighting::LargestCurrent, CurveWeighting::Noise}) {
    GlobalFitSetup setup;
    setup.parameters = {{kE0, false, -0.2, 0.6}, {kKs, false, 1e-6, 1}, {kAlpha, false, 0.1, 0.9}};
    setup.weighting = weighting;
    const GlobalFitResult joint = RunGlobalFit({curve}, setup);
    ASSERT_FALSE(joint.fit.message) << *joint.fit.message;
    SCOPED_TRACE(WeightingName(weighting));
    EXPECT_EQ(joint.fit.iterations, alone.iterations);
    EXPECT_EQ(joint.fit.objectiveCount, alone.objectiveCount);
    EXPECT_EQ(joint.fit.sumOfSquares, alone.sumOfSquares);
    ASSERT_TRUE(joint.fit.statistics && alone.statistics);
    for (int i = 1; i <= 3; ++i) {
      EXPECT_EQ(joint.fit.fitted(i), alone.fitted(i)) << i;
      EXPECT_EQ(joint.fit.statistics->halfWidth95(i), alone.statistics->halfWidth95(i)) << i;
    }
    ASSERT_EQ(joint.curves.size(), 1u);
    EXPECT_EQ(joint.curves[0].weight, 1.0);
    EXPECT_EQ(joint.curves[0].sumOfSquares, alone.sumOfSquares);
  }
}

TEST(GlobalFit, FourScanRatesGiveBackTheKineticsTheyWereSimulatedWith) {
  const GlobalFitResult r = RunGlobalFit(FourScanRates(), SharedKinetics(CurveWeighting::Noise, 0));
  ASSERT_FALSE(r.fit.message) << *r.fit.message;
  // The truth: the values of CyclicExperiment the curves were simulated with (noise free).
  EXPECT_NEAR(r.fit.fitted(1), 0.217, 1e-6);
  EXPECT_NEAR(r.fit.fitted(2) / 1e-3, 1, 1e-5);
  EXPECT_NEAR(r.fit.fitted(3), 0.48, 1e-5);
  EXPECT_NEAR(r.fit.fitted(4) / 7.6e-6, 1, 1e-5);
  ASSERT_EQ(r.curves.size(), 4u);
  for (const GlobalCurveResult& c : r.curves) {
    ASSERT_TRUE(c.rSquared);
    EXPECT_GT(*c.rSquared, 1 - 1e-9);
    // Each curve's own parameter set carries the shared values back.
    EXPECT_EQ(c.parameters.Ks(1), r.fit.fitted(2));
    EXPECT_EQ(c.parameters.D(1), r.fit.fitted(4));
  }
}

TEST(GlobalFit, AConcentrationPerCurveIsFoundForEachCurve) {
  // Three solutions of the same couple, E0 shared; each curve starts from 1.5 mM.
  const double truth[] = {0.5e-3, 1e-3, 2e-3};
  std::vector<GlobalCurve> curves;
  for (double c : truth) {
    curves.push_back(SimulatedCurve(CyclicExperiment({{"C_A", std::to_string(c)}})));
    curves.back().parameters.CInit(1) = 1.5e-3;
    curves.back().parameters.E0(1) = 0.2;
  }
  GlobalFitSetup setup;
  setup.parameters = {{kE0, false, -0.2, 0.6}, {kCA, true, 1e-5, 1e-1}};
  const GlobalFitResult r = RunGlobalFit(curves, setup);
  ASSERT_FALSE(r.fit.message) << *r.fit.message;
  ASSERT_EQ(r.setup.count, 4);  // E0 once, C once per curve
  EXPECT_NEAR(GlobalValue(r, 0, 2), 0.217, 1e-6);
  for (int c = 1; c <= 3; ++c) {
    EXPECT_NEAR(GlobalValue(r, 1, c) / truth[c - 1], 1, 1e-6) << "curve " << c;
    EXPECT_EQ(r.curves[static_cast<std::size_t>(c - 1)].parameters.CInit(1), GlobalValue(r, 1, c));
  }
}

TEST(GlobalFit, TwoThreadsGiveWhatOneGives) {
  std::vector<GlobalCurve> curves = FourScanRates();
  for (std::size_t c = 0; c < curves.size(); ++c) AddNoise(curves[c], 5e-7, 100 + c);
  const GlobalFitResult one = RunGlobalFit(curves, SharedKinetics(CurveWeighting::Noise, 1));
  const GlobalFitResult two = RunGlobalFit(curves, SharedKinetics(CurveWeighting::Noise, 2));
  ASSERT_FALSE(one.fit.message || two.fit.message);
  EXPECT_EQ(one.threads, 1);
  EXPECT_EQ(two.threads, 2);
  EXPECT_EQ(one.fit.iterations, two.fit.iterations);
  EXPECT_EQ(one.fit.objectiveCount, two.fit.objectiveCount);
  EXPECT_EQ(one.fit.iterationSumOfSquares, two.fit.iterationSumOfSquares);
  ASSERT_TRUE(one.fit.statistics && two.fit.statistics);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(one.fit.fitted(i), two.fit.fitted(i)) << i;
    EXPECT_EQ(one.fit.statistics->halfWidth95(i), two.fit.statistics->halfWidth95(i)) << i;
  }
  for (std::size_t c = 0; c < 4; ++c) {
    EXPECT_EQ(one.curves[c].weight, two.curves[c].weight);
    EXPECT_EQ(one.curves[c].fitted, two.curves[c].fitted);
  }
}

TEST(GlobalFit, AFaultInOneCurvesSimulationEndsTheFitWithItsMessage) {
  // Curve 3 cannot be simulated: with a diffusion coefficient of 0 the first cell of its grid,
  // sqrt(D dt), has no width to divide by.
  // The set itself is in order (nothing is simulated before the fit), so the fault comes from
  // inside the fit, on whichever thread simulated that curve.
  std::vector<GlobalCurve> curves = FourScanRates();
  curves[2].parameters.D(2) = 0;
  for (int threads : {1, 2}) {
    ASSERT_FALSE(RefusedGlobalFit(curves, SharedKinetics(CurveWeighting::Noise, threads)));
    const GlobalFitResult r = RunGlobalFit(curves, SharedKinetics(CurveWeighting::Noise, threads));
    ASSERT_TRUE(r.fit.message) << threads << " threads";
    EXPECT_NE(r.fit.message->find("Division by zero"), std::string::npos) << *r.fit.message;
    EXPECT_EQ(r.fit.message->rfind("Curve 3 of the set: ", 0), 0u) << *r.fit.message;
    EXPECT_TRUE(r.curves.empty());
  }
}

TEST(GlobalFit, ASpentBudgetEndsTheFitWithAMessage) {
  GlobalFitSetup setup = SharedKinetics(CurveWeighting::None, 2);
  setup.evaluationBudget = 3;  // the start and the two of the first Jacobian column
  const GlobalFitResult r = RunGlobalFit(FourScanRates(), setup);
  ASSERT_TRUE(r.fit.message);
  EXPECT_NE(r.fit.message->find("budget of 3 evaluations"), std::string::npos) << *r.fit.message;
  EXPECT_TRUE(r.curves.empty());
}

TEST(GlobalFit, ABudgetSpentOnTheStatisticsLeavesTheCurvesAtTheFittedValues) {
  // Budgets from tiny to enough: those spent while the statistics' derivatives are formed end
  // with a report but no statistics, and the last simulations were then made beside the
  // solution. Every curve of a report must still be the curve of the fitted values, as the fit
  // without a budget gives it.
  std::vector<GlobalCurve> curves;
  for (const char* v : {"0.05", "0.5"}) {
    curves.push_back(SimulatedCurve(CyclicExperiment({{"scan_rate", v}, {"E_step", "0.005"}})));
    MoveToStart(curves.back());
  }
  GlobalFitSetup setup;
  setup.parameters = {{kE0, false, -0.2, 0.6}, {kKs, false, 1e-6, 1}};
  const GlobalFitResult free = RunGlobalFit(curves, setup);
  ASSERT_FALSE(free.fit.message);
  int withoutStatistics = 0;
  for (int budget = 1; budget <= 60; ++budget) {
    setup.evaluationBudget = budget;
    const GlobalFitResult r = RunGlobalFit(curves, setup);
    if (r.fit.message) continue;
    withoutStatistics += r.fit.statistics ? 0 : 1;
    ASSERT_EQ(r.curves.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c) {
      EXPECT_EQ(r.curves[c].parameters.E0(1), r.fit.fitted(1)) << "budget " << budget;
      EXPECT_EQ(r.curves[c].parameters.Ks(1), r.fit.fitted(2)) << "budget " << budget;
      EXPECT_EQ(r.curves[c].fitted, free.curves[c].fitted) << "budget " << budget;
      EXPECT_EQ(r.curves[c].sumOfSquares, free.curves[c].sumOfSquares) << "budget " << budget;
    }
  }
  EXPECT_GT(withoutStatistics, 0);
}

}  // namespace
}  // namespace vorex
