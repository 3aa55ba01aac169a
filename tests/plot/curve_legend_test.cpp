#include "plot/curve_legend.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/drawing_list.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using Op = DrawingList::Op;

// A simulation that differs from none before it is named by its technique's short name and its
// mechanism's description, as the Techniques and Mechanism dialogs call them (linear sweep,
// mechanism 1 at start-up).
const std::string kFirstSimulation = "sim lsv, simple charge reaction";

// A curve as the plot announces it: its number and legend name.
struct Mark {
  int curve;
  std::string name;
  bool operator==(const Mark&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Mark& m) {
  return out << "{" << m.curve << ", \"" << m.name << "\"}";
}

struct Legend : testing::StartedProgram {
  const std::vector<DrawingList::Item>& Items() { return program->plot.formPlot.picture.Items(); }
  std::vector<DrawingList::Item> MarkItems() {
    std::vector<DrawingList::Item> marks;
    for (const auto& item : Items()) {
      if (item.op == Op::MarkCurve) marks.push_back(item);
    }
    return marks;
  }
  // The curves marked in the picture, in order, without the closing mark.
  std::vector<Mark> Marks() {
    std::vector<Mark> marks;
    for (const auto& item : MarkItems()) {
      if (item.curve > 0) marks.push_back({item.curve, item.text});
    }
    return marks;
  }
  std::filesystem::path Temp(const char* name) {
    return std::filesystem::temp_directory_path() /
           ("vorex-legend-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            name);
  }
  // The legend's name of a file imported from the scratch folder.
  std::string Measured(const char* name) { return "measured " + Temp(name).filename().string(); }
  // A falling sweep of pairs, as a CSV file of another program would hold it.
  void ImportTriangle() {
    const auto file = Temp("triangle.csv");
    {
      std::ofstream out(file);
      for (int i = 0; i <= 60; ++i) {
        const double e = 0.3 - 0.01 * i;
        out << e << "," << (i < 30 ? i : 60 - i) * 1e-6 << "\n";
      }
    }
    host.fileAnswers.push_back(file.string());
    ASSERT_TRUE(Invoke("mnuImport"));
    ASSERT_TRUE(host.messages.empty()) << host.messages[0];
    std::filesystem::remove(file);
  }
  // Simulates with the fields as they stand and takes the result back as a measured curve.
  void Measure() {
    Invoke("mnuSimulate");
    const auto file = Temp("measured.csv");
    host.fileAnswers.push_back(file.string());
    Invoke("mnuExport");
    host.fileAnswers.push_back(file.string());
    Invoke("mnuImport");
    std::filesystem::remove(file);
  }
  void Overlap(bool on) {
    program->plot.formOption.SetCheck(program->plot.formOption.overlap(), on);
  }
};

TEST_F(Legend, AnImportedCurveIsMeasuredAndOptionOkHasNothingToConvertIntoIt) {
  ImportTriangle();
  // Named by the file, without its folder.
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, Measured("triangle.csv")}}));
  // Nothing was simulated: converting "the last simulation" would write zeros over the data.
  program->plot.formOption.Click(program->plot.formOption.OK());
  EXPECT_DOUBLE_EQ(Curves().Ordinate(11, 1), 10e-6);  // point 11: E = 0.2 V, i = 10 uA
  EXPECT_EQ(Curves().Role(1), CurveRole::Measured);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Legend, SimulationsAreNamedByWhatSetsThemApart) {
  Analytical();
  Overlap(true);
  Invoke("mnuSimulate");  // curve 2 beside the empty curve 1, which nothing has named
  Type(Expr().ks(1), "1e-3");
  Invoke("mnuSimulate");
  Type(Expr().V(), "0.5");
  Invoke("mnuSimulate");
  Invoke("mnuSimulate");  // nothing changed: named by its kind again
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  ASSERT_EQ(Curves().CurveCount, 5);
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, "Curve 1"},
                                        {2, kFirstSimulation},
                                        {3, "sim ks(1) = 1e-3"},
                                        {4, "sim v = 0.5"},
                                        {5, kFirstSimulation}}));
}

