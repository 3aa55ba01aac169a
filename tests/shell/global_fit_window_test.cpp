// The Fit Several Curves window without Qt: its parameters following the Experimental dialog,
// the curves it adds (files read as Import Data reads them, the cycles of curve 1), Remove and
// Clear, and a fit of two scan rates. Expected counts come from how each record was built (its
// corners and steps, named beside it); the fitted E° from the value the curves were simulated
// with.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "shell/imported_cycles.h"
#include "shell/program.h"
#include "shell/set_curve_files.h"
#include "shell/set_table.h"
#include "support/recording_host.h"
#include "support/staircase.h"

namespace vorex {
namespace {

std::string Data(const char* name) {
  return std::string(VOREX_READER_DATA) + "/" + name;
}

// A host that answers the list questions from a queue, keeping each question and its items.
class ChoosingHost : public testing::RecordingHost {
 public:
  std::optional<int> ChooseItem(const std::string& title, const std::vector<std::string>& items,
                                int preselected) override {
    questions.push_back(title);
    offered = items;
    if (answers.empty()) return preselected;
    const std::optional<int> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<int>> answers;
  std::vector<std::string> questions, offered;
};

class SetWindow : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(Folder()); }
  std::filesystem::path Folder() const {
    return std::filesystem::temp_directory_path() /
           ("vorex-set-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  // A file of pairs E, I = 1e-6 + 2e-6 E with every digit.
  std::string PairsFile(const char* name, const std::vector<double>& e) const {
    std::filesystem::create_directories(Folder());
    const std::filesystem::path file = Folder() / name;
    std::ofstream out(file);
    out.precision(17);
    for (double x : e) out << x << "," << 1e-6 + 2e-6 * x << "\n";
    return file.string();
  }
  FormGlobalFit& Form() { return program->formGlobalFit; }
  GlobalFitSet& Set() { return program->globalFit; }
  FormExpr& Expr() { return program->experiment.formExpr; }

  ChoosingHost host;
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
};

TEST_F(SetWindow, TheRunMenuShowsItWithTheParametersTickedInTheDialog) {
  ASSERT_TRUE(program->mdiForm1.Invoke(*program->mdiForm1.Find("mnuGlobalFit")));
  EXPECT_TRUE(Form().Visible());
  // The dialog ticks C(A) (fit index 1) from the start.
  EXPECT_TRUE(Form().LabelParameter(1).Visible());
  EXPECT_EQ(Form().LabelParameter(1).Caption(), "C(A)");
  EXPECT_FALSE(Form().CheckPerCurve(11).Visible());
  EXPECT_FALSE(Form().LabelNoParameter().Visible());
  Expr().SetCheck(Expr().CheckFitted(11), true);
  Expr().SetCheck(Expr().CheckFitted(1), false);
  Form().Follow();
  EXPECT_FALSE(Form().CheckPerCurve(1).Visible());
  EXPECT_TRUE(Form().CheckPerCurve(11).Visible());
  EXPECT_EQ(Form().LabelParameter(11).Caption(), "E\u00b0(1)");
  Form().Click(Form().CheckPerCurve(11));
  EXPECT_EQ(Set().perCurveSlots, std::vector<int>{11});
  Form().Click(Form().CheckPerCurve(11));
  EXPECT_TRUE(Set().perCurveSlots.empty());
  Expr().SetCheck(Expr().CheckFitted(11), false);
  Form().Follow();
  EXPECT_TRUE(Form().LabelNoParameter().Visible());
  // The weighting: noise first, then max and none.
  EXPECT_EQ(Form().ComboWeighting().Text(), "noise");
  Form().Choose(Form().ComboWeighting(), 1);
  EXPECT_EQ(Set().weighting, CurveWeighting::LargestCurrent);
  Form().Choose(Form().ComboWeighting(), 2);
  EXPECT_EQ(Set().weighting, CurveWeighting::None);
}

// chi-cv-cycles.txt: a CH Instruments export at 0.1 V/s in 0.05 V steps, cycle 1 from -0.2 to
// 0.2 V and back (16 steps, 17 rows), cycle 2 from -0.15 V (7 + 8 steps, 16 rows).
TEST_F(SetWindow, AFileOfSeveralCyclesAsksWhichAndKeepsItsScanRate) {
  host.answers = {1};  // the second item: cycle 2
  ASSERT_FALSE(Form().AddFiles({Data("chi-cv-cycles.txt")}));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0],
            "CH Instruments text export: which cycle of chi-cv-cycles.txt to add?");
  EXPECT_EQ(host.offered, (std::vector<std::string>{"Cycle 1: 17 points from -0.2 V to -0.2 V",
                                                    "Cycle 2: 16 points from -0.15 V to -0.2 V",
                                                    "Each cycle as a curve of its own: 2 curves"}));
  ASSERT_EQ(Set().curves.size(), 1u);
  EXPECT_EQ(Set().curves[0].name, "chi-cv-cycles.txt cycle 2");
  EXPECT_EQ(Set().curves[0].potential.size(), 16u);
  EXPECT_EQ(SetTableRows(Set(), program->experiment.settings)[0].own[0], "0.1");
  // Unasked, each cycle is a curve of its own.
  host.answers = {std::nullopt};  // the user cancels: nothing
  ASSERT_FALSE(Form().AddFiles({Data("chi-cv-cycles.txt")}));
  EXPECT_EQ(Set().curves.size(), 1u);
  host.answers = {2};
  ASSERT_FALSE(Form().AddFiles({Data("chi-cv-cycles.txt")}));
  ASSERT_EQ(Set().curves.size(), 3u);
  EXPECT_EQ(Set().curves[1].name, "chi-cv-cycles.txt cycle 1");
  EXPECT_EQ(Set().curves[1].potential.size(), 17u);
  EXPECT_EQ(Set().curves[2].potential.size(), 16u);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SetWindow, ReadingAFileByItsCycleNumberOrRefusingOneItLacks) {
  const auto second = ReadSetCurves(Data("chi-cv-cycles.txt"), 2);
  ASSERT_TRUE(std::holds_alternative<SetFileCurves>(second));
  EXPECT_EQ(std::get<SetFileCurves>(second).cycles, std::vector<int>{2});
  const auto none = ReadSetCurves(Data("chi-cv-cycles.txt"), 3);
  ASSERT_TRUE(std::holds_alternative<std::string>(none));
  EXPECT_EQ(
      std::get<std::string>(none),
      "ReadData Error: CH Instruments text export: the file has no cycle 3; its cycles are 1 to "
      "2.");
  const auto missing = ReadSetCurves((Folder() / "none.csv").string());
  EXPECT_TRUE(std::holds_alternative<std::string>(missing));
}

// Pairs are one record as Import Data keeps them; one beyond a curve's 4000 points is thinned:
// 0 -> 0.6 -> 0 V in 0.1 mV steps is 12001 points, every 3rd would leave 4001, every 4th 3001.
TEST_F(SetWindow, PairsAreOneCurveThinnedAsImportDataThinsThem) {
  std::vector<double> fine;
  for (int k = 0; k <= 12000; ++k) fine.push_back(1e-4 * (k <= 6000 ? k : 12000 - k));
  const std::string big = PairsFile("fine.csv", fine);
  const std::string small = PairsFile("small.csv", testing::Staircase({0.3, 0.6, 0.0, 0.3}, 0));
  ASSERT_FALSE(Form().AddFiles({small, big}));
  ASSERT_EQ(Set().curves.size(), 2u);
  EXPECT_EQ(Set().curves[0].name, "small.csv");
  // 0.3 -> 0.6 -> 0 -> 0.3 V in 2 mV steps: 150 + 300 + 150 steps.
  EXPECT_EQ(Set().curves[0].potential.size(), 601u);
  EXPECT_EQ(Set().curves[1].name, "fine.csv");
  ASSERT_EQ(Set().curves[1].potential.size(), 3001u);
  EXPECT_EQ(Set().curves[1].potential[1500], 0.6);  // the vertex, as measured
  EXPECT_TRUE(host.questions.empty());
  const std::vector<std::string>& lines = program->formResult.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "fine.csv: 12001 points thinned to 3001 (every 4th point, vertices kept): "
                      "the store holds at most 4000."),
            lines.end());
}

