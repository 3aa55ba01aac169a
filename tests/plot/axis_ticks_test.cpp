#include "plot/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace vorex {
namespace {

using Texts = std::vector<std::string>;

// The value a label stands for: its number times the shared power of ten, if any.
double LabelValue(const std::string& label, const std::string& power) {
  const double shown = std::strtod(label.c_str(), nullptr);
  if (power.empty()) return shown;
  return shown * std::pow(10.0, std::stod(power.substr(power.find("1e") + 2)));
}

std::size_t Decimals(const std::string& label) {
  const std::size_t point = label.find('.');
  return point == std::string::npos ? 0 : label.size() - point - 1;
}

// Steps by hand: the finest of 1, 2, 5 x 10^k giving at most seven intervals over the span.
TEST(AxisTicks, RangesByHand) {
  // The default sweep, 0.6 V wide: 0.05 V gives 12 intervals, 0.1 V six.
  AxisTicks t = TicksWithin(-0.3, 0.3);
  EXPECT_EQ(t.mantissa, 1);
  EXPECT_EQ(t.exponent, -1);
  ASSERT_EQ(t.count, 7);
  EXPECT_EQ(LabelTicks(t).texts, (Texts{"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3"}));
  EXPECT_EQ(LabelTicks(TicksWithin(0.3, -0.3)).texts, LabelTicks(t).texts);  // either order

  // A peak of 9.32e-5 A from rest: 1e-5 gives 9.3 intervals, 2e-5 gives 4.7; the range ends on
  // the tick above the peak, 1e-4, and the labels share its power of ten.
  t = TicksAround(0, 9.32e-5);
  EXPECT_EQ(t.mantissa, 2);
  EXPECT_EQ(t.exponent, -5);
  EXPECT_EQ(t.At(0), 0);
  EXPECT_EQ(t.Last(), 1e-4);
  TickLabels labels = LabelTicks(t);
  EXPECT_EQ(labels.texts, (Texts{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  EXPECT_EQ(labels.power, "×1e-4");

  // Overlapped curves from -1e-5 to 1.3e-4 A: 2e-5 gives exactly seven intervals; the range
  // widens to the ticks -2e-5 and 1.4e-4 around the data, not to whole decades.
  t = TicksAround(-1e-5, 1.3e-4);
  EXPECT_EQ(t.Step(), 2e-5);
  EXPECT_EQ(t.At(0), -2e-5);
  EXPECT_EQ(t.Last(), 1.4e-4);

  // A zoom dragged from 0.1988 V to -0.04417 V: 0.02 gives 12 intervals, 0.05 gives 4.9; the
  // ticks inside are 0 to 0.15, all with two decimals.
  labels = LabelTicks(TicksWithin(0.1988, -0.04417));
  EXPECT_EQ(labels.texts, (Texts{"0.00", "0.05", "0.10", "0.15"}));
  EXPECT_TRUE(labels.power.empty());

  // Large values share a power of ten too: 2.5e5 in steps of 5e4.
  labels = LabelTicks(TicksWithin(0, 250000));
  EXPECT_EQ(labels.texts, (Texts{"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"}));
  EXPECT_EQ(labels.power, "×1e5");
}

// Decades: whole steps only, coarser where many decades are shown (20 decades: 5 each).
TEST(AxisTicks, Decades) {
  AxisTicks t = WholeTicksWithin(-7.3, -2.6);
  EXPECT_EQ(t.Step(), 1);
  ASSERT_EQ(t.count, 5);  // -7 .. -3
  EXPECT_EQ(t.At(0), -7);
  EXPECT_EQ(DecadeLabel(t.At(0)), "1e-7");
  EXPECT_EQ(DecadeLabel(t.Last()), "1e-3");
  t = WholeTicksWithin(-20, 0);
  EXPECT_EQ(t.Step(), 5);
  EXPECT_EQ(t.count, 5);
}

// Nothing to tick: an empty or unbounded range, or one too narrow for its distance from zero.
TEST(AxisTicks, RangesWithoutTicks) {
  EXPECT_EQ(TicksWithin(1, 1).count, 0);
  EXPECT_EQ(TicksWithin(0, std::numeric_limits<double>::infinity()).count, 0);
  EXPECT_EQ(TicksWithin(0, std::nan("")).count, 0);
  EXPECT_EQ(TicksAround(1, 1 + 1e-15).count, 0);
  EXPECT_TRUE(LabelTicks(AxisTicks{}).texts.empty());
}

// For ranges of every size and sign: the step is 1, 2 or 5 x 10^k, each tick a whole multiple
// of it inside the range, five or so per axis, and each label reads back as its tick's position
// (exactly, for plain decimals).
TEST(AxisTicks, LabelsStandOnTheirTicks) {
  const double ranges[][2] = {{-0.3, 0.3},       {0.1988, -0.04417}, {-1.234e-5, 9.87e-5},
                              {2e-5, 6e-5},      {-6e-5, -2e-5},     {0.0123, 0.0456},
                              {-12345.6, 789.1}, {1e-9, 3.7e-9},     {0.999, 1.001},
                              {-0.0123456, 0},   {3, 1234567},       {-2.5e-12, 2.5e-12}};
  for (const auto& r : ranges) {
    for (const AxisTicks& t : {TicksWithin(r[0], r[1]), TicksAround(r[0], r[1])}) {
      SCOPED_TRACE(std::to_string(r[0]) + " .. " + std::to_string(r[1]));
      EXPECT_TRUE(t.mantissa == 1 || t.mantissa == 2 || t.mantissa == 5);
      EXPECT_DOUBLE_EQ(t.Step(), t.mantissa * std::pow(10.0, t.exponent));
      ASSERT_GE(t.count, 2);
      EXPECT_LE(t.count, 9);
      const TickLabels labels = LabelTicks(t);
      ASSERT_EQ(labels.texts.size(), static_cast<std::size_t>(t.count));
      for (int k = 0; k < t.count; ++k) {
        const double units = t.At(k) / t.Step();
        EXPECT_NEAR(units, std::round(units), 1e-9);
        const double value = LabelValue(labels.texts[k], labels.power);
        if (labels.power.empty()) {
          EXPECT_EQ(value, t.At(k)) << labels.texts[k];
        } else {
          EXPECT_NEAR(value, t.At(k), 1e-12 * std::fabs(t.Step())) << labels.texts[k];
        }
        if (k > 0) {
          EXPECT_NEAR(t.At(k) - t.At(k - 1), t.Step(), 1e-9 * t.Step());
        }
      }
      for (const std::string& text : labels.texts) {  // the same decimals throughout
        EXPECT_EQ(Decimals(text), Decimals(labels.texts[0])) << text;
      }
    }
    const AxisTicks inside = TicksWithin(r[0], r[1]), around = TicksAround(r[0], r[1]);
    const double low = std::fmin(r[0], r[1]), high = std::fmax(r[0], r[1]);
    EXPECT_GE(inside.At(0), low);
    EXPECT_LE(inside.Last(), high);
    EXPECT_LE(around.At(0), low);
    EXPECT_GT(around.At(0), low - around.Step());
    EXPECT_GE(around.Last(), high);
    EXPECT_LT(around.Last(), high + around.Step());
  }
}

}  // namespace
}  // namespace vorex
