#include <gtest/gtest.h>

#include "base/drawing_list.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using Op = DrawingList::Op;

struct Plot : testing::StartedProgram {
  const std::vector<DrawingList::Item>& Items() { return program->plot.formPlot.picture.Items(); }
  std::vector<DrawingList::Item> Of(Op op) {
    std::vector<DrawingList::Item> found;
    for (const auto& item : Items()) {
      if (item.op == op) found.push_back(item);
    }
    return found;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& item : Of(Op::PrintText)) texts.push_back(item.text);
    return texts;
  }
  void SimulateDefault() {
    Analytical();
    Invoke("mnuSimulate");
    ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  }
  FormOption& Options() { return program->plot.formOption; }
};

TEST_F(Plot, AutomaticRangesOfTheDefaultSimulation) {
  SimulateDefault();
  // The peak of about 8.5e-5 A (Randles-Sevcik) lies in [1e-5, 1e-4): decade 1e-5, YMax rounded
  // up to 9e-5, YMin = 1e-5 x (trunc(0) - 1).
  EXPECT_EQ(Curves().YMin, -1e-5);
  EXPECT_EQ(Curves().YMax, 9e-5);
  const auto worlds = Of(Op::SetWorld);
  ASSERT_EQ(worlds.size(), 2u);
  EXPECT_DOUBLE_EQ(worlds[0].a, 1.2 * -0.3);   // left
  EXPECT_DOUBLE_EQ(worlds[0].b, 9e-5 + 1e-5);  // top
  EXPECT_DOUBLE_EQ(worlds[0].c, 1.2 * 0.3);    // right
  EXPECT_DOUBLE_EQ(worlds[0].d, -1e-5 - 1.5e-5);
  // X from positive to negative: the world is fitted again, mirrored.
  EXPECT_DOUBLE_EQ(worlds[1].a, 1.2 * 0.3);
  EXPECT_DOUBLE_EQ(worlds[1].c, 1.2 * -0.3);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"I /A", "9E-5", "-1E-5", "-0.3", "0", "0.3", "E /V"}));
  EXPECT_EQ(program->plot.state.XMin, Curves().Abscissa(121));
  EXPECT_EQ(program->plot.state.XMax, 0.3);
}

TEST_F(Plot, CurveOneIsDrawnAsSquareMarkers) {
  SimulateDefault();
  // 121 markers and the frame; the dashed zero line and the ticks are lines.
  EXPECT_EQ(Of(Op::Rectangle).size(), 122u);
  const auto marker = Of(Op::Rectangle)[1];
  const double dx = 0.6, dy = 9e-5 + 1e-5;
  EXPECT_NEAR(marker.a, Curves().Abscissa(1) - 0.005 * dx, 1e-15);
  EXPECT_NEAR(marker.c - marker.a, 0.01 * dx, 1e-15);
  EXPECT_NEAR(marker.d - marker.b, 0.01 * dy, 1e-18);
  EXPECT_TRUE(Of(Op::LineTo).empty());
}

TEST_F(Plot, OverlappedCurvesKeepTheirStyles) {
  Analytical();
  Options().SetCheck(Options().overlap(), true);
  for (int run = 0; run < 4; ++run) Invoke("mnuSimulate");  // curves 2..5
  ASSERT_EQ(Curves().CurveCount, 5);
  // Curve 1 markers (from no run: zeros), curve 2 a solid line, curves 3 to 5 dots.
  EXPECT_EQ(Of(Op::Rectangle).size(), 121u + 1);
  EXPECT_EQ(Of(Op::LineTo).size(), 120u);
  EXPECT_EQ(Of(Op::Point).size(), 1u + 3 * 121);
}

