// Run > Accept Fitted Values: the values of the last Auto Fit into the Experimental dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/number_text.h"
#include "support/started_program.h"

namespace vorex {
namespace {

struct AcceptFit : testing::StartedProgram {
  // Simulates with the fields as they stand and takes the result back as a measured curve.
  void Measure() {
    Invoke("mnuSimulate");
    const std::string file = Temp("measured.csv").string();
    host.fileAnswers.push_back(file);
    Invoke("mnuExport");
    host.fileAnswers.push_back(file);
    Invoke("mnuImport");
  }
};

TEST_F(AcceptFit, WithoutAFitItIsRefusedAndTheFieldsStay) {
  Analytical();
  const std::string c = Expr().C(1).Text();
  Invoke("mnuAcceptFit");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("run Auto Fit first"), std::string::npos) << host.messages[0];
  EXPECT_EQ(Expr().C(1).Text(), c);
}

TEST_F(AcceptFit, TheFittedConcentrationIsTheOneTheDataWereMadeWith) {
  Analytical();
  AnalyticalConcentrations();
  // The data are a simulation at C(A) = 2 mM; the fit of C(A) (ticked at start-up) starts at
  // 1.5 mM and, the current being proportional to C, finds 2 mM again.
  Type(Expr().C(1), "2e-3");
  Measure();
  Type(Expr().C(1), "1.5e-3");
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  Invoke("mnuAcceptFit");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const double accepted = NumericPrefix(Expr().C(1).Text());
  EXPECT_NEAR(accepted, 2e-3, 2e-6);
  EXPECT_EQ(program->formResult.Lines().back().rfind("Accepted the fitted values: C(A) = ", 0), 0u);
  EXPECT_EQ(host.statusLines.back(), program->formResult.Lines().back());
  // The next simulation runs with it: the measured curve again.
  const double measured = Curves().Ordinate(60, 1);
  Invoke("mnuSimulate");
  EXPECT_NEAR(Curves().Ordinate(60, 1), measured, 2e-3 * std::fabs(measured));
}

}  // namespace
}  // namespace vorex
