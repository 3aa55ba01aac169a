#include "shell/script_interpreter.h"

#include <sstream>

#include "shell/cli_host.h"
#include "shell/program.h"

#include <gtest/gtest.h>

namespace vorex {
namespace {

// A script run against a fresh program, keeping what it wrote.
struct ScriptRun {
  explicit ScriptRun(const std::string& script) {
    std::istringstream in(script);
    status = interpreter.Run(in);
  }
  std::ostringstream out, err;
  CliHost host{err};
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
  int status = -1;
};

TEST(Script, TypingRunsTheFieldsChangeOperation) {
  ScriptRun run("mnuExperimental\nFormExpr.V = 0.1\nshow FormExpr.td\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.str(),
            "FormExpr.td text=\"0.05\" visible=1 enabled=1 locked=1 tooltip=\"drop time\"\n");
  EXPECT_EQ(run.err.str(), "");
}

TEST(Script, TextAfterTheEqualsSignIsTakenAsTyped) {
  ScriptRun run("mnuExperimental\nFormExpr.Estart =  0.2 V\nFormExpr.Eend =\n");
  EXPECT_EQ(run.program->experiment.formExpr.Estart().Text(), " 0.2 V");
  EXPECT_EQ(run.program->experiment.formExpr.Eend().Text(), "");
}

TEST(Script, ChecksOptionsAndLists) {
  ScriptRun run(
      "mnuTech\nFormTech.CheckDigital = 0\nFormTech.optTech(4) = 1\n"
      "click FormTech.CmdOK\nmnuExperimental\nFormExpr.ComboScan = 2 cycles\n"
      "FormExpr.pl(1) = 3\n");
  EXPECT_EQ(run.status, 0) << run.err.str();
  EXPECT_EQ(run.program->experiment.parameterSet.Technique, TechniqueCode::DifferentialPulse);
  EXPECT_FALSE(run.program->experiment.parameterSet.Digital);
  EXPECT_FALSE(run.program->experiment.formTech.Visible());
  EXPECT_EQ(run.program->experiment.formExpr.ComboScan().ListIndex(), 2);
  // pl(1) is hidden for mechanism 1: refused with a message, the script goes on.
  EXPECT_EQ(run.err.str(), "message: FormExpr.pl(1) is not shown.\n");
}

TEST(Script, WhatAUserCouldNotReachIsRefusedWithAMessage) {
  ScriptRun run(
      "FormExpr.Estart = 1\nmnuMechamism\nFormMech.mech(3) = 1\nmnuExperimental\n"
      "FormExpr.td = 3\nmnuFindPeak\nshow FormExpr.Estart\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.str(),
            "message: FormExpr is not open.\n"
            "message: FormMech.mech(3) is not enabled.\n"
            "message: FormExpr.td is read-only.\n"
            "message: \"Find Peak\" is disabled until a curve has been simulated or imported.\n");
  EXPECT_NE(run.out.str().find("text=\"0.3\""), std::string::npos);
}

TEST(Script, AStatementThatCannotBeUnderstoodStopsTheScript) {
  struct Case {
    const char* script;
    const char* error;
  } cases[] = {
      {"# comment\n\nmnuNothing\n", "line 3: not a statement: mnuNothing\n"},
      {"Nowhere.x = 1\n", "line 1: no window named Nowhere\n"},
      {"FormExpr.nothing = 1\n", "line 1: FormExpr has no control named nothing\n"},
      {"FormExpr.D = 1\n", "line 1: FormExpr.D needs an index\n"},
      {"FormExpr.D(9) = 1\n", "line 1: FormExpr.D has no index 9\n"},
      {"FormExpr.D(x) = 1\n", "line 1: malformed index in FormExpr.D(x)\n"},
      {"FormExpr.CheckPreEqu = yes\n", "line 1: a check box takes 1 or 0\n"},
      {"FormExpr.ComboScan = 3 cycles\n", "line 1: ComboScan has no item \"3 cycles\"\n"},
      {"FormExpr.Cinit(1) = 1\n", "line 1: Cinit(1) takes no typing\n"},
      {"mnuSimulate now.csv\n", "line 1: mnuSimulate takes no file name\n"},
      {"mnuFile\n", "line 1: mnuFile is a menu, not a command\n"},
  };
  for (const Case& c : cases) {
    ScriptRun run(std::string(c.script) + "mnuAbout\n");
    EXPECT_EQ(run.status, 2) << c.script;
    EXPECT_EQ(run.err.str(), c.error) << c.script;
    EXPECT_EQ(run.out.str(), "") << c.script;  // nothing after the faulty line ran
  }
}

TEST(Script, ExitEndsTheScriptAtOnce) {
  ScriptRun run("mnuExit\nmnuAbout\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.str(), "");
}

TEST(Script, FileCommandsTakeTheirFileName) {
  ScriptRun run("mnuCopyto plot.png\nmnuImport /nonexistent/data.csv\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.str(),
            "message: Pictures need the desktop drawing layer, which this program was built "
            "without.\n"
            "message: ReadData Error: file not found: /nonexistent/data.csv\n");
}

}  // namespace
}  // namespace vorex
