// The table and the plot axes of the Fit Several Curves window, without the window: each cell's
// text as a keyword of the curve, the rows' texts, and the round ticks of the plot. Expected
// texts and ticks are worked out by hand beside each case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/set_plot.h"
#include "shell/set_table.h"

namespace vorex {
namespace {

constexpr std::size_t kScanRate = 0, kC = 1, kArea = 2, kRu = 3, kBackground = 5;

// A curve of three points from 0.6 V down to -0.2 V and back to 0.1 V.
SetCurve Curve(const std::string& name) {
  return SetCurve{name, {0.6, -0.2, 0.1}, {1e-6, -2e-6, 0.5e-6}, {}};
}

std::string Refusal(std::size_t column, const char* text) {
  auto keyword = CellKeyword(column, text);
  return std::holds_alternative<std::string>(keyword) ? std::get<std::string>(keyword) : "taken";
}

TEST(SetTableCells, NumbersAndWordsBecomeTheCurvesKeywords) {
  auto typed = CellKeyword(kScanRate, " 0.25 ");
  ASSERT_TRUE(std::holds_alternative<std::optional<Keyword>>(typed));
  const std::optional<Keyword>& rate = std::get<std::optional<Keyword>>(typed);
  ASSERT_TRUE(rate);
  EXPECT_EQ(rate->name, "scan_rate");
  EXPECT_EQ(rate->value.kind, KeywordValue::Kind::Number);
  EXPECT_EQ(rate->value.text, "0.25");
  // A background is a word of the dialog's list, whatever its case.
  const auto background = std::get<std::optional<Keyword>>(CellKeyword(kBackground, "Linear"));
  ASSERT_TRUE(background);
  EXPECT_EQ(background->name, "background");
  EXPECT_EQ(background->value.kind, KeywordValue::Kind::Name);
  EXPECT_EQ(background->value.text, "linear");
  // A blank cell gives the dialog's value back.
  EXPECT_FALSE(std::get<std::optional<Keyword>>(CellKeyword(kC, "  ")));
  // Ru and C may be 0; a scan rate and an area may not.
  EXPECT_EQ(Refusal(kRu, "0"), "taken");
  EXPECT_EQ(Refusal(kC, "0"), "taken");
  EXPECT_EQ(Refusal(kArea, "0"), "The area must be greater than 0 cm\u00b2; got 0.");
  EXPECT_EQ(Refusal(kScanRate, "-0.1"), "The scan rate must be greater than 0 V/s; got -0.1.");
  EXPECT_EQ(Refusal(kRu, "-5"), "Ru must not be negative; got -5 \u03a9.");
  EXPECT_EQ(Refusal(kScanRate, "fast"),
            "The scan rate is a number in V/s; got \"fast\". Leave the cell empty for the "
            "Experimental dialog's.");
  EXPECT_EQ(Refusal(kBackground, "cubic"),
            "The background is one of none, constant, linear, quadratic; got \"cubic\". Leave "
            "the cell empty for the Experimental dialog's.");
}

TEST(SetTableCells, AnEditSetsTheCurveAndABlankCellGivesTheDialogsValueBack) {
  GlobalFitSet set;
  Settings settings;
  settings.SetDigital(true);
  ASSERT_FALSE(AddSetCurve(set, Curve("slow")));
  ASSERT_FALSE(AddSetCurve(set, Curve("fast")));
  ASSERT_FALSE(EditSetCell(set, settings, 2, kScanRate, "0.5"));
  ASSERT_FALSE(EditSetCell(set, settings, 2, kRu, "120"));
  ASSERT_EQ(set.curves[1].own.size(), 2u);
  EXPECT_TRUE(set.curves[0].own.empty());
  // A second edit of the same cell replaces its keyword.
  ASSERT_FALSE(EditSetCell(set, settings, 2, kScanRate, "1"));
  ASSERT_EQ(set.curves[1].own.size(), 2u);
  std::vector<SetTableRow> rows = SetTableRows(set, settings);
  EXPECT_EQ(rows[1].own[kScanRate], "1");
  EXPECT_EQ(rows[1].own[kRu], "120");
  ASSERT_FALSE(EditSetCell(set, settings, 2, kScanRate, ""));
  rows = SetTableRows(set, settings);
  EXPECT_EQ(rows[1].own[kScanRate], "");
  EXPECT_EQ(rows[1].own[kRu], "120");
  // A refused text leaves the curve as it was.
  EXPECT_TRUE(EditSetCell(set, settings, 2, kRu, "-1"));
  EXPECT_TRUE(EditSetCell(set, settings, 3, kRu, "1"));
  EXPECT_EQ(SetTableRows(set, settings), rows);
}

TEST(SetTableRows, SayWhatEachCurveIsAndWhatTheDialogGivesItsEmptyCells) {
  GlobalFitSet set;
  Settings settings;
  settings.SetDigital(false);
  ASSERT_FALSE(AddSetCurve(set, Curve("first")));
  ASSERT_FALSE(EditSetCell(set, settings, 1, kC, "2e-3"));
  const std::vector<SetTableRow> rows = SetTableRows(set, settings);
  ASSERT_EQ(rows.size(), 1u);
  const SetTableRow& row = rows[0];
  EXPECT_EQ(row.number, 1);
  EXPECT_EQ(row.name, "first");
  EXPECT_EQ(row.points, "3");
  EXPECT_EQ(row.range, "-0.2 to 0.6");  // the lowest and highest of 0.6, -0.2, 0.1
  EXPECT_EQ(row.own[kC], "2e-3");
  EXPECT_EQ(row.own[kScanRate], "");
  // The dialog's defaults: 0.01 V/s, area 1 cm², no background; Ru is the digital
  // simulation's, so an analytical one does not use it.
  EXPECT_EQ(row.dialog[kScanRate], "0.01");
  EXPECT_EQ(row.dialog[kArea], "1");
  EXPECT_EQ(row.dialog[kBackground], "none");
  EXPECT_EQ(row.dialog[kRu], "n/a");
  EXPECT_EQ(row.rSquared, "");
  // And the analytical simulation refuses an Ru of the curve's own, as its dialog would.
  const auto refused = EditSetCell(set, settings, 1, kRu, "50");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->rfind("Curve 1 of the set: ", 0), 0u) << *refused;
}

TEST(FixedDecimals, RoundsAndDropsTrailingZeros) {
  EXPECT_EQ(FixedDecimals(-0.2, 3), "-0.2");
  EXPECT_EQ(FixedDecimals(0.59996, 3), "0.6");
  EXPECT_EQ(FixedDecimals(0.99874, 4), "0.9987");
  EXPECT_EQ(FixedDecimals(-0.0001, 3), "0");
  EXPECT_EQ(FixedDecimals(12, 3), "12");
}

std::vector<std::string> Ticks(const PlotAxis& axis) {
  std::vector<std::string> ticks;
  for (int k = 0; k < axis.count; ++k) ticks.push_back(axis.TickText(k));
  return ticks;
}

TEST(SetPlotAxes, TakeTheFewestRoundTicksAroundTheRange) {
  using Texts = std::vector<std::string>;
  // -0.213 .. 0.612 in at most 8 ticks: a step of 0.1 needs -0.3 .. 0.7, 11 ticks; 0.2 needs
  // -0.4 .. 0.8, 7.
  EXPECT_EQ(Ticks(RoundAxis(-0.213, 0.612, 8)),
            (Texts{"-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8"}));
  // Limits on ticks need none beyond: -0.2 .. 0.6 by 0.2 is 5 ticks (by 0.1, 9).
  EXPECT_EQ(Ticks(RoundAxis(-0.2, 0.6, 5)), (Texts{"-0.2", "0", "0.2", "0.4", "0.6"}));
  // -13.7 .. 42 µA in at most 7: by 5, -15 .. 45 is 13 ticks; by 10, -20 .. 50 is 8; by 20,
  // -20 .. 60 is 5.
  EXPECT_EQ(Ticks(RoundAxis(-13.7, 42, 7)), (Texts{"-20", "0", "20", "40", "60"}));
  // A range of no width: 3 widened by 0.3 either way, 2.7 .. 3.3; by 0.1, 7 ticks; by 0.2,
  // 2.6 .. 3.4, 5.
  EXPECT_EQ(Ticks(RoundAxis(3, 3, 5)), (Texts{"2.6", "2.8", "3", "3.2", "3.4"}));
  EXPECT_EQ(Ticks(RoundAxis(0, 0, 3)), (Texts{"-1", "0", "1"}));
  // Symmetric residuals of 1.3 in 3 ticks: by 1, -2 .. 2 is 5; by 2, -2 .. 2 is 3.
  EXPECT_EQ(Ticks(RoundAxis(-1.3, 1.3, 3)), (Texts{"-2", "0", "2"}));
  // Small steps keep their decimals exact: 1e-5 .. 4e-5 in at most 4 ticks is by 1e-5.
  EXPECT_EQ(Ticks(RoundAxis(1e-5, 4e-5, 4)), (Texts{"1e-05", "2e-05", "3e-05", "4e-05"}));
}

TEST(SetPlotAxes, TheCurrentTakesTheUnitItsLargestValueIsAtLeastOneOf) {
  EXPECT_EQ(CurrentUnitFor(2.3e-5).name, "\u00b5A");
  EXPECT_EQ(CurrentUnitFor(2.3e-5).factor, 1e6);
  EXPECT_EQ(CurrentUnitFor(5e-4).name, "\u00b5A");  // 500 µA, 0.5 mA
  EXPECT_EQ(CurrentUnitFor(1e-3).name, "mA");
  EXPECT_EQ(CurrentUnitFor(1.5).name, "A");
  EXPECT_EQ(CurrentUnitFor(4e-13).name, "pA");
  EXPECT_EQ(CurrentUnitFor(0).name, "pA");
}

TEST(SetPlotLayout, CoversEveryCurveAndTheFitOnlyWhileItBelongsToThem) {
  GlobalFitSet set;
  ASSERT_FALSE(AddSetCurve(set, Curve("a")));
  ASSERT_FALSE(AddSetCurve(set, SetCurve{"b", {0, 0.3, 0.7}, {3e-6, 4e-6, 5e-6}, {}}));
  SetPlotLayout layout = SetPlotOf(set);
  EXPECT_FALSE(layout.fitted);
  // E -0.2 .. 0.7 in at most 8 ticks: by 0.1, 10; by 0.2, -0.2 .. 0.8, 6.
  EXPECT_EQ(layout.potential.Low(), -0.2);
  EXPECT_EQ(layout.potential.High(), 0.8);
  // I -2 .. 5 µA in at most 7 ticks: by 1, 8; by 2, -2 .. 6, 5.
  EXPECT_EQ(layout.unit.name, "\u00b5A");
  EXPECT_EQ(layout.current.Low(), -2);
  EXPECT_EQ(layout.current.High(), 6);

  // A fit that reached 7 µA and left residuals of at most 0.4 µA.
  GlobalFitResult fit;
  fit.curves.resize(2);
  fit.curves[0].fitted = {1e-6, -2e-6, 0.5e-6};
  fit.curves[0].residual = {0, 0, 0};
  fit.curves[1].fitted = {3e-6, 4e-6, 7e-6};
  fit.curves[1].residual = {0, 0, -0.4e-6};
  set.last = fit;
  layout = SetPlotOf(set);
  EXPECT_TRUE(layout.fitted);
  EXPECT_EQ(layout.current.High(), 8);  // -2 .. 7 by 2
  // ±0.4 in 3 ticks: by 0.2, -0.4 .. 0.4 is 5; by 0.5, -0.5 .. 0.5 is 3.
  EXPECT_EQ(Ticks(layout.residual), (std::vector<std::string>{"-0.5", "0", "0.5"}));
  // A curve more, and the fit is of other curves.
  ASSERT_FALSE(AddSetCurve(set, Curve("c")));
  EXPECT_FALSE(SetPlotOf(set).fitted);
}

}  // namespace
}  // namespace vorex
