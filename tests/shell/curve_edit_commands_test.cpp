// X Data > Cut and Y Data > Subtract Background, through their statements and their dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"
#include "support/staircase.h"

namespace vorex {
namespace {

// A fresh program driven by statements, keeping what they printed and the messages shown.
struct Session {
  // Runs the statements; the status Run gives (2 for one that cannot be understood).
  int Run(const std::string& statements) {
    std::istringstream in(statements);
    return interpreter.Run(in);
  }
  std::string Messages() const { return err.str(); }
  const CurveStore& Curves() const { return program->curves; }

  std::ostringstream out, err;
  CliHost host{err};
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
};

// A measured record of two cycles 0.3 -> 0.6 -> 0 -> 0.3 V in 2 mV steps, with the current
// I = 1e-6 + 2e-6 E A, as a file of pairs with every digit; its vertices are points 151, 451,
// 751 and 1051 counted from 1, its cycles points 1..601 and 601..1201.
class CurveEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    file = std::filesystem::temp_directory_path() /
           ("vorex-cut-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv");
    std::ofstream pairs(file);
    pairs.precision(17);
    for (double x : e) pairs << x << "," << 1e-6 + 2e-6 * x << "\n";
  }
  void TearDown() override { std::filesystem::remove(file); }
  std::string Import() const { return "mnuImport " + file.string() + "\n"; }

  std::vector<double> e = testing::Staircase({0.3, 0.6, 0.0, 0.6, 0.0, 0.3}, 0);
  std::filesystem::path file;
};

TEST_F(CurveEdits, TheStatementAndTheDialogCutAlike) {
  Session typed, dialog;
  ASSERT_EQ(typed.Run(Import() + "cut segments 2 3\n"), 0);
  ASSERT_EQ(dialog.Run(Import() + "mnuCut\nFormCut.optSegments = 1\nFormCut.txtFirst = 2\n"
                                  "FormCut.txtLast = 3\nclick FormCut.CmdOK\n"),
            0);
  EXPECT_EQ(typed.Messages(), "");
  EXPECT_EQ(dialog.Messages(), "");
  EXPECT_FALSE(dialog.program->formCut.Visible());
  // Segments 2 and 3 are points 151..751: 601 points from the vertex at 0.6 V.
  for (const Session* s : {&typed, &dialog}) {
    ASSERT_EQ(s->Curves().PointCount, 601);
    EXPECT_EQ(s->Curves().Abscissa(1), e[150]);
    EXPECT_EQ(s->Curves().Abscissa(601), e[750]);
    EXPECT_EQ(s->Curves().Ordinate(601, 1), 1e-6 + 2e-6 * e[750]);
    EXPECT_EQ(s->Curves().PointsPerSweep, 301);
    const std::vector<std::string>& lines = s->program->formResult.Lines();
    EXPECT_EQ(lines.back(),
              "Kept segments 2 to 3 of 5: 601 points from 0.6 V to 0 V and back to 0.6 V in steps "
              "of 0.002 V");
  }
}

TEST_F(CurveEdits, TheDialogSaysWhatTheCurvesHoldAndKeepsARefusedChoice) {
  Session s;
  ASSERT_EQ(s.Run("mnuCut\n"), 0);
  EXPECT_EQ(s.Messages(), "message: Cut needs a curve: simulate or import one first.\n");
  EXPECT_FALSE(s.program->formCut.Visible());
  ASSERT_EQ(s.Run(Import() + "mnuCut\nFormCut.txtCycle = 3\nclick FormCut.CmdOK\n"
                             "FormCut.txtLow = 1\n"),
            0);
  FormCut& form = s.program->formCut;
  EXPECT_EQ(form.LabelSweeps().Caption(),
            "The curves have 2 cycles and 5 segments, 1201 points between 0 V and 0.6 V.");
  EXPECT_EQ(form.txtHigh().Text(), "0.6");
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(s.Curves().PointCount, 1201);
  // The window's fields take no typing while Cycle is chosen.
  EXPECT_EQ(s.Messages().substr(s.Messages().find("message: Cut: The")),
            "message: Cut: The curve has 2 cycles; there is no cycle 3. The curves are "
            "unchanged.\nmessage: FormCut.txtLow is not enabled.\n");
}

TEST_F(CurveEdits, ACutForgetsThePeaksAndTheResidualOfTheOldPoints) {
  Session s;
  ASSERT_EQ(s.Run(Import() + "mnuFindPeak\n"), 0);
  s.program->peaks.PeakCount = 1;
  s.program->fit.residualCount = 1201;
  ASSERT_EQ(s.Run("cut cycle 1\n"), 0);
  EXPECT_EQ(s.program->peaks.PeakCount, 0);
  EXPECT_EQ(s.program->fit.residualCount, 0);
  EXPECT_EQ(s.Curves().PointCount, 601);
}

