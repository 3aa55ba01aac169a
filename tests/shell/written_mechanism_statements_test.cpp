// A written mechanism from vorex-cli statements to its curve, its peak and its fit: the statements
// a script types into the Mechanism and Experimental dialogs, run as the command interface runs
// them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"

namespace vorex {
namespace {

struct ScriptRun {
  explicit ScriptRun(const std::string& script) {
    std::istringstream in(script);
    status = interpreter.Run(in);
  }
  // The number after `label` on the last line that has it.
  double Printed(const std::string& label) const {
    const std::string text = out.str();
    const std::size_t at = text.rfind(label);
    if (at == std::string::npos) return NAN;
    return std::stod(text.substr(at + label.size()));
  }
  std::ostringstream out, err;
  CliHost host{err};
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
  int status = -1;
};

const std::string kWriteEc =
    "mnuMechamism\nFormMech.mech(18) = 1\nFormMech.TextMechanism = A + e = B; B = C\n"
    "click FormMech.Command1\n";

TEST(WrittenStatements, TheTextKeepsEverythingAfterTheEqualsSign) {
  ScriptRun run(kWriteEc + "mnuExperimental\nFormExpr.kf(1) = 3\nFormExpr.CheckFitted(14) = 1\n");
  EXPECT_EQ(run.status, 0) << run.err.str();
  EXPECT_EQ(run.err.str(), "");
  const Settings& s = run.program->experiment.settings;
  EXPECT_EQ(s.Mechanism(), MechanismCode::Written);
  EXPECT_EQ(s.Value(FieldId::MechanismText), "A + e = B; B = C");
  EXPECT_EQ(s.Value(FieldId::Kf1), "3");
  EXPECT_TRUE(s.Checked(Row(FieldId::Fitted1, 14)));
}

TEST(WrittenStatements, RowsTheTextDoesNotWriteAreNotShown) {
  ScriptRun run(kWriteEc + "mnuExperimental\nFormExpr.kf(4) = 3\nFormExpr.CheckFitted(33) = 1\n");
  EXPECT_EQ(run.err.str(),
            "message: FormExpr.kf(4) is not shown.\nmessage: FormExpr.CheckFitted(33) is not "
            "shown.\n");
  ScriptRun four(
      "mnuMechamism\nFormMech.mech(18) = 1\n"
      "FormMech.TextMechanism = A + e = B; B = C; C = D; D = E; 2 E = A\n"
      "click FormMech.Command1\nmnuExperimental\nFormExpr.kf(4) = 3\nFormExpr.CheckFitted(33) = "
      "1\nFormExpr.D(5) = 2e-6\n");
  EXPECT_EQ(four.err.str(), "");
  EXPECT_EQ(four.program->experiment.settings.Value(FieldId::Kf4), "3");
  EXPECT_TRUE(four.program->experiment.settings.Checked(Row(FieldId::Fitted1, 33)));
}

TEST(WrittenStatements, ARefusedTextStopsTheRunWithTheParsersMessage) {
  ScriptRun run(
      "mnuMechamism\nFormMech.mech(18) = 1\nFormMech.TextMechanism = A + e = B; B C\n"
      "click FormMech.Command1\nmnuSimulate\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.str(), "message: Mechanism: " +
                               std::get<NetworkError>(ParseMechanism("A + e = B; B C")).message +
                               "\n");
  EXPECT_EQ(run.program->curves.StoredCurveCount, 0);
}

TEST(WrittenStatements, AReversibleTransferPeaksAsRandlesSevcikSays) {
  ScriptRun run(
      "mnuMechamism\nFormMech.mech(18) = 1\nFormMech.TextMechanism = A + e = B\n"
      "click FormMech.Command1\nmnuSimulate\nmnuFindPeak\n");
  ASSERT_EQ(run.err.str(), "");
  // Reversible linear sweep, planar, 1 cm2, n = 1, v = 0.01 V/s, D = 1e-5 cm2/s, 25 C:
  // Ip = 0.4463 F A C sqrt(F v D / RT), C the pre-equilibrated A = 1 mM / (1 + exp(-f 0.2));
  // Ep = E0 - 1.109 RT/F (Bard and Faulkner, 6.2), on the 5 mV grid of the sweep.
  const double f = 96484.6 / (8.31441 * 298.14);
  const double c = 1e-6 / (1 + std::exp(-f * 0.2));  // mol/cm3
  const double ip = 0.4463 * 96484.6 * c * std::sqrt(f * 0.01 * 1e-5);
  EXPECT_NEAR(run.Printed("Ip = "), ip, 0.01 * ip);
  EXPECT_NEAR(run.Printed("Ep = "), 0.1 - 1.109 / f, 0.005);
}

TEST(WrittenStatements, TheWrittenEcRunsAsTheBuiltInEc) {
  // Mechanism 7 written as text: the same equations, the same curve (see the validation rows).
  // Without pre-equilibration, which brings a written step to rest at the start and leaves the
  // built-in one as it is.
  const std::string kinetics =
      "mnuExperimental\nFormExpr.kf(1) = 0.5\nFormExpr.CheckPreEqu = 0\nclick FormExpr.CmdOK\n";
  ScriptRun written(kWriteEc + kinetics + "mnuSimulate\nmnuFindPeak\n");
  ScriptRun builtIn("mnuMechamism\nFormMech.mech(7) = 1\nclick FormMech.Command1\n" + kinetics +
                    "mnuSimulate\nmnuFindPeak\n");
  ASSERT_EQ(written.err.str(), "");
  ASSERT_EQ(builtIn.err.str(), "");
  EXPECT_EQ(written.Printed("Ep = "), builtIn.Printed("Ep = "));
  EXPECT_NEAR(written.Printed("Ip = "), builtIn.Printed("Ip = "), 1e-6 * builtIn.Printed("Ip = "));
}

// A curve simulated with known kinetics, exported and imported as measured, then fitted from
// another start: the fit finds the kinetics it was made with.
double Refitted(const std::string& mechanism, const std::string& truth, const std::string& start,
                int slot, const std::string& low, const std::string& high, bool preEquilibrated) {
  const std::string index = '(' + std::to_string(slot) + ')';
  ScriptRun run("mnuMechamism\nFormMech.mech(18) = 1\nFormMech.TextMechanism = " + mechanism +
                "\nclick FormMech.Command1\nmnuExperimental\nFormExpr.Estep = 0.01\n" +
                (preEquilibrated ? "" : "FormExpr.CheckPreEqu = 0\n") + truth +
                "\nclick FormExpr.CmdOK\nmnuSimulate\nmnuExport truth.csv\nmnuImport truth.csv\n"
                "mnuExperimental\n" +
                start + "\nFormExpr.CheckFitted(1) = 0\nFormExpr.CheckFitted" + index +
                " = 1\nFormExpr.TextCmin" + index + " = " + low + "\nFormExpr.TextCmax" + index +
                " = " + high + "\nclick FormExpr.CmdOK\nmnuAutoFit\n");
  std::remove("truth.csv");
  EXPECT_EQ(run.err.str(), "");
  const std::string text = run.out.str();
  const std::size_t row = text.find("\n 1 ", text.find("Fitted value"));
  if (row == std::string::npos) return NAN;
  std::istringstream line(text.substr(row));
  double number = 0, initial = 0, fitted = NAN;
  line >> number >> initial >> fitted;
  return fitted;
}

TEST(WrittenStatements, TheFitFindsAWrittenMechanismsParameters) {
  // kf_1 of an EC (slot 14), pre-equilibrated: the initial state follows each trial's kf / kb.
  EXPECT_NEAR(Refitted("A + e = B; B = C", "FormExpr.kf(1) = 0.5", "FormExpr.kf(1) = 2", 14, "0.01",
                       "100", true),
              0.5, 1e-4);
  // ks_1 of a quasi-reversible transfer (slot 5).
  EXPECT_NEAR(Refitted("A + e = B; B = C", "FormExpr.ks(1) = 1e-3", "FormExpr.ks(1) = 1e-2", 5,
                       "1e-5", "1", false),
              1e-3, 1e-7);
  // kf_4 of a fourth step (slot 33), a second-order return of E to A.
  EXPECT_NEAR(Refitted("A + e = B; B = C; C = D; D = E; 2 E = A",
                       "FormExpr.kf(4) = 30\nFormExpr.kf(1) = 1\nFormExpr.kb(1) = 0",
                       "FormExpr.kf(4) = 100\nFormExpr.kf(1) = 1\nFormExpr.kb(1) = 0", 33, "1",
                       "1000", false),
              30, 0.03);
}

TEST(WrittenStatements, TheGlobalFitFindsAWrittenMechanismsParameters) {
  // One EC, pre-equilibrated, at 0.01 and 0.1 V/s, made with kf_1 = 0.5 and fitted together from 2.
  ScriptRun run(kWriteEc +
                "mnuExperimental\nFormExpr.kf(1) = 0.5\nFormExpr.Estep = 0.01\n"
                "click FormExpr.CmdOK\nmnuSimulate\nmnuExport slow.csv\nmnuExperimental\n"
                "FormExpr.V = 0.1\nclick FormExpr.CmdOK\nmnuSimulate\nmnuExport fast.csv\n"
                "mnuExperimental\nFormExpr.kf(1) = 2\nFormExpr.CheckFitted(1) = 0\n"
                "FormExpr.CheckFitted(14) = 1\nFormExpr.TextCmin(14) = 0.01\n"
                "FormExpr.TextCmax(14) = 100\nclick FormExpr.CmdOK\n"
                "global add slow.csv scan_rate=0.01\nglobal add fast.csv scan_rate=0.1\n"
                "global fit\n");
  std::remove("slow.csv");
  std::remove("fast.csv");
  EXPECT_EQ(run.err.str(), "");
  const std::string text = run.out.str();
  const std::size_t row = text.find("\n 1 ", text.find("Fitted value"));
  ASSERT_NE(row, std::string::npos) << text;
  std::istringstream line(text.substr(row));
  double number = 0, initial = 0, fitted = NAN;
  line >> number >> initial >> fitted;
  EXPECT_NEAR(fitted, 0.5, 1e-4);
}

}  // namespace
}  // namespace vorex
