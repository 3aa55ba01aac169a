#include "curves/csv_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/started_program.h"

namespace vorex {
namespace {

std::string Corpus(const char* name) {
  return std::string(VOREX_TEST_DATA) + "/csv/" + name;
}

using Files = testing::StartedProgram;

TEST(CsvPairs, EveryQuirkOfOtherProgramsReadsAsTheSamePairs) {
  for (const char* name : {"blank_lines.csv", "bom_crlf.csv", "tabs.csv", "no_final_newline.csv"}) {
    std::string error;
    std::ifstream in(Corpus(name), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const CsvPairs pairs = ParseCsvPairs(text);
    EXPECT_EQ(pairs.error, "") << name;
    EXPECT_EQ(pairs.x, (std::vector<double>{0.3, 0.295})) << name;
    EXPECT_EQ(pairs.y, (std::vector<double>{1e-6, 2e-6})) << name;
  }
  const CsvPairs exported = ParseCsvPairs(" .3 , 1E-06 \r\n .295 ,-2.5E-06 \r\n");
  EXPECT_EQ(exported.y, (std::vector<double>{1e-6, -2.5e-6}));
}

// A spreadsheet in a European locale writes "0,3" for 0.3 and parts its fields with tabs or
// semicolons; where a comma can only be a decimal comma it is read as one, and where a number
// could be read two ways the line is refused rather than guessed.
TEST(CsvPairs, DecimalCommasInLinesPartedByTabsOrSemicolons) {
  struct Case {
    const char* text;
    std::vector<double> x, y;
  } cases[] = {
      {"0,3\t1,5\n", {0.3}, {1.5}},
      {"0,3;1,5e-6\r\n0,295;2\r\n", {0.3, 0.295}, {1.5e-6, 2}},
      {"0.3;1.5\n2,5;3\n", {0.3, 2.5}, {1.5, 3}},  // each line by its own commas
      {"0.3,\t1.5\n", {0.3}, {1.5}},               // a comma before a tab parts two numbers
      {"0,3 1,5\n", {0, 1}, {3, 5}},               // no tab or semicolon: commas part numbers
  };
  for (const Case& c : cases) {
    const CsvPairs pairs = ParseCsvPairs(c.text);
    EXPECT_EQ(pairs.error, "") << c.text;
    EXPECT_EQ(pairs.x, c.x) << c.text;
    EXPECT_EQ(pairs.y, c.y) << c.text;
  }
  EXPECT_EQ(ParseCsvPairs("0,3\t1\n0,29\t1,000,5\n").error,
            "line 2 is ambiguous: \"1,000,5\" is not one number written with a decimal comma");
  EXPECT_EQ(ParseCsvPairs("0,3;1.000,5\n").error,
            "line 1 is ambiguous: \"1.000,5\" is not one number written with a decimal comma");
  EXPECT_EQ(ParseCsvPairs("0,3\t1.5\n").error,
            "line 1 is ambiguous: \"1.5\" is not one number written with a decimal comma");
}

TEST_F(Files, AFileThatReadsCompletelyBecomesTheNextCurve) {
  ASSERT_TRUE(Import(Corpus("no_final_newline.csv")));
  EXPECT_EQ(Curves().PointCount, 2);
  EXPECT_EQ(Curves().LastPoint, 2);
  EXPECT_EQ(Curves().Ordinate(2, 1), 2e-6);
  EXPECT_EQ(program->formResult.Lines(),
            (std::vector<std::string>{"Number of data point =  2 ", "E step =  .005 "}));
  // The fields follow the measurement, as typed: start, step and the drop time with them.
  EXPECT_EQ(Expr().Estart().Text(), "0.3");
  EXPECT_EQ(Expr().Estep().Text(), "0.005");
  EXPECT_EQ(Expr().td().Text(), "0.5");
  EXPECT_TRUE(Menu("mnuData").Enabled());
}

TEST_F(Files, OnePairImportsWithTheStepOfWhatFollowsIt) {
  host.fileAnswers.push_back(Corpus("one_pair.csv"));
  Invoke("mnuImport");
  EXPECT_EQ(host.messages, std::vector<std::string>{"Error: No data!"});  // one point: no range
  EXPECT_EQ(Curves().PointCount, 1);
  EXPECT_EQ(program->formResult.Lines()[1], "E step =  .3 ");  // |0 - 0.3| in a fresh store
}

TEST_F(Files, AFailedImportChangesNothing) {
  ASSERT_TRUE(Import(Corpus("blank_lines.csv")));
  const double before = Curves().Ordinate(2, 1);
  struct Case {
    std::string file;
    const char* reason;
  } cases[] = {
      {Corpus("half_pair.csv"), "ReadData Error: the file ends in the middle of a pair"},
      {Corpus("text_token.csv"), "ReadData Error: unreadable number \"abc\" on line 2"},
      {Corpus("missing.csv"), "ReadData Error: file not found: "},
      {"/dev/zero", "ReadData Error: /dev/zero is a character device, not a data file"},
      // Potentials of +-1e308 are numbers, but the step between them is not.
      {Corpus("overflowing_step.csv"),
       "ReadData Error: Overflow: the step between the first two potentials is too large"}};
  for (const Case& c : cases) {
    host.messages.clear();
    host.fileAnswers.push_back(c.file);
    Invoke("mnuImport");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].substr(0, std::string(c.reason).size()), c.reason);
    EXPECT_EQ(Curves().PointCount, 2);
    EXPECT_EQ(Curves().Ordinate(2, 1), before);
    EXPECT_EQ(Expr().Estart().Text(), "0.3");
  }
}

TEST_F(Files, FourThousandPairsFitAndMoreAreThinnedToFit) {
  for (int pairs : {4000, 4001}) {
    const auto file = Temp("many.csv");
    {
      std::ofstream out(file);
      for (int i = 0; i < pairs; ++i) out << 0.001 * i << "," << i << "\n";
    }
    program->formResult.Clear();
    ASSERT_TRUE(Import(file.string())) << pairs;
    if (pairs == 4000) {
      EXPECT_EQ(Curves().PointCount, 4000);
      EXPECT_EQ(Curves().Ordinate(4000, 1), 3999.0);
      continue;
    }
    // 0 to 4 V in 1 mV steps with I = 1000 E: every 2nd point is 2001 points in 2 mV steps,
    // point j at 0.002 (j - 1) V carrying 2 (j - 1), the last one the file's own.
    EXPECT_EQ(Curves().PointCount, 2001);
    EXPECT_EQ(Curves().Abscissa(2001), 4.0);
    EXPECT_EQ(Curves().Ordinate(2001, 1), 4000.0);
    for (int j : {2, 1001, 2000}) {
      EXPECT_NEAR(Curves().Abscissa(j), 0.002 * (j - 1), 1e-12);
      EXPECT_NEAR(Curves().Ordinate(j, 1), 2.0 * (j - 1), 1e-9);
    }
    const std::vector<std::string> lines = program->formResult.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "4001 points thinned to 2001 (every 2nd point, vertices kept): the store "
                        "holds at most 4000."),
              lines.end());
    EXPECT_EQ(Expr().Estep().Text(), "0.002");
    EXPECT_EQ(Expr().Eend().Text(), "4");
  }
}

}  // namespace
}  // namespace vorex
