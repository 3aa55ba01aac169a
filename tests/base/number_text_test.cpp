#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

TEST(NumericPrefix, ReadsTheLongestNumberAfterLeadingBlanks) {
  EXPECT_EQ(NumericPrefix("0.3"), 0.3);
  EXPECT_EQ(NumericPrefix("   -0.3"), -0.3);
  EXPECT_EQ(NumericPrefix("+5"), 5.0);
  EXPECT_EQ(NumericPrefix("1e-5"), 1e-5);
  EXPECT_EQ(NumericPrefix("1E4"), 1e4);
  EXPECT_EQ(NumericPrefix("2.5e+2"), 250.0);
  EXPECT_EQ(NumericPrefix(".5"), 0.5);
  EXPECT_EQ(NumericPrefix("5."), 5.0);
}

TEST(NumericPrefix, IgnoresWhatFollowsThePrefix) {
  EXPECT_EQ(NumericPrefix("0.3V"), 0.3);
  EXPECT_EQ(NumericPrefix("1,5"), 1.0);  // the decimal separator is always "."
  EXPECT_EQ(NumericPrefix("1e"), 1.0);   // an exponent letter without digits is not read
  EXPECT_EQ(NumericPrefix("1e+"), 1.0);
  EXPECT_EQ(NumericPrefix("2.5.7"), 2.5);
  EXPECT_EQ(NumericPrefix("7 8"), 7.0);
  EXPECT_EQ(NumericPrefix("3e2x"), 300.0);
}

TEST(NumericPrefix, NoPrefixGivesZero) {
  EXPECT_EQ(NumericPrefix(""), 0.0);
  EXPECT_EQ(NumericPrefix("."), 0.0);
  EXPECT_EQ(NumericPrefix("abc"), 0.0);
  EXPECT_EQ(NumericPrefix("-"), 0.0);
  EXPECT_EQ(NumericPrefix("e5"), 0.0);
  EXPECT_EQ(NumericPrefix("x1"), 0.0);  // only blanks are skipped
}

TEST(NumericPrefix, HugeNumbersOverflowAndTinyOnesReadAsZero) {
  EXPECT_THROW(NumericPrefix("1e400"), RuntimeFault);
  EXPECT_THROW(NumericPrefix("-99999e99999"), RuntimeFault);
  EXPECT_EQ(NumericPrefix("1e-400"), 0.0);
  EXPECT_EQ(NumericPrefix("0.00001e-320"), 0.0);
  EXPECT_EQ(NumericPrefix("0e99999"), 0.0);
  EXPECT_EQ(NumericPrefix("1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST(StrictNumber, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(StrictNumber("0.005"), 0.005);
  EXPECT_EQ(StrictNumber("  -0.01  "), -0.01);
  EXPECT_EQ(StrictNumber("1e-3"), 1e-3);
  EXPECT_EQ(StrictNumber("5."), 5.0);
  EXPECT_EQ(StrictNumber(".5"), 0.5);
  EXPECT_FALSE(StrictNumber("0.3V"));
  EXPECT_FALSE(StrictNumber("1,5"));
  EXPECT_FALSE(StrictNumber("1e"));
  EXPECT_FALSE(StrictNumber("."));
  EXPECT_FALSE(StrictNumber(""));
  EXPECT_FALSE(StrictNumber("   "));
  EXPECT_FALSE(StrictNumber("1 2"));
  EXPECT_FALSE(StrictNumber("1e999"));
}

}  // namespace
}  // namespace vorex