TEST_F(SetWindow, AFileThatCannotBeReadIsToldAndTheOthersAreAdded) {
  const std::string good = PairsFile("good.csv", {0.1, 0.2, 0.3, 0.4});
  const std::string bad = (Folder() / "absent.csv").string();
  const auto refused = Form().AddFiles({bad, good});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->rfind("absent.csv: ", 0), 0u) << *refused;
  ASSERT_EQ(Set().curves.size(), 1u);
  EXPECT_EQ(Set().curves[0].name, "good.csv");
}

// The set holds 16 curves: a 16th from the first file, then the files that find it full are
// named once; a file of two cycles fills the set with its first.
TEST_F(SetWindow, AFullSetTellsWhichFilesWereNotAdded) {
  for (int k = 1; k <= 14; ++k) {
    ASSERT_FALSE(AddSetCurve(Set(), SetCurve{"c", {0.3, 0.2, 0.1}, {1e-6, 2e-6, 3e-6}, {}}));
  }
  host.answers = {2};  // each cycle of chi-cv-cycles.txt
  const std::string one = PairsFile("one.csv", {0.1, 0.2, 0.3}),
                    two = PairsFile("two.csv", {0.1, 0.2, 0.3});
  const auto refused = Form().AddFiles({one, Data("chi-cv-cycles.txt"), two});
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused,
            "chi-cv-cycles.txt: the set holds at most 16 curves: 1 of the 2 cycles went in.\n"
            "The set holds 16 curves, as many as it can; two.csv and the files after it were not "
            "added.");
  ASSERT_EQ(Set().curves.size(), 16u);
  EXPECT_EQ(Set().curves[14].name, "one.csv");
  EXPECT_EQ(Set().curves[15].name, "chi-cv-cycles.txt cycle 1");
  const std::vector<std::string>& lines = program->formResult.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Fit Several Curves: chi-cv-cycles.txt (CH Instruments text export) is "
                      "curve 16 of the set."),
            lines.end());
}

