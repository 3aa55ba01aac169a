#include "base/checked_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

std::string FaultOf(auto&& f) {
  try {
    f();
  } catch (const RuntimeFault& fault) {
    return fault.Description();
  }
  return "";
}

TEST(CheckedMath, RaisesTheFaultThatNamesWhatWentWrong) {
  EXPECT_EQ(FaultOf([] { CheckedDivide(1, 0); }), "Division by zero");
  EXPECT_EQ(FaultOf([] { CheckedDivide(0, 0); }), "Division by zero");
  EXPECT_EQ(FaultOf([] { CheckedDivide(1e300, 1e-300); }), "Overflow");
  EXPECT_EQ(FaultOf([] { CheckedExp(710); }), "Overflow");
  EXPECT_EQ(FaultOf([] { CheckedLog(0); }), "Invalid procedure call or argument");
  EXPECT_EQ(FaultOf([] { CheckedLog(-1); }), "Invalid procedure call or argument");
  EXPECT_EQ(FaultOf([] { CheckedSqrt(-1e-300); }), "Invalid procedure call or argument");
  EXPECT_EQ(FaultOf([] { CheckedPow(-8, 1.0 / 3.0); }), "Invalid procedure call or argument");
  EXPECT_EQ(FaultOf([] { CheckedPow(0, -1); }), "Division by zero");
  EXPECT_EQ(FaultOf([] { CheckedPow(10, 400); }), "Overflow");
  EXPECT_EQ(FaultOf([] { Finite(std::numeric_limits<double>::quiet_NaN()); }), "Overflow");
}

TEST(ToInt16, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(ToInt16(0.5), 0);
  EXPECT_EQ(ToInt16(1.5), 2);
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(2.6), 3);
}

TEST(ToInt16, OverflowsOutsideSixteenBits) {
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(-32768.5), -32768);  // -32768.5 rounds to the even -32768
  EXPECT_EQ(FaultOf([] { ToInt16(32767.5); }), "Overflow");
  EXPECT_EQ(FaultOf([] { ToInt16(-32769); }), "Overflow");
  EXPECT_EQ(FaultOf([] { ToInt16(std::numeric_limits<double>::infinity()); }), "Overflow");
}

}  // namespace
}  // namespace vorex