TEST_F(Legend, ATransformNamesItsCurveAndTitlesTheAxisWithItsUnits) {
  Analytical();
  Invoke("mnuSimulate");
  const auto title = [&] {
    for (const auto& item : Items()) {
      if (item.op == Op::PrintText) return item.text;  // the ordinate's title comes first
    }
    return std::string();
  };
  EXPECT_EQ(title(), "I /A");
  // A half-order derivative along time of a current [A] is in A s^-1/2; one along E in A/V.
  Invoke("mnuSemi");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, "semi-derivative"}}));
  EXPECT_EQ(title(), "dI/dt^1/2 /A s^-1/2");
  Invoke("mnuSemiInte");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, "semi-integral"}}));
  EXPECT_EQ(title(), "d^-1/2 I/dt^-1/2 /A s^1/2");
  Invoke("mnuDerivative");
  EXPECT_EQ(title(), "dI/dE /A V^-1");
  Invoke("mnuIntegral");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, "integral"}}));
  EXPECT_EQ(title(), "\u222bI dE /A V");
  // The next simulation is a current again.
  Invoke("mnuSimulate");
  EXPECT_EQ(title(), "I /A");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, kFirstSimulation}}));
}

TEST_F(Legend, ASimulationBesideMeasuredDataKeepsTheMeasuredName) {
  Analytical();
  ImportTriangle();  // the Experimental dialog takes its start and step
  Overlap(true);
  Invoke("mnuSimulate");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const std::vector<Mark> named{{1, Measured("triangle.csv")}, {2, kFirstSimulation}};
  EXPECT_EQ(Marks(), named);
  // The Option dialog's OK converts the last simulation into the current curve: curve 2 stays a
  // simulation, and the measured curve, made current, is not written over.
  program->plot.formOption.Click(program->plot.formOption.OK());
  EXPECT_EQ(Marks(), named);
  Invoke("mnuNextCurve");  // curve 1 current
  program->plot.formOption.Click(program->plot.formOption.OK());
  EXPECT_EQ(Marks(), named);
}

TEST_F(Legend, AFitNamesItsCurvesAndTheSeparationItsReactions) {
  Analytical();
  program->experiment.formExpr.SetCheck(Expr().CheckPreEqu(), false);
  Type(Expr().C(1), "2e-3");
  Measure();
  Type(Expr().C(1), "1.5e-3");
  Type(Expr().TextCmax(1), "1e-3");  // the bound keeps the fit off the data: a real residual
  host.messages.clear();
  Invoke("mnuAutoFit");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const std::string measured = Measured("measured.csv");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, measured}, {2, "fit"}}));
  Invoke("mnuResidual");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, measured}, {2, "fit"}, {3, "residual"}}));
  Invoke("mnuManualSeparate");
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, measured}, {2, "fit"}, {3, "reaction 1"}}));
}

TEST_F(Legend, SurfaceConcentrationsAreNamedByTheirSpecies) {
  ImportTriangle();
  program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
  Overlap(true);
  Invoke("mnuSimulate");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, Measured("triangle.csv")}, {2, kFirstSimulation}}));
  FormOption& o = program->plot.formOption;
  o.Choose(o.ComboY(), 3);  // surface concentration C
  o.Click(o.OK());
  ASSERT_EQ(Curves().CurveCount, 2);  // A + ne = B
  EXPECT_EQ(Marks(), (std::vector<Mark>{{1, "surface A"}, {2, "surface B"}}));
}

TEST_F(Legend, EachCurveIsMarkedBeforeItsDrawingWithTheFrame) {
  Analytical();
  Overlap(true);
  Invoke("mnuSimulate");
  Invoke("mnuSimulate");
  const auto marks = MarkItems();
  ASSERT_EQ(marks.size(), 4u);  // curves 1 to 3 and the end of the curves
  EXPECT_EQ(marks.back().curve, 0);
  for (const auto& m : marks) {
    EXPECT_EQ(m.a, program->plot.state.XMin);
    EXPECT_EQ(m.b, Curves().YMin);
    EXPECT_EQ(m.c, program->plot.state.XMax);
    EXPECT_EQ(m.d, Curves().YMax);
  }
  // Between the marks lie exactly the operations of each curve: 121 markers of curve 1, a point
  // and 120 lines of curve 2, 121 points of curve 3; the frame and the labels come before the
  // first mark, the ticks after the last.
  std::vector<std::vector<Op>> between(4);
  int section = -1;
  bool frameFirst = false;
  for (const auto& item : Items()) {
    if (item.op == Op::MarkCurve) {
      ++section;
      continue;
    }
    if (section < 0 && item.op == Op::Rectangle) frameFirst = true;
    if (section >= 0) between[static_cast<std::size_t>(section)].push_back(item.op);
  }
  EXPECT_TRUE(frameFirst);
  EXPECT_EQ(between[0], std::vector<Op>(121, Op::Rectangle));
  std::vector<Op> line(121, Op::LineTo);
  line[0] = Op::Point;
  EXPECT_EQ(between[1], line);
  EXPECT_EQ(between[2], std::vector<Op>(121, Op::Point));
  for (Op op : between[3]) EXPECT_TRUE(op == Op::Line || op == Op::SetDashed);
}

}  // namespace
}  // namespace vorex
