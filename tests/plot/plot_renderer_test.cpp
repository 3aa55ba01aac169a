#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

// The default sweep runs from 0.3 V to -0.3 V and its peak is about 8.5e-5 A (Randles-Sevcik),
// the current at rest near zero. X: 0.05 V would give 12 intervals, 0.1 V six; Y from zero (the
// data start next to it): 1e-5 A would give 8.5 intervals, 2e-5 A 4.3, so the frame ends on the
// tick above the peak, 1e-4 A. X runs from positive to negative: the world is mirrored.
TEST_F(Plot, AutomaticRangesOfTheDefaultSimulation) {
  SimulateDefault();
  EXPECT_EQ(Curves().YMin, 0);
  EXPECT_EQ(Curves().YMax, 1e-4);
  const auto worlds = Of(Op::SetWorld);
  ASSERT_EQ(worlds.size(), 1u);
  EXPECT_EQ(worlds[0].a, 0.3);  // left
  EXPECT_EQ(worlds[0].b, 1e-4);
  EXPECT_EQ(worlds[0].c, -0.3);
  EXPECT_EQ(worlds[0].d, 0);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"I /A", "×1e-4", "0.0", "0.2", "0.4", "0.6", "0.8", "1.0",
                                      "-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3", "E /V"}));
  EXPECT_NEAR(Curves().Abscissa(121), -0.3, 1e-12);
  EXPECT_EQ(program->plot.state.XMin, -0.3);
  EXPECT_EQ(program->plot.state.XMax, 0.3);
}

