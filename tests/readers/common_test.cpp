// What every reader stands on: decoding, locale-free numbers, cycles, the uniform step, and which
// format a file is taken for.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "reader_fixtures.h"
#include "readers/cycle_split.h"
#include "readers/instrument_file.h"
#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"
#include "readers/uniform_grid.h"

namespace vorex {
namespace {

using testing::FileBytes;

TEST(DecodeText, Utf16WithItsMarkLatin1AndUtf8AllBecomeUtf8) {
  // "µA" then U+1F600 as a surrogate pair (D83D DE00), little-endian, after the mark FF FE.
  const std::string utf16(
      "\xFF\xFE\xB5\x00"
      "A\x00\x3D\xD8\x00\xDE",
      10);
  EXPECT_EQ(DecodeText(utf16),
            "\xC2\xB5"
            "A\xF0\x9F\x98\x80");
  // Latin-1 "cm\xB2" (EC-Lab's cm²) and Windows-1252's euro sign 0x80.
  EXPECT_EQ(DecodeText("cm\xB2 \x80"), "cm\xC2\xB2 \xE2\x82\xAC");
  // Valid UTF-8 stays, its mark and a trailing U+FEFF go.
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                       "cm\xC2\xB2\xEF\xBB\xBF\r\n"),
            "cm\xC2\xB2\r\n");
}

TEST(LocaleNumbers, TheDecimalMarkIsTheFilesNotTheMachines) {
  EXPECT_EQ(ParseNumber("-0,25", true), -0.25);
  EXPECT_EQ(ParseNumber(" 4,320204396882385E+004 ", true), 43202.04396882385);
  EXPECT_EQ(ParseNumber("1.5e-3", false), 1.5e-3);
  EXPECT_FALSE(ParseNumber("1.000,5", true));  // a thousands point is not a number
  EXPECT_FALSE(ParseNumber("XXX", false));
  EXPECT_FALSE(ParseNumber("1e999", false));  // not finite
  EXPECT_FALSE(ParseNumber("", false));
  // Data lines decide: "0,1" reads only with the comma, "0.1" only with the point.
  EXPECT_TRUE(UsesDecimalComma({"0,1\t2,5E-006", "0,2\t3"}, '\t'));
  EXPECT_FALSE(UsesDecimalComma({"0.1\t2.5E-006", "2\t3"}, '\t'));
  EXPECT_FALSE(UsesDecimalComma({"1\t2"}, '\t'));  // integers say nothing
}

TEST(CycleSplit, ATriangleTwiceIsTwoCyclesAndNoiseIsNoTurn) {
  // 0 up to 4 and back to 0, twice, with a one-step wobble at 2 on the first way up.
  MeasuredCycle r;
  r.potential = {0, 1, 2, 1.9, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 0};
  r.current.assign(r.potential.size(), 1e-6);
  const std::vector<MeasuredCycle> cycles = SplitAtTurningPoints(r);
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(cycles[0].number, 1);
  EXPECT_EQ(cycles[1].number, 2);
  EXPECT_EQ(cycles[0].potential.size(), 10u);  // 0..4..0: ten points
  EXPECT_EQ(cycles[1].potential.front(), 1);
  EXPECT_EQ(cycles[1].potential.back(), 0);
}

TEST(UniformGrid, UniformStepsStayAndOthersAreInterpolatedOntoTheMedianStep) {
  // Steps of 0.01 V to within 0.5 %: kept as they are.
  const std::vector<double> e{0, 0.01, 0.02005, 0.03, 0.04};
  const std::vector<double> i{1, 2, 3, 4, 5};
  const UniformRecord kept = MakeUniform(e, i, 4000);
  EXPECT_FALSE(kept.resampled);
  EXPECT_EQ(kept.potential, e);
  // Steps 0.01, 0.02, 0.01, 0.01 (median 0.01) on I = 3 E + 1, a line: the interpolation is
  // exact, onto 0, 0.01, ..., 0.05.
  const std::vector<double> f{0, 0.01, 0.03, 0.04, 0.05};
  std::vector<double> j;
  for (double x : f) j.push_back(3 * x + 1);
  const UniformRecord u = MakeUniform(f, j, 4000);
  ASSERT_TRUE(u.resampled);
  ASSERT_EQ(u.potential.size(), 6u);
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_NEAR(u.potential[k], 0.01 * static_cast<double>(k), 1e-15);
    EXPECT_NEAR(u.current[k], 3 * u.potential[k] + 1, 1e-14);
  }
  EXPECT_DOUBLE_EQ(u.smallestStep, 0.01);
  EXPECT_DOUBLE_EQ(u.largestStep, 0.02);
}

TEST(UniformGrid, AStrayPotentialThatWouldAskForTooManyPointsIsCountedNotResampled) {
  // Twenty-one points 0 .. 0.2 V in 0.01 V steps and a glitch at 100 V: the median step stays
  // 0.01 V, so the grid would run 0 .. 100 V, 10001 points, more than the limit of 4000.
  std::vector<double> e, i;
  for (int k = 0; k <= 20; ++k) e.push_back(0.01 * k), i.push_back(1);
  e.push_back(100), i.push_back(1);
  const UniformRecord far = MakeUniform(e, i, 4000);
  EXPECT_TRUE(far.potential.empty() && far.current.empty());
  EXPECT_NEAR(far.pointCount, 10001, 1);
  // A glitch at 1e300 V: the count overflows every integer and is still reported, not allocated.
  e.back() = 1e300;
  const UniformRecord huge = MakeUniform(e, i, 4000);
  EXPECT_TRUE(huge.potential.empty());
  EXPECT_GT(huge.pointCount, 1e300);
}

TEST(RecogniseFormat, EachFileIsTakenForItsOwnFormatAndPairsForNone) {
  const std::string data = VOREX_READER_DATA, samples = VOREX_INSTRUMENT_SAMPLES;
  const std::pair<std::string, InstrumentFormat> files[] = {
      {data + "/chi-cv-cycles.txt", InstrumentFormat::ChInstruments},
      {data + "/nova-cv-scans.txt", InstrumentFormat::AutolabNova},
      {data + "/ivium-cv.txt", InstrumentFormat::Ivium},
      {data + "/palmsens-cv-3scans.csv", InstrumentFormat::PalmSensCsv},
      {data + "/palmsens-utf16.csv", InstrumentFormat::PalmSensCsv},
      {data + "/palmsens-cv-2scans.pssession", InstrumentFormat::PalmSensSession},
      {data + "/gamry-cycle-column.dta", InstrumentFormat::GamryDta},
      {samples + "/biologic-Pt_poly_cv_CUT.mpt", InstrumentFormat::BiologicMpt},
      {samples + "/gamry-cv_data.dta", InstrumentFormat::GamryDta},
  };
  for (const auto& [file, format] : files) {
    EXPECT_EQ(RecogniseFormat(DecodeText(FileBytes(file))), format) << file;
  }
  // Import Data's own pairs stay plain pairs; under a title line, or in more columns than two,
  // numbers are a text table.
  EXPECT_EQ(RecogniseFormat("0.3,1e-5\r\n0.29,2e-5\r\n"), InstrumentFormat::None);
  EXPECT_EQ(RecogniseFormat("0,3\t1,5\n"), InstrumentFormat::None);
  EXPECT_EQ(RecogniseFormat("Potential (V),Current (A)\n0.3,1e-5\n"), InstrumentFormat::TextTable);
  EXPECT_EQ(RecogniseFormat("1 0.3 1e-5\n2 0.29 2e-5\n"), InstrumentFormat::TextTable);
}

}  // namespace
}  // namespace vorex
