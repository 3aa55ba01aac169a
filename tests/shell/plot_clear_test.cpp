// Display > Clear empties the plot's curves, and Find Peak's marks stay on the plot until then.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "base/drawing_list.h"
#include "base/number_format.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using Op = DrawingList::Op;

struct PlotClear : testing::StartedProgram {
  void Overlap() { program->plot.formOption.SetCheck(program->plot.formOption.overlap(), true); }
  const std::vector<DrawingList::Item>& Items() { return program->plot.formPlot.picture.Items(); }
  // The potentials printed after the curves (the marks' labels, "0.1234 V"), in order.
  std::vector<std::string> TextsAfterTheCurves() {
    std::vector<std::string> texts;
    bool after = false;
    for (const auto& item : Items()) {
      if (item.op == Op::MarkCurve && item.curve == 0) after = true;
      const std::string& t = item.text;
      if (after && item.op == Op::PrintText && t.size() > 2 && t.ends_with(" V")) {
        texts.push_back(t);
      }
    }
    return texts;
  }
  // A rising sweep of pairs from 1 V in 10 mV steps, at potentials no simulation here uses.
  std::string Pairs() {
    const std::string file = Temp("pairs.csv").string();
    std::ofstream out(file);
    for (int i = 0; i <= 40; ++i)
      out << 1 + 0.01 * i << "," << (i < 20 ? i : 40 - i) * 1e-6 << "\n";
    return file;
  }
};

TEST_F(PlotClear, TheNextOverlappedSimulationIsCurveOneAlone) {
  Analytical();
  Overlap();
  Invoke("mnuSimulate");
  Invoke("mnuSimulate");
  ASSERT_EQ(Curves().CurveCount, 3);
  Invoke("mnuClear");
  EXPECT_TRUE(Items().empty() || Items().back().op == Op::Clear);
  Invoke("mnuSimulate");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_EQ(Curves().CurveCount, 1);
  EXPECT_EQ(Curves().CurrentCurve, 1);
  int marked = 0;
  for (const auto& item : Items()) marked += item.op == Op::MarkCurve && item.curve > 0;
  EXPECT_EQ(marked, 1);
}

TEST_F(PlotClear, AnOverlappedImportIsNotHeldToTheClearedCurvesPotentials) {
  Analytical();
  Overlap();
  Invoke("mnuSimulate");
  Invoke("mnuClear");
  EXPECT_TRUE(Import(Pairs())) << host.messages[0];
  EXPECT_EQ(Curves().CurveCount, 1);
  EXPECT_DOUBLE_EQ(Curves().Abscissa(1), 1.0);
}

TEST_F(PlotClear, AnalysesAfterClearAreRefusedAsWithoutData) {
  Analytical();
  Invoke("mnuSimulate");
  Invoke("mnuClear");
  for (const char* command : {"mnuFindPeak", "mnuFindHalfwaveE", "mnuSemi", "mnu10Y", "mnuExport",
                              "mnuAutoFit", "mnuManualFit"}) {
    host.messages.clear();
    program->formResult.Clear();
    Invoke(command);
    ASSERT_EQ(host.messages.size(), 1u) << command;
    EXPECT_NE(host.messages[0].find("needs a curve: simulate or import one first."),
              std::string::npos)
        << host.messages[0];
    EXPECT_TRUE(program->formResult.Lines().empty()) << command;
  }
  EXPECT_TRUE(host.filters.empty());  // Export asked for no file
}

TEST_F(PlotClear, FindPeakMarksItsPeaksUntilTheCurveChangesOrTheClear) {
  Analytical();
  AnalyticalConcentrations();
  Type(Expr().ks(1), "1e4");  // reversible
  Invoke("mnuSimulate");
  Invoke("mnuFindPeak");
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const auto& marks = program->plot.state.PeakMarks;
  ASSERT_FALSE(marks.empty());
  // Randles-Sevcik for a reversible sweep (Bard and Faulkner, 6.2.18): ip = 0.4463 n F A C
  // sqrt(n F v D / RT), C in mol/cm3; the printed Ip carries four significant digits.
  const ParameterSet& p = program->experiment.parameterSet;
  const double ip =
      0.4463 * 96484.6 * p.Area * p.CInit(1) * 1e-3 * std::sqrt(p.FOverRT * p.ScanRate * p.D(1));
  const std::string line = program->formResult.Lines()[1];
  const std::size_t at = line.find("Ip = ");
  ASSERT_NE(at, std::string::npos) << line;
  const std::string printed = line.substr(at + 5);
  EXPECT_NEAR(std::fabs(std::stod(printed)), ip, 0.01 * ip) << line;
  EXPECT_EQ(printed.find('E') - printed.find('.'), 4u) << printed;  // d.dddE-05
  // Each mark: a cross centred on the peak and its potential in V beside it.
  std::vector<std::string> labels;
  for (const PeakMark& m : marks) labels.push_back(FormatDecimals(m.potential, 4) + " V");
  EXPECT_EQ(TextsAfterTheCurves(), labels);
  EXPECT_NE(line.find("Ep = " + std::string(marks[0].potential < 0 ? "" : " ") +
                      FormatDecimals(marks[0].potential, 4)),
            std::string::npos)
      << line;
  // Drawn again as often as the plot is.
  Invoke("mnuPlot");
  EXPECT_EQ(TextsAfterTheCurves(), labels);
  // A curve scaled is no longer the one whose peak was marked.
  Invoke("mnu10Y");
  EXPECT_TRUE(TextsAfterTheCurves().empty());
  Invoke("mnu01Y");
  Invoke("mnuFindPeak");
  EXPECT_FALSE(TextsAfterTheCurves().empty());
  Invoke("mnuClear");
  Invoke("mnuSimulate");
  EXPECT_TRUE(TextsAfterTheCurves().empty());
}

}  // namespace
}  // namespace vorex
