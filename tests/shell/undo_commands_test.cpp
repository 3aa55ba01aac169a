// Edit > Undo and Redo over the commands that change the settings or the curves, in the program
// and through vorex-cli statements.
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "shell/cli_host.h"
#include "shell/script_interpreter.h"
#include "support/started_program.h"

namespace vorex {
namespace {

// Every ordinate of the five curves and every potential, the unused rows included.
bool SameValues(const CurveStore& a, const CurveStore& b) {
  for (int i = 0; i <= kMaxPoints; ++i) {
    for (int c = 0; c <= kMaxCurves; ++c) {
      if (!(a.Ordinate(i, c) == b.Ordinate(i, c))) return false;
    }
  }
  return a.Abscissa == b.Abscissa && a.PointCount == b.PointCount &&
         a.CurrentCurve == b.CurrentCurve && a.CurveCount == b.CurveCount;
}

class UndoCommands : public testing::StartedProgram {
 protected:
  std::unique_ptr<CurveStore> Copy() { return std::make_unique<CurveStore>(program->curves); }
  std::string UndoCaption() { return Menu("mnuUndo").Caption(); }
  std::size_t Steps() const { return program->undo.UndoCount(); }
};

TEST_F(UndoCommands, ScalingsAndTransformsComeBackExactlyAndRedoAgain) {
  ASSERT_TRUE(Invoke("mnuSimulate"));
  const auto simulated = Copy();
  const int m = Curves().PointCount;
  ASSERT_GT(m, 10);
  for (const char* command : {"mnuMinusY", "mnu1000X", "mnuSemi", "mnuSemiInte", "mnuDerivative",
                              "mnuIntegral", "mnu01Y"}) {
    const auto before = Copy();
    ASSERT_TRUE(Invoke(command));
    const auto after = Copy();
    ASSERT_FALSE(SameValues(*before, *after)) << command;
    ASSERT_TRUE(Invoke("mnuUndo"));
    EXPECT_TRUE(SameValues(Curves(), *before)) << command;
    ASSERT_TRUE(Invoke("mnuRedo"));
    EXPECT_TRUE(SameValues(Curves(), *after)) << command;
  }
  EXPECT_EQ(UndoCaption(), "&Undo 0.1Y");
  // -Y and 1000X are exact in binary: the redone values are the products themselves.
  while (Steps() > 3) ASSERT_TRUE(Invoke("mnuUndo"));  // Simulate, -Y and 1000X stay
  EXPECT_EQ(UndoCaption(), "&Undo 1000X");
  for (int i = 1; i <= m; ++i) {
    ASSERT_EQ(Curves().Ordinate(i, 1), -simulated->Ordinate(i, 1));
    ASSERT_EQ(Curves().Abscissa(i), simulated->Abscissa(i) * 1000);
  }
  ASSERT_TRUE(Invoke("mnuUndo"));
  ASSERT_TRUE(Invoke("mnuUndo"));
  EXPECT_TRUE(SameValues(Curves(), *simulated));
  EXPECT_EQ(Menu("mnuRedo").Caption(), "&Redo -Y");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(UndoCommands, ClearKeepsTheCurvesSoItsUndoDrawsThemAgain) {
  ASSERT_TRUE(Invoke("mnuSimulate"));
  const auto& picture = program->plot.formPlot.picture;
  const std::size_t drawn = picture.Items().size();
  const auto curves = Copy();
  ASSERT_TRUE(Invoke("mnuClear"));
  EXPECT_TRUE(picture.Items().empty());
  EXPECT_EQ(UndoCaption(), "&Undo Clear");
  ASSERT_TRUE(Invoke("mnuUndo"));
  EXPECT_EQ(picture.Items().size(), drawn);
  EXPECT_TRUE(SameValues(Curves(), *curves));
  ASSERT_TRUE(Invoke("mnuRedo"));
  EXPECT_TRUE(picture.Items().empty());
  // A second Clear of an empty plot changes nothing and is no step.
  const std::size_t steps = Steps();
  ASSERT_TRUE(Invoke("mnuClear"));
  EXPECT_EQ(Steps(), steps);
}

TEST_F(UndoCommands, ImportIsUndoneToTheEmptyStoreAndTheSettingsBeforeIt) {
  const auto file = Temp("three.csv");
  std::ofstream(file) << "0.250,1e-6\n0.252,2e-6\n0.254,3e-6\n";
  const Settings before = program->experiment.settings;
  const auto empty = Copy();
  ASSERT_TRUE(Import(file.string()));
  EXPECT_EQ(Curves().PointCount, 3);
  EXPECT_EQ(UndoCaption(), "&Undo Import Data");
  ASSERT_TRUE(Invoke("mnuUndo"));
  EXPECT_TRUE(SameValues(Curves(), *empty));
  EXPECT_EQ(program->experiment.settings, before);
  EXPECT_EQ(Expr().Estart().Text(), "0.3");  // the design default, shown again
  ASSERT_TRUE(Invoke("mnuRedo"));
  ASSERT_EQ(Curves().PointCount, 3);
  EXPECT_EQ(Curves().Ordinate(3, 1), 3e-6);  // as the file writes it
  EXPECT_EQ(Expr().Estart().Text(), "0.25");
}

TEST_F(UndoCommands, RefusedCommandsLeaveNoStep) {
  ASSERT_TRUE(Invoke("mnuSimulate"));
  const std::size_t steps = Steps();
  ASSERT_TRUE(Invoke("mnuImport"));  // no file chosen: "ReadData Error"
  Type(Expr().V(), "fast");
  ASSERT_EQ(Steps(), steps + 1);  // the edit itself is a step
  const auto curves = Copy();
  ASSERT_TRUE(Invoke("mnuSemi"));  // refused: no positive scan rate
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_EQ(UndoCaption(), "&Undo Experimental edit");
  EXPECT_TRUE(SameValues(Curves(), *curves));
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(UndoCommands, KeystrokesInOneFieldAreOneStepAndANewEditClearsRedo) {
  const Settings start = program->experiment.settings;
  // Typed key by key, as the desktop's field sends it.
  for (const char* text : {"0", "0.", "0.2"}) Type(Expr().V(), text);
  Type(Expr().Estart(), "0.5");
  EXPECT_EQ(Steps(), 2u);
  ASSERT_TRUE(Invoke("mnuUndo"));
  EXPECT_EQ(Expr().Estart().Text(), "0.3");
  EXPECT_EQ(Expr().V().Text(), "0.2");
  ASSERT_TRUE(Invoke("mnuUndo"));
  EXPECT_EQ(program->experiment.settings, start);
  EXPECT_EQ(Expr().V().Text(), "0.01");
  EXPECT_EQ(Menu("mnuRedo").Caption(), "&Redo Experimental edit");
  EXPECT_FALSE(Menu("mnuUndo").Enabled());
  // A new edit clears what could be redone; typing a field back to where it was is no step.
  Type(Expr().Estep(), "0.002");
  EXPECT_FALSE(Menu("mnuRedo").Enabled());
  Type(Expr().Estep(), "0.005");
  EXPECT_EQ(Steps(), 0u);
  // The same field typed again after a command is a new step.
  Type(Expr().V(), "0.3");
  ASSERT_TRUE(Invoke("mnuExperimental"));
  Type(Expr().V(), "0.4");
  EXPECT_EQ(Steps(), 2u);
  // A technique is an edit of the Techniques dialog.
  Analytical(2);
  EXPECT_EQ(UndoCaption(), "&Undo Techniques edit");
}

TEST_F(UndoCommands, NothingToUndoIsSaid) {
  EXPECT_FALSE(Invoke("mnuUndo"));
  EXPECT_FALSE(Invoke("mnuRedo"));
  EXPECT_EQ(host.messages,
            (std::vector<std::string>{"There is nothing to undo.", "There is nothing to redo."}));
}

TEST_F(UndoCommands, TheHistoryKeepsThirtySteps) {
  for (int k = 1; k <= 35; ++k) {
    Type(Expr().Estart(), std::to_string(k));
    Type(Expr().V(), std::to_string(k));  // another field: a step of its own each time
  }
  EXPECT_EQ(Steps(), UndoHistory::kLevels);
  while (Invoke("mnuUndo")) {
  }
  // 70 edits, the oldest 40 gone: the earliest kept is the 41st, the E start of round 21, taken
  // back to what round 20 left in both fields.
  EXPECT_EQ(Expr().Estart().Text(), "20");
  EXPECT_EQ(Expr().V().Text(), "20");
}

// A script's statements, one step each, and its Clear taken back.
TEST(UndoStatements, ClearThenUndoDrawsTheCurvesAgainAndEachAssignmentIsAStep) {
  std::ostringstream out, err;
  CliHost host{err};
  auto program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
  std::istringstream script(
      "mnuSimulate\nmnuClear\nmnuUndo\nmnuExperimental\nFormExpr.V = 0.2\nFormExpr.V = "
      "0.3\nmnuUndo\n");
  ASSERT_EQ(interpreter.Run(script), 0);
  EXPECT_FALSE(program->plot.formPlot.picture.Items().empty());
  EXPECT_GT(program->curves.PointCount, 0);
  EXPECT_EQ(program->experiment.formExpr.V().Text(), "0.2");
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace vorex

namespace vorex {
namespace {

// Two cycles 0.3 -> 0.6 -> 0 -> 0.3 V in 0.1 V steps: 12 points a cycle and the last, 25 in all,
// so that Cut keeps 13 for one cycle.
TEST(UndoStatements, CutAndSubtractBackgroundAreTakenBack) {
  const auto file = std::filesystem::temp_directory_path() / "vorex-undo-two-cycles.csv";
  {
    std::ofstream out(file);
    const double cycle[] = {0.3, 0.4, 0.5, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1, 0.0, 0.1, 0.2};
    for (int c = 0; c < 2; ++c) {
      for (double e : cycle) out << e << ',' << 1e-6 + 2e-6 * e << '\n';
    }
    out << "0.3,1.6e-6\n";
  }
  std::ostringstream out, err;
  CliHost host{err};
  auto program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
  std::istringstream import("mnuImport " + file.string() + "\n");
  ASSERT_EQ(interpreter.Run(import), 0);
  ASSERT_EQ(program->curves.PointCount, 25);
  const auto imported = std::make_unique<CurveStore>(program->curves);
  interpreter.Execute("cut cycle 2");
  EXPECT_EQ(program->curves.PointCount, 13);
  EXPECT_EQ(program->mdiForm1.Find("mnuUndo")->Caption(), "&Undo Cut");
  interpreter.Execute("mnuUndo");
  EXPECT_TRUE(SameValues(program->curves, *imported));
  interpreter.Execute("background subtract degree 0 ranges 0.25 0.65");
  EXPECT_FALSE(SameValues(program->curves, *imported));
  EXPECT_EQ(program->mdiForm1.Find("mnuUndo")->Caption(), "&Undo Subtract Background");
  interpreter.Execute("mnuUndo");
  EXPECT_TRUE(SameValues(program->curves, *imported));
  // A cut the record cannot give is refused and leaves no step.
  const std::size_t steps = program->undo.UndoCount();
  interpreter.Execute("cut cycle 3");
  EXPECT_EQ(program->undo.UndoCount(), steps);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace vorex
