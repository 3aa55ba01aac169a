#include "base/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "base/number_text.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

TEST(FormatGeneral, FixedFormHasNoZeroBeforeThePoint) {
  EXPECT_EQ(FormatGeneral(0.5), " .5 ");
  EXPECT_EQ(FormatGeneral(-0.028), "-.028 ");
  EXPECT_EQ(FormatGeneral(0.0001), " .0001 ");
  EXPECT_EQ(FormatGeneral(1.0), " 1 ");
  EXPECT_EQ(FormatGeneral(-3.0), "-3 ");
  EXPECT_EQ(FormatGeneral(123.25), " 123.25 ");
  EXPECT_EQ(FormatGeneral(100000000000000.0), " 100000000000000 ");
}

TEST(FormatGeneral, ZeroOfEitherSignIsPlain) {
  EXPECT_EQ(FormatGeneral(0.0), " 0 ");
  EXPECT_EQ(FormatGeneral(-0.0), " 0 ");
}

TEST(FormatGeneral, ExponentFormBelowTenToTheMinusFourAndFromTenToTheFifteen) {
  EXPECT_EQ(FormatGeneral(1.5e-5), " 1.5E-05 ");
  EXPECT_EQ(FormatGeneral(3.12345678901234e-05), " 3.12345678901234E-05 ");
  EXPECT_EQ(FormatGeneral(1e15), " 1E+15 ");
  EXPECT_EQ(FormatGeneral(-2.5e-7), "-2.5E-07 ");
  EXPECT_EQ(FormatGeneral(1e300), " 1E+300 ");
  EXPECT_EQ(FormatGeneral(4.9406564584124654e-324), " 4.94065645841247E-324 ");
}

TEST(FormatGeneral, RoundsToFifteenDigitsBeforeChoosingTheForm) {
  // 9.9999999999999995e-5 rounds to 1.00000000000000e-4: fixed, not exponent form.
  EXPECT_EQ(FormatGeneral(9.9999999999999995e-5), " .0001 ");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2), " .3 ");
  EXPECT_EQ(FormatGeneral(999999999999999.9), " 1E+15 ");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), " .333333333333333 ");
}

TEST(FormatGeneral, SingleHasSevenDigits) {
  EXPECT_EQ(FormatGeneralSingle(1.0f / 3.0f), " .3333333 ");
  EXPECT_EQ(FormatGeneralSingle(12.5f), " 12.5 ");
  EXPECT_EQ(FormatGeneralSingle(1e7f), " 1E+07 ");
}

TEST(FormatGeneral, NeverAssignedPrintsNothing) {
  EXPECT_EQ(FormatGeneral(std::optional<double>()), "");
  EXPECT_EQ(FormatGeneral(std::optional<double>(2.0)), " 2 ");
}

// The 15 significant digits every format starts from are the correctly rounded ones, as the
// standard library's own 15-digit rounding of the double gives them: checked on random doubles
// of every magnitude and on doubles next to a tie of the 16th digit, where the rounding must look
// at the double itself.
TEST(FormatPattern, FifteenDigitsAreTheCorrectlyRoundedOnes) {
  const auto expected = [](double v) {
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    std::string text(buffer, r.ptr);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    const int exponent = std::stoi(text.substr(e + 1));
    return mantissa + "e" + (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
  };
  std::mt19937_64 random(20261207);
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v) || v == 0) continue;
    ASSERT_EQ(FormatPattern(v, "0.##############e-#"), expected(v)) << bits;
    ++checked;
  }
  EXPECT_GT(checked, 190000);
  for (int i = 0; i < 20000; ++i) {
    // d.dddddddddddddd5 x 10^k, read to the nearest double: just above or below the tie.
    std::string text = std::to_string(1 + random() % 9) + ".";
    for (int k = 0; k < 14; ++k) text += static_cast<char>('0' + random() % 10);
    text += "5e" + std::to_string(static_cast<int>(random() % 600) - 300);
    const double v = std::stod(text);
    ASSERT_EQ(FormatPattern(v, "0.##############e-#"), expected(v)) << text;
  }
}

TEST(FormatPattern, ScientificWithTrimmedDecimals) {
  EXPECT_EQ(FormatPattern(0.25, "0.##e-0"), "2.5e-1");
  EXPECT_EQ(FormatPattern(1000, "#.###e-#"), "1e3");
  EXPECT_EQ(FormatPattern(0.001234, "0.###e-#"), "1.234e-3");
  EXPECT_EQ(FormatPattern(150, "0.###e-#"), "1.5e2");
  EXPECT_EQ(FormatPattern(3.5e-5, "0.#E-0"), "3.5E-5");
  EXPECT_EQ(FormatPattern(2, "0.#E-0"), "2E0");
  EXPECT_EQ(FormatPattern(1, "0.##e-0"), "1e0");
  EXPECT_EQ(FormatPattern(-0.0123, "0.###e-#"), "-1.23e-2");
  EXPECT_EQ(FormatPattern(0, "0.###e-#"), "0e0");
}

