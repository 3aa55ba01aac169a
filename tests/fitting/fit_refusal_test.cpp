// A fit or an overlaid simulation that would put a curve on other potentials than the curves it
// joins, or search within bounds it cannot keep to, is refused before anything changes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/started_program.h"

namespace vorex {
namespace {

struct Refusal : testing::StartedProgram {
  Refusal() { Analytical(); }
  // A measured curve of `count` points from 0.3 V down in steps of `step`, read from a file as a
  // user would; the ordinates are a made-up shape, only the potentials matter here.
  void Import(int count, double step, double offset = 0) {
    const auto file =
        std::filesystem::temp_directory_path() /
        ("vorex-refusal-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".csv");
    {
      std::ofstream out(file);
      out.precision(17);
      for (int i = 0; i < count; ++i)
        out << 0.3 - step * i + offset << "," << 1e-6 * (1 + i % 7) << "\n";
    }
    host.fileAnswers.push_back(file.string());
    ASSERT_TRUE(Invoke("mnuImport"));
    std::filesystem::remove(file);
  }
  // The whole curve store as bytes, for "nothing changed".
  std::string Store() {
    const CurveStore& c = Curves();
    return std::string(reinterpret_cast<const char*>(&c), sizeof c);
  }
};

TEST_F(Refusal, AFitOnAnotherGridLeavesTheMeasuredCurveAsItWas) {
  Import(121, 0.005);
  const std::string before = Store();
  const auto lines = program->formResult.Lines();
  Type(Expr().Estep(), "0.05");  // 13 points from 0.3 to -0.3 V
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            "The measured curve has 121 points from 0.3 V to -0.3 V in steps of 0.005 V; the "
            "Experimental dialog gives 13 points from 0.3 V to -0.3 V in steps of 0.05 V. Set E "
            "start, E end, E step and Scan to those of the measured curve; nothing was fitted.");
  EXPECT_EQ(Store(), before);
  EXPECT_EQ(program->formResult.Lines(), lines);  // not even cleared
  EXPECT_FALSE(program->fit.fitting);

