#include "fitting/marquardt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "support/strd_data_set.h"

namespace vorex {
namespace {

// A model given as a function of the parameter vector and the point index.
class Lambda : public FitModelFunction {
 public:
  explicit Lambda(std::function<double(const ParameterVector&, int)> f) : f_(std::move(f)) {}
  void Evaluate(const ParameterVector& v, int m, PointVector& out) override {
    for (int j = 1; j <= m; ++j) out(j) = f_(v, j);
    ++calls;
  }
  int calls = 0;

 private:
  std::function<double(const ParameterVector&, int)> f_;
};

struct Fit : ::testing::Test {
  void Data(int m, const std::function<double(int)>& y) {
    p->m = m;
    double mean = 0;
    for (int j = 1; j <= m; ++j) mean += (p->y(j) = y(j));
    mean /= m;
    p->variance = 0;
    for (int j = 1; j <= m; ++j) p->variance += (p->y(j) - mean) * (p->y(j) - mean) / m;
    p->dataSigma = std::sqrt(p->variance);
  }
  void Parameter(int i, double start, double lo, double hi) {
    p->n = std::max(p->n, i);
    p->x(i) = start;
    p->xmin(i) = lo;
    p->xmax(i) = hi;
  }
  int Run(FitModelFunction& model, int limit = 51) {
    int calls = 0;
    do {
      MarquardtStep(*p, s, model);
    } while (++calls < limit && s.ConvergenceFlag > 0);
    return calls;
  }
  std::unique_ptr<FitProblem> p = std::make_unique<FitProblem>();
  FitState s;
};

TEST(MaxOfMinOf, TiesGiveTheSecondArgument) {
  EXPECT_TRUE(std::signbit(MaxOf(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(MinOf(-0.0, 0.0)));
  EXPECT_EQ(MaxOf(1, 2), 2.0);
  EXPECT_EQ(MinOf(1, 2), 1.0);
}

TEST_F(Fit, NoParametersRaiseLambdaPastItsCeiling) {
  Data(5, [](int j) { return j; });
  Lambda model([](const ParameterVector&, int) { return 0.0; });
  MarquardtStep(*p, s, model);
  // 1e-4 x 2^24 > 1000: 25 damped passes, 26 evaluations with the first.
  EXPECT_EQ(s.ConvergenceFlag, -2);
  EXPECT_EQ(s.MarquardtCount, 25);
  EXPECT_EQ(p->objectiveCount, 26);
}

TEST_F(Fit, AStartWithinTheToleranceStopsAtOnce) {
  Data(4, [](int j) { return 2.0 * j; });
  Parameter(1, 2, 0, 10);
  Lambda model([](const ParameterVector& v, int j) { return v(1) * j; });
  MarquardtStep(*p, s, model);
  EXPECT_EQ(s.ConvergenceFlag, -1);
  EXPECT_EQ(p->objectiveCount, 1);
  EXPECT_EQ(model.calls, 1);
  EXPECT_EQ(p->x(1), 2.0);
}

TEST_F(Fit, AParameterTheModelIgnoresIsFrozenAndAZeroOneIsDifferencedWithSigma) {
  Data(6, [](int j) { return 1.5 + 0.5 * j; });
  Parameter(1, 0, -10, 10);  // intercept starting at exactly 0: h = DataSigma
  Parameter(2, 1, -10, 10);  // slope
  Parameter(3, 7, -10, 10);  // not in the model
  Lambda model([](const ParameterVector& v, int j) { return v(1) + v(2) * j; });
  Run(model);
  EXPECT_NEAR(p->x(1), 1.5, 1e-6);
  EXPECT_NEAR(p->x(2), 0.5, 1e-6);
  EXPECT_EQ(p->x(3), 7.0);
}

TEST_F(Fit, AStepBeyondItsBoundStopsOnIt) {
  Data(5, [](int j) { return 3.0 * j; });
  Parameter(1, 1, 0, 2);  // the answer 3 lies beyond the bound
  Lambda model([](const ParameterVector& v, int j) { return v(1) * j; });
  Run(model);
  // The exact step of +2 is cut to the room of +1: the parameter ends on its bound, the nearest
  // point to the answer the bounds allow (it used to keep its start).
  EXPECT_EQ(p->x(1), 2.0);
  EXPECT_EQ(s.ConvergenceFlag, -2);
}

// y = a exp(-b t) at t = 0, 0.5, .., 9.5, from a = 2, b = 0.5.
double Decay(const ParameterVector& v, int j) {
  return v(1) * std::exp(-v(2) * 0.5 * (j - 1));
}

TEST_F(Fit, ARateWhoseFirstStepLeavesItsBoundsStillReachesTheMinimum) {
  // From b = 2 the first undamped step takes b below its bound 0.01; a bound that froze b
  // there left the fit at a = 1.91 with a sum of squares of 3.7.
  Data(20, [](int j) { return 2 * std::exp(-0.25 * (j - 1)); });
  Parameter(1, 1, 0.1, 10);
  Parameter(2, 2, 0.01, 10);
  Lambda model(Decay);
  Run(model);
  EXPECT_NEAR(p->x(1), 2, 1e-8);
  EXPECT_NEAR(p->x(2), 0.5, 1e-8);
}

// y = 1 - exp(-k t) at t = 10^-2 .. 10^4, 25 points evenly spaced in log t: the rise moves
// along the axis with ln k, so a start decades off is one in ln k, not in k.
double Rise(const ParameterVector& v, int j) {
  return 1 - std::exp(-v(1) * std::pow(10.0, -2 + 0.25 * (j - 1)));
}

TEST_F(Fit, TheDerivativeOfALogScaleParameterIsTakenInLnX) {
  Data(25, [](int j) { return j; });
  Parameter(1, 0.37, 1e-8, 1e4);
  p->logScale(1) = true;
  Lambda model(Rise);
  ParameterVector at = p->x;
  CentralDifferenceJacobian(*p, at, model);
  EXPECT_EQ(at(1), 0.37);
  for (int j = 1; j <= 25; ++j) {
    // df/du = k df/dk = k t exp(-k t); the central difference of step 0.01 in u is within
    // (0.01)^2 / 6 of it relative to the largest derivative (at most 1/e).
    const double t = std::pow(10.0, -2 + 0.25 * (j - 1));
    EXPECT_NEAR(p->jacobian(j, 1), 0.37 * t * std::exp(-0.37 * t), 2e-5 / std::exp(1.0)) << j;
  }
}

TEST_F(Fit, ALogScaleRateSpanningDecadesIsFoundFromEitherSide) {
  for (double start : {1e-5, 1e3}) {
    int iterations[2] = {0, 0};
    for (bool log : {false, true}) {
      p = std::make_unique<FitProblem>();
      s = FitState{};
      Data(25, [](int j) {
        ParameterVector k;
        k(1) = 0.37;
        return Rise(k, j);
      });
      Parameter(1, start, 1e-8, 1e4);
      p->logScale(1) = log;
      Lambda model(Rise);
      iterations[log] = Run(model);
      EXPECT_NEAR(p->x(1), 0.37, 1e-8) << start << " " << log;
    }
    // Gauss-Newton in ln k crosses the decades faster than in k.
    EXPECT_LT(iterations[1], iterations[0]) << start;
  }
}

TEST_F(Fit, AnAcceptedPassHalvesLambda) {
  Data(5, [](int j) { return 3.0 * j; });
  Parameter(1, 1, 0, 10);
  Lambda model([](const ParameterVector& v, int j) { return v(1) * j; });
  s.MarquardtCount = 1;  // as after an earlier damped system
  s.Lambda = 0.1;
  MarquardtStep(*p, s, model);  // the undamped step of a linear model is exact: accepted
  EXPECT_EQ(s.MarquardtCount, 1);
  EXPECT_DOUBLE_EQ(s.Lambda, 0.05);
  EXPECT_NEAR(p->x(1), 3.0, 1e-12);
}

TEST_F(Fit, Misra1aReachesTheCertifiedValues) {
  // NIST StRD Misra1a, y = b1 (1 - exp(-b2 x)), from NIST's start 1, against the certified
  // values and residual sum of squares (tests/fitting/data/Misra1a.txt).
  const testing::StrdDataSet misra = testing::ReadStrdDataSet("Misra1a");
  const std::vector<double> start = misra.Start1(), certified = misra.Certified();
  const std::vector<double>& x = misra.x;
  ASSERT_EQ(start.size(), 2u);
  Data(static_cast<int>(misra.y.size()), [&](int j) { return misra.y[j - 1]; });
  Parameter(1, start[0], 0, 1e4);
  Parameter(2, start[1], 0, 1);
  Lambda model(
      [&](const ParameterVector& v, int j) { return v(1) * (1 - std::exp(-v(2) * x[j - 1])); });
  Run(model);
  // The relative-change stop (2e-4) ends the fit near the minimum: within 1 % of the values.
  EXPECT_NEAR(p->x(1) / certified[0], 1.0, 0.01);
  EXPECT_NEAR(p->x(2) / certified[1], 1.0, 0.01);
  EXPECT_NEAR(s.SumOfSquares / misra.residualSumOfSquares, 1.0, 0.01);
}

}  // namespace
}  // namespace vorex