TEST_F(Plot, CurveOneIsDrawnAsSquareMarkers) {
  SimulateDefault();
  // 121 markers and the frame; the ticks are lines.
  EXPECT_EQ(Of(Op::Rectangle).size(), 122u);
  const auto marker = Of(Op::Rectangle)[1];
  const double dx = 0.6, dy = 1e-4;
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

// Each label beside its tick: the labels with the cursor each was printed at.
struct Label {
  double x, y;
  std::string text;
  bool besideY;  // right-aligned and centred on its cursor: a label of the Y axis
};
std::vector<Label> Labels(const std::vector<DrawingList::Item>& items) {
  std::vector<Label> labels;
  double x = 0, y = 0;
  bool besideY = false;
  for (const auto& item : items) {
    if (item.op == Op::SetTextAnchor) {
      besideY = item.a == 1 && item.b == 0.5;
    } else if (item.op == Op::SetTextCursor) {
      x = item.a;
      y = item.b;
    } else if (item.op == Op::PrintText) {
      labels.push_back({x, y, item.text, besideY});
    }
  }
  return labels;
}

// A manual range is the frame itself, the world fitted to it: the labels lie in margins the
// window keeps for them, and the typed limits are no labels unless they are round.
TEST_F(Plot, ManualRangesGiveTheirOwnWindow) {
  SimulateDefault();
  Options().Click(Options().Yauto());
  EXPECT_TRUE(Options().YminText().Visible());
  Invoke("mnuPlot");
  const auto worlds = Of(Op::SetWorld);
  ASSERT_FALSE(worlds.empty());
  EXPECT_EQ(worlds[0].b, 1e-3);
  EXPECT_EQ(worlds[0].d, -1e-3);
  const auto margins = Of(Op::ReserveMargins);
  ASSERT_EQ(margins.size(), 1u);
  // -1e-3 .. 1e-3: 2e-4 would give ten intervals, 5e-4 four; the labels share 1e-3.
  EXPECT_EQ(margins[0].text, "×1e-3");
  const auto texts = Texts();
  const std::vector<std::string> y(texts.begin() + 2, texts.begin() + 7);
  EXPECT_EQ(y, (std::vector<std::string>{"-1.0", "-0.5", "0.0", "0.5", "1.0"}));
  // The zero line runs along the frame, not into the labels' margin (nor does the tick at 0).
  bool zeroLine = false;
  const double xMin = program->plot.state.XMin, xMax = program->plot.state.XMax;
  for (const auto& line : Of(Op::Line)) {
    if (line.b != 0 || line.d != 0) continue;
    EXPECT_GE(std::fmin(line.a, line.c), xMin);
    EXPECT_LE(std::fmax(line.a, line.c), xMax);
    zeroLine = zeroLine || (std::fmin(line.a, line.c) == xMin && std::fmax(line.a, line.c) == xMax);
  }
  EXPECT_TRUE(zeroLine);
  Options().Click(Options().Xauto());
  program->plot.formOption.Type(Options().XminText(), "0.1");
  program->plot.formOption.Type(Options().XmaxText(), "0.1");
  Invoke("mnuPlot");
  EXPECT_EQ(host.messages, std::vector<std::string>{"Error: No data!"});
  EXPECT_TRUE(Items().empty());
}

// Every label stands on its tick, whatever the range: a zoom away from zero, a range across it,
// one of large values. Ticks and labels by hand (the finest of 1, 2, 5 x 10^k giving at most
// seven intervals).
TEST_F(Plot, LabelsStandOnTheirTicks) {
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
  struct Case {
    const char *x0, *x1, *y0, *y1;
    std::vector<std::string> xLabels, yLabels;
    double yPower;
  };
  const Case cases[] = {
      // 0.2 V: steps of 0.05 (0.02 gives ten); 4e-5 A: steps of 1e-5 (5e-6 gives eight).
      {"0.05",
       "0.25",
       "2e-5",
       "6e-5",
       {"0.05", "0.10", "0.15", "0.20", "0.25"},
       {"2", "3", "4", "5", "6"},
       1e-5},
      // The ends of a zoom: 0.243 V wide, steps of 0.05 from 0 to 0.15; 1.6e-4 A wide, steps of
      // 5e-5 (2e-5 gives eight), -5e-5 to 5e-5 sharing 1e-5.
      {"-0.04417",
       "0.1988",
       "-6.3e-5",
       "9.7e-5",
       {"0.00", "0.05", "0.10", "0.15"},
       {"-5", "0", "5"},
       1e-5},
      // Ordinates of thousands: steps of 2000 (1000 gives 13).
      {"-0.3",
       "0.3",
       "-12345.6",
       "789.1",
       {"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3"},
       {"-12000", "-10000", "-8000", "-6000", "-4000", "-2000", "0"},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y0);
    zoom(c.x0, c.x1, c.y0, c.y1);
    std::vector<std::string> xs, ys;
    for (const Label& label : Labels(Items())) {
      const double value = std::strtod(label.text.c_str(), nullptr);
      const bool number =
          !label.text.empty() && label.text.find_first_not_of("-0123456789.") == std::string::npos;
      if (!number) continue;
      if (label.besideY) {
        ys.push_back(label.text);
        EXPECT_EQ(label.x, program->plot.state.XMax);  // the left edge on the window (X reversed)
        EXPECT_NEAR(value * c.yPower, label.y, 1e-12 * std::fabs(c.yPower));
      } else {
        xs.push_back(label.text);
        EXPECT_EQ(label.y, Curves().YMin);
        EXPECT_EQ(value, label.x);
      }
    }
    EXPECT_EQ(xs, c.xLabels);
    EXPECT_EQ(ys, c.yLabels);
  }
}

TEST_F(Plot, GridAndTicks) {
  SimulateDefault();
  const std::size_t withoutGrid = Of(Op::Line).size();
  EXPECT_EQ(withoutGrid, 7u + 6);  // a tick at each label: -0.3 .. 0.3 V, 0 .. 1e-4 A
  Options().Click(Options().CheckGrid());
  Invoke("mnuPlot");
  EXPECT_EQ(Of(Op::Line).size(), withoutGrid + 7 + 6);  // and a grid line
}

// A range ending near zero is ticked as any other (it used to ask for no tick and end the
// drawing): 0.34 V wide, steps of 0.05 V (0.02 gives 17).
TEST_F(Plot, ARangeEndingNearZeroIsTicked) {
  SimulateDefault();
  Options().Click(Options().Xauto());
  program->plot.formOption.Type(Options().XminText(), "-0.3");
  program->plot.formOption.Type(Options().XmaxText(), "0.04");
  Invoke("mnuPlot");
  EXPECT_TRUE(host.messages.empty());
  const auto texts = Texts();
  const std::vector<std::string> x(texts.end() - 8, texts.end() - 1);
  EXPECT_EQ(
      x, (std::vector<std::string>{"-0.30", "-0.25", "-0.20", "-0.15", "-0.10", "-0.05", "0.00"}));
}

// A curve of zeros (a species that is absent, no current) is data, not "no data": it lies on a
// unit range around zero, ticked at 0.5 (1 would give two intervals, 0.5 four).
TEST_F(Plot, ACurveOfZerosIsDrawn) {
  SimulateDefault();
  Curves().Ordinate.Fill(0);
  Invoke("mnuPlot");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(Curves().YMin, -1);
  EXPECT_EQ(Curves().YMax, 1);
}

// Log |I|: the magnitude on decades; a zero has no place and is left out, never drawn as NaN.
// The peak's 8.5e-5 A lies below 1e-4; the axis reaches down to the decade of the smallest
// magnitude, six decades beneath 1e-4 at most.
TEST_F(Plot, LogScaleSkipsZeros) {
  Analytical();
  Options().SetCheck(Options().overlap(), true);
  Invoke("mnuSimulate");  // curve 2 beside curve 1, which holds zeros only
  Options().SetCheck(Options().CheckLogY(), true);
  Invoke("mnuPlot");
  ASSERT_TRUE(host.messages.empty());
  EXPECT_EQ(Of(Op::Rectangle).size(), 1u);  // the frame: no marker of curve 1
  for (const auto& item : Items()) {
    EXPECT_TRUE(std::isfinite(item.a) && std::isfinite(item.b) && std::isfinite(item.c) &&
                std::isfinite(item.d));
  }
  double smallest = 1;
  for (int i = 1; i <= 121; ++i) {
    const double m = std::fabs(Curves().Ordinate(i, 2));
    if (m > 0) smallest = std::fmin(smallest, m);
  }
  const int bottom = std::max(static_cast<int>(std::floor(std::log10(smallest))), -10);
  std::vector<std::string> decades;
  for (int k = bottom; k <= -4; ++k) decades.push_back("1e" + std::to_string(k));
  const auto texts = Texts();
  EXPECT_EQ(texts[0], "|I| /A");
  const std::vector<std::string> y(texts.begin() + 1, texts.begin() + 1 + decades.size());
  EXPECT_EQ(y, decades);
  const auto worlds = Of(Op::SetWorld);
  EXPECT_EQ(worlds[0].b, -4);
  EXPECT_EQ(worlds[0].d, bottom);
  // The linear range stays what the peak search measures by.
  EXPECT_EQ(Curves().YMax, 1e-4);
  // A manual range of magnitudes shows its decades; one typed for the linear axis, symmetric
  // about zero, has none and the data's decades stay.
  Options().Click(Options().Yauto());
  Options().Type(Options().YminText(), "1e-6");
  Options().Type(Options().YmaxText(), "1e-3");
  Invoke("mnuPlot");
  EXPECT_EQ(Of(Op::SetWorld)[0].b, -3);
  EXPECT_EQ(Of(Op::SetWorld)[0].d, -6);
  Options().Type(Options().YminText(), "-1e-3");
  Invoke("mnuPlot");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(Of(Op::SetWorld)[0].d, bottom);
}

TEST_F(Plot, TypedTitlesReplaceTheAutomaticOnes) {
  SimulateDefault();
  Options().Type(Options().XTitle(), "Potential vs. Ag/AgCl /V");
  Options().Type(Options().YTitle(), "Current /A");
  Invoke("mnuPlot");
  auto texts = Texts();
  EXPECT_EQ(texts.front(), "Current /A");
  EXPECT_EQ(texts.back(), "Potential vs. Ag/AgCl /V");
  Options().Type(Options().XTitle(), "");
  Options().Type(Options().YTitle(), "");
  Invoke("mnuPlot");
  texts = Texts();
  EXPECT_EQ(texts.front(), "I /A");
  EXPECT_EQ(texts.back(), "E /V");
}

}  // namespace
}  // namespace vorex