// Two cycles 0.3 -> 0.6 -> 0 -> 0.6 -> 0 -> 0.3 V in 2 mV steps: 600 steps a cycle, 601 points
// each, sharing point 601.
TEST_F(SetWindow, TheImportedCurvesCyclesBecomeCurvesAndRemoveAndClearTakeThemAway) {
  EXPECT_TRUE(Form().AddImportedCycles());  // nothing imported yet
  const std::vector<double> e = testing::Staircase({0.3, 0.6, 0.0, 0.6, 0.0, 0.3}, 0);
  ASSERT_EQ(e.size(), 1201u);
  CurveStore& c = program->curves;
  c.PointCount = static_cast<int>(e.size());
  for (int i = 1; i <= c.PointCount; ++i) {
    c.Abscissa(i) = e[static_cast<std::size_t>(i - 1)];
    c.Ordinate(i, 1) = 1e-6 + 2e-6 * c.Abscissa(i);
  }
  ASSERT_FALSE(Form().AddImportedCycles());
  ASSERT_EQ(Set().curves.size(), 2u);
  EXPECT_EQ(Set().curves[0].name, "curve 1 cycle 1");
  EXPECT_EQ(Set().curves[1].name, "curve 1 cycle 2");
  EXPECT_EQ(Set().curves[0].potential.size(), 601u);
  EXPECT_EQ(Set().curves[1].potential.size(), 601u);
  EXPECT_EQ(Set().curves[1].potential.front(), e[600]);
  EXPECT_EQ(Set().curves[1].current.back(), 1e-6 + 2e-6 * e.back());
  EXPECT_TRUE(Set().curves[0].own.empty());

  Form().Select(0);
  Form().Click(Form().CmdRemove());
  EXPECT_EQ(host.messages.back(), "Select the curve to remove in the table first.");
  Form().Select(1);
  Form().Click(Form().CmdRemove());
  ASSERT_EQ(Set().curves.size(), 1u);
  EXPECT_EQ(Set().curves[0].name, "curve 1 cycle 2");
  EXPECT_EQ(Form().Selected(), 1);
  ASSERT_FALSE(Form().AddImportedCycles());
  EXPECT_EQ(Set().curves.size(), 3u);
  EXPECT_EQ(Form().LabelSet().Caption().rfind("3 curves, 1803 points.", 0), 0u);
  Form().Click(Form().CmdClear());
  EXPECT_TRUE(Set().curves.empty());
  EXPECT_EQ(Form().Selected(), 0);
  EXPECT_EQ(Form().LabelSet().Caption().rfind("The set is empty", 0), 0u);
}

