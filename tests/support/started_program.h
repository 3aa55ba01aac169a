#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "shell/program.h"
#include "support/recording_host.h"

namespace vorex::testing {

// The program just after start-up, with a recording host.
class StartedProgram : public ::testing::Test {
 protected:
  Control& Menu(const char* name) {
    Control* item = program->mdiForm1.Find(name);
    EXPECT_NE(item, nullptr) << name;
    return *item;
  }
  bool Invoke(const char* name) { return program->mdiForm1.Invoke(Menu(name)); }
  // The analytical mode, with the Techniques dialog's choice of technique.
  void Analytical(int technique = 1) {
    FormTech& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), false);
    tech.Click(tech.optTech(technique));
  }
  void Type(Control& c, const std::string& text) { program->experiment.formExpr.Type(c, text); }
  // Import Data of a file, as the file dialog would answer; true when it was taken silently.
  bool Import(const std::string& file) {
    host.fileAnswers.push_back(file);
    return Invoke("mnuImport") && host.messages.empty();
  }
  // A scratch file of this test's own.
  std::filesystem::path Temp(const char* name) {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("vorex-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir / name;
  }
  // Pre-equilibration off: the run starts from the analytical concentrations as typed.
  void AnalyticalConcentrations() { Expr().SetCheck(Expr().CheckPreEqu(), false); }
  FormExpr& Expr() { return program->experiment.formExpr; }
  CurveStore& Curves() { return program->curves; }
  // The total current of the last simulation at point i [A].
  double Total(int i) {
    return program->curves.SimulatedCurrent(
        i, program->experiment.parameterSet.ChargeReactionCount + 1);
  }

  RecordingHost host;
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
};

}  // namespace vorex::testing
