// A fit cancelled by its observer ends at the last accepted point, as a fit stopped there would.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "fitting/fit_driver.h"
#include "shell/fit_command.h"

namespace vorex {
namespace {

constexpr int kPoints = 20;

double Time(int j) {
  return 0.5 * (j - 1);
}

// y = a exp(-b t): curved enough in b that the fit of a = 2, b = 0.5 from a = 5, b = 0.05 takes
// seven iterations.
class Decay : public FitModelFunction {
 public:
  void Evaluate(const ParameterVector& v, int m, PointVector& ordinates) override {
    for (int j = 1; j <= m; ++j) ordinates(j) = v(1) * std::exp(-v(2) * Time(j));
    ++evaluations;
    last = v;
  }
  int evaluations = 0;
  ParameterVector last;
};

// Records the accepted point of every iteration; cancels once `cancelAfter` iterations have
// ended, at the `query`-th question after that (1: before the next evaluation).
class Observer : public FitObserver {
 public:
  Observer(const FitProblem& problem, const Decay& model, int cancelAfter, int query)
      : problem_(problem),
        model_(model),
        cancelAfter_(cancelAfter),
        query_(query),
        asked_(cancelAfter == 0 ? 0 : -1) {}
  void IterationEnded(int iteration, double sumOfSquares) override {
    points.push_back(problem_.x);
    sums.push_back(sumOfSquares);
    evaluations.push_back(model_.evaluations);
    if (iteration == cancelAfter_) asked_ = 0;
  }
  bool Cancelled() override { return asked_ >= 0 && ++asked_ >= query_; }

  std::vector<ParameterVector> points;
  std::vector<double> sums;
  std::vector<int> evaluations;  // the model's evaluations when each iteration ended

 private:
  const FitProblem& problem_;
  const Decay& model_;
  int cancelAfter_, query_;
  int asked_;  // counts the questions once the cancel is due
};

class FitCancel : public ::testing::Test {
 protected:
  FitCancel() {
    setup.count = 2;
    setup.index(1) = 1;
    setup.index(2) = 2;
    setup.start(1) = 5;
    setup.start(2) = 0.05;
    for (int i = 1; i <= 2; ++i) {
      setup.lower(i) = 0.01;
      setup.upper(i) = 10;
    }
    for (int j = 1; j <= kPoints; ++j) y(j) = 2 * std::exp(-0.5 * Time(j));
  }
  // The fit with an observer that cancels as said (never when cancelAfter is -1).
  FitResult Fit(int cancelAfter, int query, Observer** seen = nullptr) {
    model = Decay();
    observer = std::make_unique<Observer>(*problem, model, cancelAfter, query);
    if (seen != nullptr) *seen = observer.get();
    return RunFit(setup, y, kPoints, model, *problem, observer.get());
  }
  void ExpectModelAtFitted(const FitResult& r) {
    EXPECT_EQ(model.last(1), r.fitted(1));
    EXPECT_EQ(model.last(2), r.fitted(2));
    for (int j = 1; j <= kPoints; ++j) {
      EXPECT_EQ(problem->f(j), r.fitted(1) * std::exp(-r.fitted(2) * Time(j)));
    }
  }

  FitSetup setup;
  PointVector y;
  std::unique_ptr<FitProblem> problem = std::make_unique<FitProblem>();
  Decay model;
  std::unique_ptr<Observer> observer;
};

TEST_F(FitCancel, AfterIterationTwoTheFitEndsAtIterationTwosAcceptedPoint) {
  Observer* full = nullptr;
  const FitResult whole = Fit(-1, 1, &full);
  ASSERT_FALSE(whole.message);
  ASSERT_FALSE(whole.cancelled);
  ASSERT_GE(whole.iterations, 4);
  const std::vector<ParameterVector> points = full->points;
  const std::vector<double> sums = full->sums;
  const std::vector<int> evaluations = full->evaluations;

  // Asked before iteration 3's first evaluation: the model stands at iteration 2's point already.
  const FitResult r = Fit(2, 1);
  ASSERT_FALSE(r.message);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.iterations, 2);
  EXPECT_EQ(r.fitted(1), points[1](1));
  EXPECT_EQ(r.fitted(2), points[1](2));
  EXPECT_EQ(r.sumOfSquares, sums[1]);
  EXPECT_EQ(r.iterationSumOfSquares, std::vector<double>(sums.begin(), sums.begin() + 2));
  // The iteration would have gone on, but 1 is the iteration limit's flag: the manual's table
  // gives a cancelled fit 0, apart from -2, -1 and 1.
  EXPECT_EQ(r.convergenceFlag, 0);
  EXPECT_EQ(model.evaluations, evaluations[1]);
  ExpectModelAtFitted(r);
  // Iteration 2 took its derivatives where it began, not where it ended.
  EXPECT_FALSE(r.statistics);
  EXPECT_FALSE(r.statisticsUnavailable.empty());
  EXPECT_EQ(FitReportLines(setup, r).back(),
            "The fit was cancelled after iteration 2; the values are those of the last accepted "
            "point.");
}

TEST_F(FitCancel, InsideAnIterationTheModelReturnsToTheAcceptedPoint) {
  Observer* full = nullptr;
  Fit(-1, 1, &full);
  const std::vector<ParameterVector> points = full->points;
  const std::vector<int> evaluations = full->evaluations;

  // Refused at iteration 3's second derivative evaluation: one perturbed point was evaluated,
  // then the model once more at the accepted point.
  const FitResult r = Fit(2, 2);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.iterations, 2);
  EXPECT_EQ(r.fitted(1), points[1](1));
  EXPECT_EQ(r.fitted(2), points[1](2));
  EXPECT_EQ(model.evaluations, evaluations[1] + 2);
  ExpectModelAtFitted(r);
  EXPECT_FALSE(r.statistics);