TEST_F(Plot, ManualRangesGiveTheirOwnWindow) {
  SimulateDefault();
  Options().Click(Options().Yauto());
  EXPECT_TRUE(Options().YminText().Visible());
  Invoke("mnuPlot");
  const auto worlds = Of(Op::SetWorld);
  ASSERT_FALSE(worlds.empty());
  // A manual range has margins by its span (2e-3): 0.1 of it above, 0.3 below for the X labels.
  // (1.1 x 1e-3 above and 0.8 x -1e-3 below would put the frame's bottom edge, data down to
  // -1e-3 and the X labels outside the window.)
  EXPECT_DOUBLE_EQ(worlds[0].b, 1e-3 + 0.2e-3);
  EXPECT_DOUBLE_EQ(worlds[0].d, -1e-3 - 0.6e-3);
  Options().Click(Options().Xauto());
  program->plot.formOption.Type(Options().XminText(), "0.1");
  program->plot.formOption.Type(Options().XmaxText(), "0.1");
  Invoke("mnuPlot");
  EXPECT_EQ(host.messages, std::vector<std::string>{"Error: No data!"});
  EXPECT_TRUE(Items().empty());
}

// A range away from zero (a zoom) shows whole, labels included: the margins are fractions of the
// range's span, 0.2 of it left and right, 0.1 above and 0.3 below, whatever the limits' signs.
TEST_F(Plot, AManualRangeAwayFromZeroShowsWhole) {
  SimulateDefault();
  Options().Click(Options().Xauto());
  Options().Click(Options().Yauto());
  const auto zoom = [&](const char* x0, const char* x1, const char* y0, const char* y1) {
    program->plot.formOption.Type(Options().XminText(), x0);
    program->plot.formOption.Type(Options().XmaxText(), x1);
    program->plot.formOption.Type(Options().YminText(), y0);
    program->plot.formOption.Type(Options().YmaxText(), y1);
    Invoke("mnuPlot");
  };
  zoom("0.05", "0.25", "2e-5", "6e-5");  // spans 0.2 V and 4e-5 A
  auto worlds = Of(Op::SetWorld);
  ASSERT_EQ(worlds.size(), 2u);
  EXPECT_NEAR(worlds[0].a, 0.01, 1e-15);    // left: 0.05 - 0.04
  EXPECT_NEAR(worlds[0].b, 6.4e-5, 1e-19);  // top: 6e-5 + 4e-6
  EXPECT_NEAR(worlds[0].c, 0.29, 1e-15);    // right: 0.25 + 0.04
  EXPECT_NEAR(worlds[0].d, 0.8e-5, 1e-19);  // bottom: 2e-5 - 1.2e-5
  EXPECT_EQ(worlds[1].a, worlds[0].c);      // X from positive to negative
  EXPECT_EQ(worlds[1].c, worlds[0].a);
  // Every text stands inside the window; "0" has no place on a range away from 0 V.
  const auto cursors = Of(Op::SetTextCursor);
  for (const auto& t : cursors) {
    EXPECT_GE(t.b, worlds[0].d);
    EXPECT_LE(t.b, worlds[0].b);
  }
  for (const auto& t : Of(Op::PrintText)) EXPECT_NE(t.text, "0");

  zoom("-0.25", "-0.05", "-6e-5", "-2e-5");
  worlds = Of(Op::SetWorld);
  ASSERT_FALSE(worlds.empty());
  EXPECT_NEAR(worlds[0].a, -0.29, 1e-15);
  EXPECT_NEAR(worlds[0].b, -1.6e-5, 1e-19);
  EXPECT_NEAR(worlds[0].c, -0.01, 1e-15);
  EXPECT_NEAR(worlds[0].d, -7.2e-5, 1e-19);
}

TEST_F(Plot, GridAndTicks) {
  SimulateDefault();
  const std::size_t withoutGrid = Of(Op::Line).size();
  Options().Click(Options().CheckGrid());
  Invoke("mnuPlot");
  // n = round(10 x 0.3) = 3, dx = 0.1: vertical lines at -0.3 .. 0.2, six of them; m = 9,
  // dy = 1e-5: horizontal lines from -1e-5 up to below 9e-5, ten of them (worked in doubles).
  EXPECT_EQ(Of(Op::Line).size(), withoutGrid + 6 + 10);
}

TEST_F(Plot, ATickCountOfZeroEndsTheDrawingSilently) {
  SimulateDefault();
  Options().Click(Options().Xauto());
  program->plot.formOption.Type(Options().XminText(), "-0.3");
  program->plot.formOption.Type(Options().XmaxText(), "0.04");  // round(0.4) = 0 ticks
  Invoke("mnuPlot");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(Of(Op::Rectangle).empty());  // what was drawn before stays
}

}  // namespace
}  // namespace vorex
