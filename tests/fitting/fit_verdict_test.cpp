// The plain sentences that end a fit's report and follow its statistics.
#include "fitting/fit_verdict.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/fit_command.h"

namespace vorex {
namespace {

constexpr int kPoints = 10;

// y(t) at t = 1..10 for the parameter vector.
class Curve : public FitModelFunction {
 public:
  explicit Curve(std::function<double(const ParameterVector&, double)> f) : f_(std::move(f)) {}
  void Evaluate(const ParameterVector& v, int m, PointVector& out) override {
    for (int j = 1; j <= m; ++j) out(j) = f_(v, j);
  }

 private:
  std::function<double(const ParameterVector&, double)> f_;
};

struct Verdict : ::testing::Test {
  // Fits parameters 1..count (fit slots 1.., named C(A)..) from their starts within the bounds.
  FitResult Fit(Curve& model, const std::function<double(double)>& y,
                const std::vector<std::vector<double>>& startLowHigh) {
    setup.count = static_cast<int>(startLowHigh.size());
    for (int i = 1; i <= setup.count; ++i) {
      setup.index(i) = i;
      setup.start(i) = startLowHigh[i - 1][0];
      setup.lower(i) = startLowHigh[i - 1][1];
      setup.upper(i) = startLowHigh[i - 1][2];
    }
    PointVector data;
    for (int j = 1; j <= kPoints; ++j) data(j) = y(j);
    return RunFit(setup, data, kPoints, model, *problem);
  }
  bool Reports(const FitResult& r, const std::string& line) {
    const std::vector<std::string> lines = FitReportLines(setup, r);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  bool SaysConverged(const FitResult& r) {
    for (const std::string& line : FitReportLines(setup, r)) {
      if (line.rfind("The fit converged", 0) == 0) return true;
    }
    return false;
  }
  FitSetup setup;
  std::unique_ptr<FitProblem> problem = std::make_unique<FitProblem>();
};

TEST_F(Verdict, AFitStoppedByTheIterationLimitSaysSo) {
  // y = t (1 + b^2) fitted to y = t from b = 1e20. The model is quadratic in b about its minimum
  // b = 0, where its derivative vanishes: each Gauss-Newton step halves b (central differences
  // are exact for a quadratic) and cuts the sum of squares 16-fold, never by too little to go on,
  // so after 51 halvings b = 1e20 / 2^51 and the limit ends the fit.
  Curve model([](const ParameterVector& v, double t) { return t * (1 + v(1) * v(1)); });
  const FitResult r = Fit(model, [](double t) { return t; }, {{1e20, -1e30, 1e30}});
  ASSERT_FALSE(r.message);
  EXPECT_EQ(r.iterations, 51);
  EXPECT_EQ(r.convergenceFlag, 1);
  EXPECT_NEAR(r.fitted(1) / (1e20 / std::pow(2.0, 51)), 1, 1e-12);
  EXPECT_TRUE(
      Reports(r, "The fit did not converge: it stopped at the iteration limit of 51 iterations."));
  EXPECT_FALSE(SaysConverged(r));
}

TEST_F(Verdict, AParameterHeldOnTheBoundItStartedOnIsNamed) {
  // y = a + b t to y = 1 + 2 t with a started on its upper bound 0.5: a stays, and b goes to the
  // best slope with a = 0.5, b = sum (y - 0.5) t / sum t^2 = 2 + 0.5 sum t / sum t^2.
  Curve model([](const ParameterVector& v, double t) { return v(1) + v(2) * t; });
  const FitResult r =
      Fit(model, [](double t) { return 1 + 2 * t; }, {{0.5, -1, 0.5}, {1, -10, 10}});
  ASSERT_FALSE(r.message);
  EXPECT_EQ(r.fitted(1), 0.5);
  EXPECT_NEAR(r.fitted(2), 2 + 0.5 * 55 / 385, 1e-9);
  EXPECT_EQ(UnmovedParameters(r), std::vector<int>{1});
  EXPECT_TRUE(Reports(r,
                      "C(A) stayed on the bound it started on although the curve depends on it: "
                      "widen the bound or try another start."));
  EXPECT_FALSE(SaysConverged(r));
}

TEST_F(Verdict, AFreeParameterLeftAtItsStartIsNamed) {
  // The outcome as an iteration that never moved parameter 2 would leave it: the fitted value
  // is the start, and the curve depends on it (a column of J that is not zero, Free).
  FitResult r;
  setup.count = 2;
  setup.index(1) = 11;  // E°(1)
  setup.index(2) = 5;   // ks(1)
  r.convergenceFlag = -2;
  r.start(1) = 0.2;
  r.fitted(1) = 0.217;
  r.start(2) = r.fitted(2) = 1e-2;
  FitStatistics s;
  s.n = 2;
  s.standing(1) = s.standing(2) = ParameterStanding::Free;
  r.statistics = s;
  EXPECT_EQ(OutcomeSentences(setup, r),
            std::vector<std::string>{"ks(1) did not move from its start value although the curve "
                                     "depends on it: try another start."});
  // One the curve does not depend on is no news: the statistics call it frozen already.
  r.statistics->standing(2) = ParameterStanding::Frozen;
  EXPECT_TRUE(UnmovedParameters(r).empty());
  // Nor is a start that met the absolute tolerance at once: nothing had to move.
  r.statistics->standing(2) = ParameterStanding::Free;
  r.convergenceFlag = -1;
  EXPECT_TRUE(UnmovedParameters(r).empty());
}

TEST_F(Verdict, APoorFitAndCorrelatedResidualsAreSaid) {
  // A line through y = t^2 at t = -5..5 (11 points): the best line is y = 10, so R² = 0, and
  // the residuals t^2 - 10 give DW = 330 / 858 = 0.385 (see fit_statistics_test).
  Curve model([](const ParameterVector& v, double t) { return v(1) + v(2) * (t - 6); });
  setup.count = 2;
  for (int i = 1; i <= 2; ++i) {
    setup.index(i) = i;
    setup.start(i) = 1;
    setup.lower(i) = -100;
    setup.upper(i) = 100;
  }
  PointVector data;
  for (int j = 1; j <= 11; ++j) data(j) = (j - 6) * (j - 6);
  const FitResult r = RunFit(setup, data, 11, model, *problem);
  ASSERT_TRUE(r.statistics);
  EXPECT_TRUE(Reports(r, "R\u00b2 = 0 is below 0.9: the model does not describe the curve."));
  EXPECT_TRUE(Reports(r,
                      "The residuals are correlated (Durbin\u2013Watson 0.38): the standard "
                      "errors are too small."));
  EXPECT_FALSE(SaysConverged(r));
  // Independent-looking residuals and a curve described: nothing of the kind is said.
  FitStatistics good;
  good.rSquared = 0.95;
  good.durbinWatson = 1.9;
  EXPECT_TRUE(GoodnessSentences(good).empty());
  // A value just below its threshold is printed below it.
  good.rSquared = 0.8996;
  good.durbinWatson = 1.4999;
  EXPECT_EQ(GoodnessSentences(good),
            (std::vector<std::string>{
                "R\u00b2 = 0.8996 is below 0.9: the model does not describe the curve.",
                "The residuals are correlated (Durbin\u2013Watson 1.4999): the standard errors "
                "are too small."}));
}

TEST_F(Verdict, AFitThatReachedItsMinimumSaysItConverged) {
  // y = a exp(-b t) to a = 2, b = 0.3 from a = 1, b = 0.1: the sum of squares goes below the
  // absolute tolerance.
  Curve model([](const ParameterVector& v, double t) { return v(1) * std::exp(-v(2) * t); });
  const FitResult r =
      Fit(model, [](double t) { return 2 * std::exp(-0.3 * t); }, {{1, 0.1, 10}, {0.1, 0.01, 1}});
  EXPECT_EQ(OutcomeSentences(setup, r).size(), 1u);
  EXPECT_TRUE(SaysConverged(r));
}

}  // namespace
}  // namespace vorex