  // Fewer measured points than the programme: once padded with zeros, now refused the same way.
  Import(30, 0.005);
  Type(Expr().Estep(), "0.001");
  const std::string thirty = Store();
  for (const char* command :
       {"mnuAutoFit", "mnuManualFit", "mnuAutoSeparate", "mnuManualSeparate"}) {
    host.messages.clear();
    Invoke(command);
    ASSERT_EQ(host.messages.size(), 1u) << command;
    EXPECT_NE(host.messages[0].find("30 points"), std::string::npos) << command;
    // Import typed E end = 0.3 - 29 x 0.005 = 0.155 V: 0.145 V in 1 mV steps is 146 points.
    EXPECT_NE(host.messages[0].find("146 points"), std::string::npos) << command;
    EXPECT_EQ(Store(), thirty) << command;
  }
}

TEST_F(Refusal, AFitOnTheMeasuredGridKeepsTheMeasuredPotentialsBitForBit) {
  Import(121, 0.005, 2e-6);  // 2 uV off the programme: within a thousandth of the 5 mV step
  const CurveStore& c = Curves();
  std::array<double, 122> x{};
  for (int i = 1; i <= 121; ++i) x[static_cast<std::size_t>(i)] = c.Abscissa(i);
  std::array<double, 122> y{};
  for (int i = 1; i <= 121; ++i) y[static_cast<std::size_t>(i)] = c.Ordinate(i, 1);
  // The import set E start to the measured 0.300002 V; back to 0.3 V, the programme lies 2 uV
  // from every measured potential.
  Type(Expr().Estart(), "0.3");
  host.messages.clear();
  Invoke("mnuManualFit");
  EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  EXPECT_EQ(c.CurveCount, 2);
  for (int i = 1; i <= 121; ++i) {
    EXPECT_EQ(std::memcmp(&x[static_cast<std::size_t>(i)], &c.Abscissa(i), sizeof(double)), 0) << i;
    EXPECT_EQ(c.Ordinate(i, 1), y[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(Refusal, OverlaidCurvesKeepTheirPotentials) {
  Invoke("mnuSimulate");  // 121 points
  program->plot.formOption.overlap().SetChecked(true);
  Type(Expr().V(), "0.1");  // another scan rate on the same grid joins them
  Invoke("mnuSimulate");
  EXPECT_EQ(Curves().CurveCount, 2);
  const std::string before = Store();
  host.messages.clear();
  Type(Expr().Estart(), "0.31");  // every potential 10 mV off: point 1 differs first
  Invoke("mnuSimulate");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0],
            "The curves on the plot have 121 points from 0.3 V to -0.3 V in steps of 0.005 V; the "
            "Experimental dialog gives 123 points from 0.31 V to -0.3 V in steps of 0.005 V. Set E "
            "start, E end, E step and Scan to theirs, or untick Overlap in the Option dialog; "
            "nothing was simulated.");
  EXPECT_EQ(Store(), before);
  // Same count, shifted grid: the message names the first point that parts.
  Type(Expr().Estart(), "0.302");
  Type(Expr().Eend(), "-0.298");
  host.messages.clear();
  Invoke("mnuSimulate");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("(point 1 at 0.302 V against 0.3 V)"), std::string::npos)
      << host.messages[0];
  EXPECT_EQ(Store(), before);
  // Without overlap the new curve stands alone, on its own potentials.
  program->plot.formOption.overlap().SetChecked(false);
  Invoke("mnuSimulate");
  EXPECT_EQ(Curves().Abscissa(1), 0.302);
}

TEST_F(Refusal, AnImportThatWouldMoveTheOverlaidCurvesIsRefused) {
  Invoke("mnuSimulate");
  program->plot.formOption.overlap().SetChecked(true);
  const std::string before = Store();
  host.messages.clear();
  const auto file = std::filesystem::temp_directory_path() / "vorex-refusal-overlap.csv";
  std::ofstream(file) << "0.3,1e-6\n0.29,2e-6\n";
  host.fileAnswers.push_back(file.string());
  EXPECT_FALSE(Invoke("mnuImport") && host.messages.empty());
  std::filesystem::remove(file);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("ReadData Error: the curves on the plot have 121 points", 0),
            0u);
  EXPECT_EQ(Store(), before);
}

TEST_F(Refusal, BoundsTheSearchCannotKeepToAreNamed) {
  Invoke("mnuSimulate");
  program->experiment.formExpr.SetCheck(Expr().CheckFitted(5), true);  // ks(1)
  struct Case {
    const char *min, *max, *message;
  } cases[] = {
      {"100", "1e-4",
       "The bounds of ks(1) are reversed: min \"100\" is above max \"1e-4\"; nothing was fitted."},
      {"-1", "100",
       "The bounds of ks(1) (min \"-1\", max \"100\") take in values without meaning: ks(1) must "
       "not be negative; nothing was fitted."},
      {"1e999", "100",
       "A bound of ks(1) (min \"1e999\", max \"100\") is too large a number; nothing was fitted."},
  };
  for (const Case& c : cases) {
    Type(Expr().TextCmin(5), c.min);
    Type(Expr().TextCmax(5), c.max);
    host.messages.clear();
    const std::string before = Store();
    Invoke("mnuAutoFit");
    EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(Store(), before);
  }
  program->experiment.formExpr.SetCheck(Expr().CheckFitted(5), false);
  program->experiment.formExpr.SetCheck(Expr().CheckFitted(8),
                                        true);  // alpha(1) may only lie in 0..1
  Type(Expr().TextCmax(8), "1.5");
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("\u03b1(1) must lie between 0 and 1"), std::string::npos);
}

}  // namespace
}  // namespace vorex
