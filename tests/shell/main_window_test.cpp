#include <fstream>
#include <string>

#include "shell/command_table.h"
#include "support/started_program.h"

namespace vorex {
namespace {

// The version as the file VERSION writes it.
std::string WrittenVersion() {
  std::ifstream file(VOREX_VERSION_FILE);
  std::string version;
  std::getline(file, version);
  return version;
}

// The compiler as its own predefined macros name it, in the words and numbers CMake reports.
std::string CompilerOfThisBuild() {
#if defined(__clang__)
  return "Clang " + std::to_string(__clang_major__) + "." + std::to_string(__clang_minor__) + "." +
         std::to_string(__clang_patchlevel__);
#elif defined(__GNUC__)
  return "GNU " + std::to_string(__GNUC__) + "." + std::to_string(__GNUC_MINOR__) + "." +
         std::to_string(__GNUC_PATCHLEVEL__);
#else
  return "an unknown compiler";
#endif
}

using MainWindow = testing::StartedProgram;

TEST_F(MainWindow, MenuTreeInOrder) {
  std::vector<std::string> top;
  std::vector<std::string> analysis;
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.parent.empty()) top.emplace_back(entry.caption);
    if (entry.parent == "mnuData") analysis.emplace_back(entry.caption);
  }
  EXPECT_EQ(top, (std::vector<std::string>{"&File", "&Edit", "&Input", "&Run", "&Display",
                                           "&Analysis", "&X Data", "&Y Data", "&Help"}));
  EXPECT_EQ(analysis,
            (std::vector<std::string>{"&Find Peak", "Find &Halfwave E", "&Theoretical Peak", "-",
                                      "&Semi-differentiate", "S&emi-intergrate", "&Differentiate",
                                      "&Integrate", "-"}));
  EXPECT_EQ(Menu("mnuMechamism").Caption(), "&Mechamism...");
  EXPECT_EQ(Menu("mnuManualSeparate").Caption(), "M&anual Seprarte");
  EXPECT_EQ(program->mdiForm1.Caption(), "Vorex for Windows");
}

TEST_F(MainWindow, DisplayAndAnalysisStartDisabled) {
  EXPECT_FALSE(Menu("mnuDisplay").Enabled());
  EXPECT_FALSE(Menu("mnuData").Enabled());
  EXPECT_FALSE(Menu("mnuNextCurve").Usable());
  EXPECT_TRUE(Menu("mnuSimulate").Usable());
  EXPECT_FALSE(Invoke("mnuNextCurve"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(program->formResult.Lines().empty());
  program->mdiForm1.EnableCurveMenus();
  EXPECT_TRUE(Menu("mnuFindPeak").Usable());
}

TEST_F(MainWindow, StartUpState) {
  EXPECT_EQ(program->plot.formOption.ComboY().Text(), "current I");
  EXPECT_EQ(program->experiment.parameterSet.Electrode, ElectrodeCode::Planar);
  EXPECT_EQ(program->experiment.parameterSet.Temperature, 298.14);
  EXPECT_EQ(program->curves.CurrentCurve, 1);
  EXPECT_EQ(program->curves.CurveCount, 1);
  EXPECT_FALSE(program->fit.fitting);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainWindow, NextCurveWrapsAndPrints) {
  program->mdiForm1.EnableCurveMenus();
  Invoke("mnuNextCurve");  // one curve: stays at 1
  EXPECT_EQ(program->curves.CurrentCurve, 1);
  program->curves.CurveCount = 3;
  Invoke("mnuNextCurve");
  Invoke("mnuNextCurve");
  Invoke("mnuNextCurve");
  EXPECT_EQ(program->formResult.Lines(),
            (std::vector<std::string>{"Curve Number is  1 ", "Curve Number is  2 ",
                                      "Curve Number is  3 ", "Curve Number is  1 "}));
  EXPECT_TRUE(program->formResult.Visible());
}

TEST_F(MainWindow, CopyAndPrintHandThePlotWindowsPictureToThePlatform) {
  Invoke("mnuSimulate");
  const std::size_t drawn = program->plot.formPlot.picture.Items().size();
  ASSERT_GT(drawn, 100u);  // frame, labels, ticks and one mark a point
  Invoke("mnuCopyto");
  Invoke("mnuPrint");
  EXPECT_EQ(host.copied, std::vector<std::size_t>{drawn});
  EXPECT_EQ(host.printed, std::vector<std::size_t>{drawn});
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainWindow, InputCommandsShowTheirDialogs) {
  Invoke("mnuTech");
  EXPECT_TRUE(program->experiment.formTech.Visible());
  program->experiment.formMech.Click(program->experiment.formMech.mech(9));
  Invoke("mnuExperimental");  // captures the mechanism before the dialog lays out its rows
  EXPECT_TRUE(program->experiment.formExpr.Visible());
  EXPECT_EQ(program->desktop.Active(), &program->experiment.formExpr);
  EXPECT_EQ(program->experiment.formExpr.homo(1).Caption(), "B=A");
  EXPECT_EQ(program->experiment.formExpr.Cinit(1).Caption(), "9.996e-4");
}

TEST_F(MainWindow, AboutAndExit) {
  Invoke("mnuAbout");
  const auto& lines = program->formAbout.Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines.front().find_first_not_of('*'), std::string::npos);
  EXPECT_EQ(lines.back(), lines.front());
  ASSERT_FALSE(WrittenVersion().empty());
  EXPECT_EQ(lines[1], "Vorex " + WrittenVersion());
  // "Release build, GNU 12.2.0": one word for the build type, then this compiler.
  const std::string tail = " build, " + CompilerOfThisBuild();
  const std::string& build = lines[2];
  ASSERT_GT(build.size(), tail.size());
  EXPECT_EQ(build.substr(build.size() - tail.size()), tail) << build;
  EXPECT_EQ(build.find_first_of(" ,"), build.size() - tail.size()) << build;
  EXPECT_EQ(lines[3], "Voltammetric simulation, curve fitting and analysis");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Please read document VorexDoc.htm for help"),
            lines.end());
  EXPECT_FALSE(program->exitRequested);
  Invoke("mnuExit");
  EXPECT_TRUE(program->exitRequested);
}

}  // namespace
}  // namespace vorex