// Two linear sweeps from 0.5 V, pre-equilibrated there, simulated with E° = 0.05 V at 0.1 and
// 0.01 V/s, the first with its own scan rate in the table; Fit from 0.07 V finds E° = 0.05 V
// again, each curve with R² = 1, although the dialog's E start is now 0.1 V: each curve is
// pre-equilibrated where it starts (at 0.1 V, 14 % of A would be B at the start).
TEST_F(SetWindow, FitFindsTheSharedValueTheCurvesWereSimulatedWith) {
  FormTech& tech = program->experiment.formTech;
  tech.SetCheck(tech.CheckDigital(), false);
  tech.Click(tech.optTech(1));
  Expr().Type(Expr().Estart(), "0.5");
  Expr().Type(Expr().Eze(1), "0.05");
  const auto simulated = [&](const char* rate, const char* name) {
    Expr().Type(Expr().V(), rate);
    EXPECT_TRUE(program->mdiForm1.Invoke(*program->mdiForm1.Find("mnuSimulate")));
    const CurveStore& c = program->curves;
    SetCurve curve{name, {}, {}, {}};
    for (int i = 1; i <= c.PointCount; ++i) {
      curve.potential.push_back(c.Abscissa(i));
      curve.current.push_back(c.Ordinate(i, c.CurrentCurve));
    }
    return curve;
  };
  ASSERT_FALSE(AddSetCurve(Set(), simulated("0.1", "fast")));
  ASSERT_FALSE(AddSetCurve(Set(), simulated("0.01", "slow")));
  ASSERT_FALSE(EditSetCell(Set(), program->experiment.settings, 1, 0, "0.1"));
  Expr().Type(Expr().Eze(1), "0.07");
  Expr().Type(Expr().Estart(), "0.1");
  Expr().SetCheck(Expr().CheckFitted(1), false);
  Expr().SetCheck(Expr().CheckFitted(11), true);
  Form().Show();
  Form().Click(Form().CmdFit());
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();
  ASSERT_TRUE(Set().last);
  EXPECT_NEAR(GlobalValue(*Set().last, 0, 1), 0.05, 1e-6);
  const std::vector<SetTableRow> rows = SetTableRows(Set(), program->experiment.settings);
  EXPECT_EQ(rows[0].rSquared, "1");
  EXPECT_EQ(rows[1].rSquared, "1");
  EXPECT_NE(Form().LabelSet().Caption().find("Last fit: sum of squares"), std::string::npos);
  EXPECT_TRUE(program->formResult.Visible());
}

TEST_F(SetWindow, FitOfAnEmptySetIsRefusedWithTheFitsReason) {
  Form().Click(Form().CmdFit());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_FALSE(Set().last);
}

}  // namespace
}  // namespace vorex