TEST(CurveEditsOnASimulation, FindPeakSeesTheCycleThatIsKept) {
  // Two analytical cycles: Find Peak searches the forward sweep and everything after the
  // switching point, so the second cycle's peaks are its third and fourth; cut to that cycle,
  // with the switching point at its vertex, they are its first and second.
  Session s;
  ASSERT_EQ(s.Run("mnuTech\nFormTech.CheckDigital = 0\nclick FormTech.CmdOK\nmnuExperimental\n"
                  "FormExpr.ComboScan = 2 cycles\nclick FormExpr.CmdOK\nmnuSimulate\n"
                  "mnuFindPeak\n"),
            0);
  const PeakTables before = s.program->peaks;
  ASSERT_EQ(before.PeakCount, 4);
  const int n = s.Curves().PointsPerSweep;
  ASSERT_EQ(s.Run("cut cycle 2\nmnuFindPeak\n"), 0);
  EXPECT_EQ(s.Messages(), "");
  // The programme runs E start (points 1 and 2n, 2n + 1), E end (n, n + 1, 3n, 3n + 1) and back;
  // the second cycle runs from point 2n, where the first one turned back, to 4n, and turns at
  // 3n, its point n + 1.
  EXPECT_EQ(s.Curves().PointCount, 2 * n + 1);
  EXPECT_EQ(s.Curves().PointsPerSweep, n + 1);
  ASSERT_EQ(s.program->peaks.PeakCount, 2);
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(s.program->peaks.PeakPotential(k, 1), before.PeakPotential(k + 2, 1)) << k;
    EXPECT_EQ(s.program->peaks.PeakCurrent(k, 1), before.PeakCurrent(k + 2, 1)) << k;
  }
}

TEST_F(CurveEdits, TheBackgroundStatementAndDialogSubtractAlike) {
  Session typed, dialog;
  ASSERT_EQ(typed.Run(Import() +
                      "background subtract degree 1 segment 1 ranges 0.299 0.401 0.499 0.601\n"),
            0);
  ASSERT_EQ(
      dialog.Run(Import() + "mnuBackground\nFormBackground.txtRanges = 0.299 0.401, 0.499 0.601\n"
                            "FormBackground.CheckSegment = 1\nclick FormBackground.CmdOK\n"),
      0);
  EXPECT_EQ(typed.Messages(), "");
  EXPECT_EQ(dialog.Messages(), "");
  EXPECT_FALSE(dialog.program->formBackground.Visible());
  // Segment 1 (0.3 -> 0.6 V) from 0.3 to 0.4 and from 0.5 to 0.6 V: 51 + 51 points. The current
  // is the line itself, so nothing is left of it anywhere.
  for (const Session* s : {&typed, &dialog}) {
    EXPECT_EQ(s->program->formResult.Lines().back(),
              "Background subtracted from curve 1: I = 1e-6 + 2e-6·E A from 2 ranges, 102 points "
              "of segment 1");
    for (int i = 1; i <= 1201; ++i) ASSERT_NEAR(s->Curves().Ordinate(i, 1), 0, 1e-20) << i;
  }
}

TEST_F(CurveEdits, ARefusedBackgroundLeavesTheCurve) {
  Session s;
  ASSERT_EQ(s.Run(Import() + "background subtract degree 1 ranges 0.599 0.61\n"
                             "mnuBackground\nFormBackground.txtRanges = 0.1 x\n"
                             "click FormBackground.CmdOK\n"),
            0);
  // Only the vertex at 0.6 V, reached twice, lies above 0.599 V.
  EXPECT_EQ(s.Messages(),
            "message: Subtract Background: The points in the ranges lie at only 1 potential; a "
            "background of degree 1 needs 2 different potentials. The curve is unchanged.\n"
            "message: Subtract Background: \"x\" is not a potential.\n");
  EXPECT_TRUE(s.program->formBackground.Visible());
  EXPECT_EQ(s.Curves().Ordinate(1, 1), 1e-6 + 2e-6 * e[0]);
}

TEST(CurveEditStatements, AMalformedStatementStopsTheScript) {
  struct Case {
    const char* statement;
    const char* error;
  } cases[] = {
      {"cut\n", "line 1: cut takes cycle N, segment N, segments FIRST LAST or window LOW HIGH\n"},
      {"cut cycle two\n", "line 1: cut cycle takes a number from 1 up, not \"two\"\n"},
      {"cut segments 2\n",
       "line 1: cut takes cycle N, segment N, segments FIRST LAST or window LOW HIGH\n"},
      {"cut window 0.1 high\n", "line 1: \"high\" is not a potential\n"},
      {"background add ranges 0 1\n",
       "line 1: background takes subtract [degree D] [segment N] ranges LOW HIGH ...\n"},
      {"background subtract degree 3 ranges 0 1\n", "line 1: degree takes 0, 1 or 2, not \"3\"\n"},
      {"background subtract degree 1\n",
       "line 1: background subtract needs ranges LOW HIGH [LOW HIGH ...]\n"},
      {"background subtract ranges 0 1 2\n",
       "line 1: The ranges are pairs of potentials, low then high (-0.1 0, 0.6 0.69): one is "
       "left over.\n"},
      {"sweeps now\n", "line 1: sweeps takes nothing after it\n"},
  };
  for (const Case& c : cases) {
    Session s;
    EXPECT_EQ(s.Run(c.statement), 2) << c.statement;
    EXPECT_EQ(s.Messages(), c.error) << c.statement;
  }
}

TEST(CurveEditStatements, HelpListsTheStatementsAndEveryMenuCommand) {
  Session s;
  ASSERT_EQ(s.Run("help\n"), 0);
  const std::string help = s.out.str();
  for (const char* word :
       {"cut cycle N", "cut window LOW HIGH", "background subtract [degree 0|1|2]", "sweeps",
        "save-plot", "mnuCut", "mnuBackground", "mnuImport FILE", "mnuAbout"}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace vorex
