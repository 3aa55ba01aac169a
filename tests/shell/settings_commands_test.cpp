// The experiment's settings as the commands see them: a run depends on the settings alone, and
// File > Open Settings and Save Settings carry every field through a file.
#include <fstream>

#include "experiment/settings_file.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using SettingsCommands = testing::StartedProgram;

std::vector<double> TotalCurrent(Program& program) {
  std::vector<double> total;
  const CurveStore& c = program.curves;
  const int column = program.experiment.parameterSet.ChargeReactionCount + 1;
  for (int i = 1; i <= c.PointCount; ++i) total.push_back(c.SimulatedCurrent(i, column));
  return total;
}

// Before, a run that never showed the Experimental dialog started from the analytical
// concentrations and one after it from the pre-equilibrated ones; now both start from what the
// settings derive.
TEST_F(SettingsCommands, ARunDependsOnTheSettingsAloneNotOnWhichDialogWasShown) {
  ASSERT_TRUE(Invoke("mnuSimulate"));
  const std::vector<double> unseen = TotalCurrent(*program);
  // theta = exp(-0.2 F/RT) at 25 degrees C: A keeps 1e-3 / (1 + 4.161e-4), 9.996e-4 to four digits.
  EXPECT_EQ(program->experiment.parameterSet.CInit(1), 9.996e-4);
  ASSERT_TRUE(Invoke("mnuExperimental"));
  program->experiment.formExpr.CmdOK_Click();
  ASSERT_TRUE(Invoke("mnuSimulate"));
  EXPECT_EQ(TotalCurrent(*program), unseen);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SettingsCommands, SaveAndOpenCarryEveryFieldAndTheDialogsFollow) {
  const std::string file = Temp("settings.json");
  Type(Expr().Estart(), "0.45");
  program->experiment.formMech.Click(program->experiment.formMech.mech(7));
  Type(Expr().kf(1), "25");
  const Settings saved = program->experiment.settings;
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuSaveSettings"));
  EXPECT_EQ(host.filters.back(), kSettingsFilter);
  // Changed after the save, then opened again: as saved.
  Type(Expr().Estart(), "0.1");
  program->experiment.formMech.Click(program->experiment.formMech.mech(1));
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuOpenSettings"));
  EXPECT_EQ(program->experiment.settings, saved);
  EXPECT_EQ(Expr().Estart().Text(), "0.45");
  EXPECT_TRUE(program->experiment.formMech.mech(7).Checked());
  EXPECT_TRUE(Expr().kf(1).Visible());               // mechanism 7 has a chemical row
  EXPECT_EQ(Expr().LabelKeq(1).Caption(), "2.5e3");  // 25 / 0.01
  EXPECT_EQ(program->formResult.Lines().back(), "Settings opened from " + file + ".");
}

TEST_F(SettingsCommands, AFileThatIsNotOneChangesNothing) {
  const std::string file = Temp("not_settings.json");
  std::ofstream(file) << "{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": "
                         "{\"E_start\": 0.2, \"n_1\": 9}}";
  Type(Expr().Estart(), "0.35");
  const Settings before = program->experiment.settings;
  host.fileAnswers.push_back(file);
  Invoke("mnuOpenSettings");
  EXPECT_EQ(program->experiment.settings, before);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "Open Settings Error: " + file +
                                  ": n_1 must be one of the dialog's list, 1 to 3; got 9. The "
                                  "settings are as they were.");
}

}  // namespace
}  // namespace vorex
