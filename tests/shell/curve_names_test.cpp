// The legend's names: renamed by the command interface's statement, and named in the
// confirmation of Export Data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "plot/curve_legend.h"
#include "support/recording_host.h"
#include "support/script_session.h"
#include "support/started_program.h"

namespace vorex {
namespace {

// The legend's name of every curve the last drawing marked.
std::vector<std::string> Drawn(const DrawingList& picture) {
  std::vector<std::string> names;
  for (const auto& item : picture.Items()) {
    if (item.op == DrawingList::Op::MarkCurve && item.curve > 0) names.push_back(item.text);
  }
  return names;
}

TEST(CurveNameStatement, RenamesACurveOfThePlotAndGivesItsNameBack) {
  testing::ScriptSession s;
  ASSERT_EQ(s.Run("mnuSimulate\nFormPlot.CurveName(1) = my run, 2 mM\n"), 0);
  EXPECT_EQ(s.TakeMessages(), "");
  EXPECT_EQ(LegendName(s.program->curves, 1), "my run, 2 mM");
  // Drawn again at once, under the new name.
  EXPECT_EQ(Drawn(s.program->plot.formPlot.picture), std::vector<std::string>{"my run, 2 mM"});
  // An empty name gives the simulation back its numbered name.
  ASSERT_EQ(s.Run("FormPlot.CurveName( 1 ) =\n"), 0);
  EXPECT_EQ(Drawn(s.program->plot.formPlot.picture), std::vector<std::string>{"Curve 1"});
}

TEST(CurveNameStatement, RefusesACurveThePlotDoesNotShowAndKeepsTheName) {
  testing::ScriptSession s;
  ASSERT_EQ(s.Run("mnuSimulate\nFormPlot.CurveName(1) = kept\nFormPlot.CurveName(2) = lost\n"), 0);
  EXPECT_NE(s.TakeMessages().find("The plot shows no curve 2 (it shows 1)"), std::string::npos);
  ASSERT_EQ(s.Run("FormPlot.CurveName(1) = " + std::string(61, 'x') + "\n"), 0);
  EXPECT_NE(s.TakeMessages().find("at most 60 characters"), std::string::npos);
  EXPECT_EQ(LegendName(s.program->curves, 1), "kept");
  // A malformed statement stops the script as any other does.
  EXPECT_EQ(s.Run("FormPlot.CurveName(two) = x\n"), 2);
  EXPECT_EQ(s.Run("FormPlot.CurveName(1) x\n"), 2);
}

// A cycled sweep is a cyclic voltammogram to the chemist, "cv", not the single sweep's "lsv"; the
// change of scan is a change of kind, so the next simulation says what it is again.
TEST(SimulationName, SaysCvForACycledSweep) {
  testing::ScriptSession s;
  ASSERT_EQ(s.Run("mnuSimulate\nmnuExperimental\nFormExpr.ComboScan = cycle\n"
                  "click FormExpr.CmdOK\nmnuSimulate\n"),
            0);
  EXPECT_EQ(LegendName(s.program->curves, 1), "sim cv, simple charge reaction");
}

TEST(MeasuredCurveName, IsTheFileWithoutItsFolderAndTheCycleChosen) {
  testing::ScriptSession s;
  const std::string file = VOREX_READER_DATA "/biologic-cycles.mpt";
  ASSERT_EQ(s.Run("mnuImport " + file + " cycle=2\n"), 0);
  ASSERT_EQ(s.TakeMessages(), "");
  EXPECT_EQ(LegendName(s.program->curves, 1), "measured biologic-cycles.mpt cycle 2");
  // The whole record names no cycle.
  ASSERT_EQ(s.Run("mnuImport " + file + " cycle=all\n"), 0);
  EXPECT_EQ(LegendName(s.program->curves, 1), "measured biologic-cycles.mpt");
}

struct ExportConfirmation : testing::StartedProgram {};

TEST_F(ExportConfirmation, NamesTheCurveWrittenAndTheFile) {
  Analytical();
  program->plot.formOption.SetCheck(program->plot.formOption.overlap(), true);
  Invoke("mnuSimulate");  // curve 2
  Type(Expr().ks(1), "1e-3");
  Invoke("mnuSimulate");  // curve 3, the current one
  const std::string file = Temp("run.csv").string();
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuExport"));
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const std::string expected = "Exported curve 3 (sim ks(1) = 1e-3) to " + file;
  ASSERT_EQ(host.statusLines.size(), 1u);
  EXPECT_EQ(host.statusLines[0], expected);
  EXPECT_EQ(program->formResult.Lines().back(), expected);
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(ExportConfirmation, SaveAndSaveSettingsConfirmWhereTheyWrote) {
  const std::string report = Temp("report.par").string(), settings = Temp("run.vxset").string();
  host.fileAnswers.push_back(report);
  Invoke("mnuSave");
  host.fileAnswers.push_back(settings);
  Invoke("mnuSaveSettings");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_EQ(host.statusLines, (std::vector<std::string>{"Saved the parameters to " + report,
                                                        "Settings saved to " + settings}));
}

TEST_F(ExportConfirmation, AFileThatCannotBeWrittenConfirmsNothing) {
  Invoke("mnuSimulate");
  host.fileAnswers.push_back((Temp("no such folder") / "run.csv").string());
  Invoke("mnuExport");
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(host.statusLines.empty());
}

}  // namespace
}  // namespace vorex
