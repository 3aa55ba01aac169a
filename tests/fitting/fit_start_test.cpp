// Auto Fit of the kinetics of a simulated cyclic voltammogram from starts decades away.
#include <gtest/gtest.h>

#include <cmath>

#include "fitting/fit_driver.h"
#include "support/started_program.h"

namespace vorex {
namespace {

struct KineticsFit : testing::StartedProgram {
  KineticsFit() {
    AnalyticalConcentrations();
    Expr().Choose(Expr().ComboScan(), 1);  // a cycle: the digital mode's cyclic voltammogram
    Type(Expr().V(), "0.1");
  }
  // A noise-free curve of E° = 0.05 V, ks = 1e-3 cm/s (quasi-reversible at 0.1 V/s), alpha 0.45
  // becomes curve 1, the one a fit is made to.
  void Measure() {
    Type(Expr().Eze(1), "0.05");
    Type(Expr().ks(1), "1e-3");
    Type(Expr().alph(1), "0.45");
    Invoke("mnuSimulate");
  }
  void Fit(const char* eze, const char* ks) {
    Type(Expr().Eze(1), eze);
    Type(Expr().ks(1), ks);
    Expr().SetCheck(Expr().CheckFitted(1), false);
    for (int slot : {5, 11}) Expr().SetCheck(Expr().CheckFitted(slot), true);
    Type(Expr().TextCmin(5), "1e-5");
    Type(Expr().TextCmax(5), "1");
    host.messages.clear();
    Invoke("mnuAutoFit");
  }
};

TEST_F(KineticsFit, AKsWhoseFirstStepLeavesItsBoundsStillReachesTheAnswer) {
  // From ks = 1e-2 the first undamped step in ks alone would take it below 0; a bound that
  // dropped such a step kept ks at 1e-2, with a sum of squares several times the minimum. The
  // data are the model's own curve, so the answer is the simulated values themselves.
  Measure();
  for (const char* start : {"1e-2", "3e-3", "1"}) {
    Fit("0.07", start);
    ASSERT_TRUE(host.messages.empty()) << host.messages[0];
    const FitProblem& p = program->fit.problem;
    ASSERT_EQ(program->fit.FitCount, 2);
    EXPECT_NEAR(p.x(1) / 1e-3, 1, 1e-5) << start;  // ks
    EXPECT_NEAR(p.x(2), 0.05, 1e-7) << start;      // E°
  }
}

}  // namespace
}  // namespace vorex
