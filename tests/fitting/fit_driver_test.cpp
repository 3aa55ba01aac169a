#include "fitting/fit_driver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "base/number_format.h"
#include "support/started_program.h"

namespace vorex {
namespace {

struct AutoFit : testing::StartedProgram {
  AutoFit() {
    Analytical();
    program->experiment.formExpr.SetCheck(Expr().CheckPreEqu(), false);
  }
  // Simulates with the fields as they stand and takes the result back as a measured curve.
  void Measure() {
    Invoke("mnuSimulate");
    const auto file =
        std::filesystem::temp_directory_path() /
        ("vorex-fit-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".csv");
    host.fileAnswers.push_back(file.string());
    Invoke("mnuExport");
    host.fileAnswers.push_back(file.string());
    Invoke("mnuImport");
    std::filesystem::remove(file);
  }
  void Fitted(int slot, bool on) {
    program->experiment.formExpr.SetCheck(Expr().CheckFitted(slot), on);
  }
  const std::vector<std::string>& Lines() { return program->formResult.Lines(); }
  // The lines of the last fit: after the import's lines, a blank line and the command's name.
  std::vector<std::string> FitLines() {
    const std::vector<std::string>& all = Lines();
    for (std::size_t k = all.size(); k-- > 1;) {
      if ((all[k] == "Auto Fit" || all[k] == "Manual Fit") && all[k - 1].empty()) {
        return {all.begin() + static_cast<std::ptrdiff_t>(k) + 1, all.end()};
      }
    }
    ADD_FAILURE() << "no fit's heading";
    return {};
  }
};

TEST_F(AutoFit, RecoversTheKineticsOfASimulatedCurve) {
  // Quasi-reversible (ks / sqrt(D f v) = 0.5), so that ks, alpha and E0 all shape the curve; near
  // the reversible limit ks hardly does and its steps leave the bounds.
  Type(Expr().Eze(1), "0.05");
  Type(Expr().ks(1), "1e-3");
  Type(Expr().alph(1), "0.45");
  Measure();
  Type(Expr().Eze(1), "0.07");
  Type(Expr().ks(1), "2e-3");
  Type(Expr().alph(1), "0.5");
  Fitted(1, false);
  for (int slot : {5, 8, 11}) Fitted(slot, true);
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const FitProblem& p = program->fit.problem;
  ASSERT_EQ(program->fit.FitCount, 3);
  EXPECT_NEAR(p.x(1) / 1e-3, 1.0, 1e-6);  // ks
  EXPECT_NEAR(p.x(2), 0.45, 1e-6);        // alpha
  EXPECT_NEAR(p.x(3), 0.05, 1e-6);        // E0
  EXPECT_EQ(Expr().CheckFitted(11).Caption(), FormatPattern(p.x(3), "0.###e-#"));
  EXPECT_EQ(Expr().Eze(1).Text(), "0.07");  // the fields keep the user's values
  EXPECT_FALSE(program->fit.fitting);
  EXPECT_EQ(Curves().CurrentCurve, 2);
}

TEST_F(AutoFit, ReportLayout) {
  Type(Expr().C(1), "2e-3");
  Measure();
  Type(Expr().C(1), "1e-3");
  Invoke("mnuAutoFit");
  const std::vector<std::string> lines = FitLines();
  std::size_t header = 0;
  while (header < lines.size() && lines[header].rfind("Least square = ", 0) == 0) ++header;
  ASSERT_GE(header, 1u);
  // The report's ten lines, then a blank line and the statistics block.
  ASSERT_GT(lines.size(), header + 12);
  EXPECT_EQ(lines[header + 10], "");
  EXPECT_EQ(lines[header + 11], "Fit statistics at the fitted values:");
  // Zones start at columns 1, 15, 29, 43: "Initial value" fills its zone, an empty one follows.
  EXPECT_EQ(lines[header],
            "No." + std::string(11, ' ') + "Initial value" + std::string(15, ' ') + "Fitted value");
  EXPECT_EQ(lines[header + 1].substr(0, 19), " 1 " + std::string(11, ' ') + " .001");
  // (m in the first zone, the start in the second)
  EXPECT_NEAR(program->fit.problem.x(1), 2e-3, 1e-12);
  EXPECT_EQ(lines[header + 2], "");
  EXPECT_EQ(lines[header + 5].substr(0, 19), "Convergence flag = ");
  EXPECT_EQ(lines[header + 9].substr(0, 22), "Computation time (s) =");
  EXPECT_EQ(Expr().CheckFitted(1).Caption(), "2e-3");
}

TEST_F(AutoFit, TheResidualIsTheMeasuredLessTheFittedCurveWithTheReportedSum) {
  Type(Expr().C(1), "2e-3");
  Measure();
  Type(Expr().C(1), "1.5e-3");
  Type(Expr().TextCmax(1), "1e-3");  // the bound keeps the fit off the data: a real residual
  Invoke("mnuResidual");
  ASSERT_EQ(host.messages.size(), 1u);  // no fit yet
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  Invoke("mnuResidual");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  ASSERT_EQ(Curves().CurveCount, 3);
  EXPECT_EQ(Curves().CurrentCurve, 3);  // so that the Y Data commands magnify it
  double sum = 0;
  for (int i = 1; i <= Curves().PointCount; ++i) {
    const double r = Curves().Ordinate(i, 3);
    EXPECT_EQ(r, Curves().Ordinate(i, 1) - Curves().Ordinate(i, 2));
    sum += r * r;
  }
  // The report's "Least square" is the sum of (fitted - measured)^2 in point order: the same
  // number, digit for digit, as the residual's own sum of squares.
  const std::string ssr = FormatGeneral(sum);
  bool reported = false;
  for (const auto& line : Lines()) {
    if (line.rfind("Least square = ", 0) == 0 && line.find(ssr) != std::string::npos)
      reported = true;
  }
  EXPECT_TRUE(reported) << ssr;
  EXPECT_NE(Lines().back().find("sum of squares = " + ssr), std::string::npos);
}

TEST_F(AutoFit, ConstantDataFittedExactlyIsAnArithmeticFault) {
  Type(Expr().C(1), "0");
  Type(Expr().TextCmin(1), "0");
  Measure();  // all zero: variance 0, and the start (c = 0) fits exactly
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages[0],
            "Fit Error: Division by zero! Please try again by other initial values.");
  EXPECT_FALSE(program->fit.fitting);
  for (const auto& line : Lines()) EXPECT_EQ(line.rfind("No.", 0), std::string::npos);
}

TEST_F(AutoFit, ASimulationThatFailsEndsTheFitWithItsOwnMessageOnly) {
  Measure();
  Type(Expr().Eze(1), "50");  // every simulation of the fit overflows
  Invoke("mnuAutoFit");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("Analytical simulation Error: Overflow", 0), 0u);
  EXPECT_TRUE(FitLines().empty());
  EXPECT_FALSE(program->fit.fitting);
}

TEST_F(AutoFit, SeparateShowsEachChargeReaction) {
  Measure();
  Invoke("mnuAutoSeparate");
  EXPECT_EQ(Curves().CurveCount, 3);
  for (int i = 1; i <= 121; ++i)
    ASSERT_EQ(Curves().Ordinate(i, 3), Curves().SimulatedCurrent(i, 1));
  program->experiment.formMech.Click(program->experiment.formMech.mech(4));  // two couples
  Type(Expr().C(3), "1e-3");
  Invoke("mnuManualSeparate");
  EXPECT_EQ(Curves().CurveCount, 4);
  EXPECT_TRUE(FitLines().empty());  // Manual Fit prints nothing
}

}  // namespace
}  // namespace vorex