TEST(FormatPattern, RoundsHalfAwayFromZeroAndCarriesIntoTheExponent) {
  EXPECT_EQ(FormatPattern(9.9961e-4, "0.###e-#"), "9.996e-4");
  EXPECT_EQ(FormatPattern(9.9996, "0.###e-#"), "1e1");  // carry makes a new digit
  EXPECT_EQ(FormatPattern(9.96, "0.#E-0"), "1E1");
  EXPECT_EQ(FormatPattern(1.25, "0.#E-0"), "1.3E0");  // half goes away from zero
  EXPECT_EQ(FormatPattern(-1.25, "0.#E-0"), "-1.3E0");
  EXPECT_EQ(FormatPattern(1.15, "0.#E-0"), "1.2E0");  // decimal half, not binary
  EXPECT_EQ(FormatPattern(1.2345e-300, "0.###e-#"), "1.235e-300");
  EXPECT_EQ(FormatPattern(1.7976931348623157e308, "0.##e-0"), "1.8e308");
}

TEST(FormatShortest, ReadsBackToTheSameDouble) {
  EXPECT_EQ(FormatShortest(0.5), "0.5");
  EXPECT_EQ(FormatShortest(0.05), "0.05");
  EXPECT_EQ(FormatShortest(0.005 / 0.01), "0.5");
  EXPECT_EQ(FormatShortest(0.0), "0");
  EXPECT_EQ(FormatShortest(1000), "1000");
  EXPECT_EQ(FormatShortest(-0.3), "-0.3");
  EXPECT_EQ(FormatShortest(1e-5), "1e-05");
  EXPECT_EQ(FormatShortest(1e20), "1e+20");
  for (double x : {0.3, 1e-7, 123456789.125, -2.5e-300, 0.02}) {
    EXPECT_EQ(NumericPrefix(FormatShortest(x)), x) << FormatShortest(x);
  }
}

TEST(FormatShortest, NeverWritesMoreThanFifteenDigits) {
  EXPECT_EQ(FormatShortest(0.005 / 0.1), "0.05");  // 0.049999999999999996
  EXPECT_EQ(FormatShortest(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatShortest(1.0 / 3.0), "0.333333333333333");
}

// A potential to a tenth of a millivolt and a current to four digits, trailing zeros kept since
// they say how fine the reading is; rounding by hand.
TEST(FormatDecimals, KeepsExactlyTheDecimalsAskedFor) {
  EXPECT_EQ(FormatDecimals(0.155, 4), "0.1550");
  EXPECT_EQ(FormatDecimals(-0.123456, 4), "-0.1235");
  EXPECT_EQ(FormatDecimals(2, 4), "2.0000");
  EXPECT_EQ(FormatDecimals(-0.00001, 4), "0.0000");  // no "-0.0000"
}

TEST(FormatSignificant, WritesTheExponentAsTheGeneralFormatDoes) {
  EXPECT_EQ(FormatSignificant(1e-5, 4), "1.000E-05");
  EXPECT_EQ(FormatSignificant(-0.000123456, 4), "-1.235E-04");
  EXPECT_EQ(FormatSignificant(0.8, 4), "8.000E-01");
  EXPECT_EQ(FormatSignificant(99999, 4), "1.000E+05");
}

// An infinity or a NaN has no text: printed as 0 it would be a plainly wrong result.
TEST(NumberFormats, NoFormatWritesAValueThatIsNotFinite) {
  for (const double bad :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(FormatGeneral(bad), RuntimeFault);
    EXPECT_THROW(FormatGeneralSingle(static_cast<float>(bad)), RuntimeFault);
    EXPECT_THROW(FormatPattern(bad, "0.###e-#"), RuntimeFault);
    EXPECT_THROW(FormatShortest(bad), RuntimeFault);
    EXPECT_THROW(FormatCoordinate(bad), RuntimeFault);
    EXPECT_THROW(FormatDecimals(bad, 4), RuntimeFault);
    EXPECT_THROW(FormatSignificant(bad, 4), RuntimeFault);
  }
  try {
    FormatGeneral(std::numeric_limits<double>::infinity());
  } catch (const RuntimeFault& fault) {
    EXPECT_EQ(fault.Description(), "Overflow");
  }
}

}  // namespace
}  // namespace vorex