  // Refused at the first trial of iteration 3: its derivatives (2 per parameter) were formed at
  // the accepted point, so the statistics come without another simulation.
  const FitResult s = Fit(2, 5);
  EXPECT_TRUE(s.cancelled);
  EXPECT_EQ(s.fitted(2), points[1](2));
  EXPECT_EQ(model.evaluations, evaluations[1] + 4 + 1);
  ExpectModelAtFitted(s);
  ASSERT_TRUE(s.statistics);
  EXPECT_EQ(s.statistics->value(2), points[1](2));
}

TEST_F(FitCancel, BeforeTheFirstIterationEndsTheFitKeepsItsStart) {
  // Cancelled at the first question: only the start was evaluated, which the fit must do to
  // have a sum of squares to report.
  const FitResult r = Fit(0, 1);
  ASSERT_FALSE(r.message);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.iterations, 0);
  EXPECT_EQ(model.evaluations, 1);
  EXPECT_EQ(r.fitted(1), 5);
  EXPECT_EQ(r.fitted(2), 0.05);
  double sum = 0;  // (5 exp(-0.05 t) - 2 exp(-0.5 t))^2 over the points, in point order
  for (int j = 1; j <= kPoints; ++j) {
    const double d = 5 * std::exp(-0.05 * Time(j)) - y(j);
    sum += d * d;
  }
  EXPECT_EQ(r.sumOfSquares, sum);
  EXPECT_EQ(FitReportLines(setup, r).back(),
            "The fit was cancelled before its first iteration ended; the values are those of the "
            "start.");
}

}  // namespace
}  // namespace vorex

namespace vorex {
namespace {

// The decay, failing from its `failFrom`-th evaluation on once `armed`: a simulation of the
// statistics' differences that fails.
class FailingDecay : public Decay {
 public:
  void Evaluate(const ParameterVector& v, int m, PointVector& ordinates) override {
    if (armed && evaluations + 1 == failFrom) {
      armed = false;
      throw FitAborted{"a difference simulation failed"};
    }
    Decay::Evaluate(v, m, ordinates);
  }
  bool armed = true;
  int failFrom = 0;
};

// Whichever evaluation of the statistics fails, the fit still reports the fitted values, and the
// model (whose side effects are the curve on the plot) has run last at them: the fitted curve is
// a exp(-b t) at the fitted a, b, not at a point beside them.
TEST_F(FitCancel, AFailedStatisticsSimulationLeavesTheModelAtTheFittedValues) {
  const FitResult whole = Fit(-1, 1);
  ASSERT_FALSE(whole.message);
  const int total = model.evaluations;
  int reported = 0;
  for (int failFrom = 1; failFrom <= total; ++failFrom) {
    FailingDecay failing;
    failing.failFrom = failFrom;
    const FitResult r = RunFit(setup, y, kPoints, failing, *problem);
    if (r.message || !r.statisticsUnavailable.size()) continue;
    ++reported;
    EXPECT_EQ(failing.last(1), r.fitted(1)) << failFrom;
    EXPECT_EQ(failing.last(2), r.fitted(2)) << failFrom;
    for (int j = 1; j <= kPoints; ++j) {
      EXPECT_EQ(problem->f(j), r.fitted(1) * std::exp(-r.fitted(2) * Time(j))) << failFrom;
    }
  }
  EXPECT_GT(reported, 0);  // some failure fell among the statistics' simulations
}

}  // namespace
}  // namespace vorex
