#include "readers/biologic_mpt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "reader_fixtures.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

using testing::HasNote;

std::string Decoded(const std::string& path) {
  return testing::DecodedFile(path);
}

MeasuredData Fixture(const std::string& name) {
  return ReadBiologicMpt(Decoded(std::string(VOREX_READER_DATA) + "/" + name));
}

ReadError ErrorOf(const std::string& name) {
  return testing::ErrorOf([&] { Fixture(name); });
}

// Values read off the text of the ixdat sample (lines 74, 121, 122 and 296; header lines 39-46).
TEST(BiologicMpt, ReadsTheRealSample) {
  const std::string text =
      Decoded(std::string(VOREX_INSTRUMENT_SAMPLES) + "/biologic-Pt_poly_cv_CUT.mpt");
  ASSERT_TRUE(LooksLikeBiologicMpt(text));
  const MeasuredData d = ReadBiologicMpt(text);
  EXPECT_EQ(d.format, "BioLogic EC-Lab .mpt");
  EXPECT_EQ(d.technique, "Cyclic Voltammetry Advanced");
  // The cycle number column runs 1..5 over 48, 52, 52, 52 and 19 rows.
  ASSERT_EQ(d.cycles.size(), 5u);
  EXPECT_EQ(d.cycles[0].number, 1);
  EXPECT_EQ(d.cycles[4].number, 5);
  EXPECT_EQ(d.cycles[0].potential.size(), 48u);
  EXPECT_EQ(d.cycles[4].potential.size(), 19u);
  // Line 74: Ewe 8,7869531E-001 V, control 8,7894440E-001 V, <I> -2,604324994466466E-003 mA,
  // which is anodic-negative, so +2.604e-6 A reduction positive.
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[0], 0.87869531);
  EXPECT_DOUBLE_EQ(d.cycles[0].applied[0], 0.8789444);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[0], 2.604324994466466e-6);
  // Line 121 ends cycle 1, line 122 starts cycle 2.
  EXPECT_DOUBLE_EQ(d.cycles[0].potential.back(), 0.99230069);
  EXPECT_DOUBLE_EQ(d.cycles[1].potential.front(), 0.93099779);
  // Line 296: <I> 1,777131863198953E-002 mA.
  EXPECT_DOUBLE_EQ(d.cycles[4].current.back(), -1.777131863198953e-5);
  // dE/dt 100,000 mV/s; E1 -0,030 V vs. Ref; area 0,001 cm²; Ei is set vs. Emeas.
  EXPECT_DOUBLE_EQ(*d.settings.scanRate, 0.1);
  EXPECT_DOUBLE_EQ(*d.settings.endPotential, -0.030);
  EXPECT_DOUBLE_EQ(*d.settings.area, 0.001);
  EXPECT_FALSE(d.settings.startPotential);
  EXPECT_TRUE(HasNote(d, "Ei (V) is set against Emeas"));
  EXPECT_TRUE(HasNote(d, "anodic current positive"));
}

TEST(BiologicMpt, RecognisesOnlyItsFirstLine) {
  EXPECT_TRUE(LooksLikeBiologicMpt("EC-Lab ASCII FILE\r\nNb header lines : 3\r\n"));
  EXPECT_FALSE(LooksLikeBiologicMpt("0.3,1e-5\n0.4,2e-5\n"));
  EXPECT_FALSE(LooksLikeBiologicMpt("EXPLAIN\nTAG\tCV\n"));
}

// biologic-decimal-comma.mpt: data and header written with decimal commas.
TEST(BiologicMpt, ReadsDecimalCommas) {
  const MeasuredData d = Fixture("biologic-decimal-comma.mpt");
  ASSERT_EQ(d.cycles.size(), 1u);
  ASSERT_EQ(d.cycles[0].potential.size(), 3u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[1], 0.15008);  // Ewe 1,5008000E-001
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], -1.25e-5);   // <I> 1,25...E-002 mA
  EXPECT_DOUBLE_EQ(*d.settings.startPotential, 0.1);    // Ei 0,100 vs. Ref
  EXPECT_DOUBLE_EQ(*d.settings.endPotential, 0.5);      // E1 0,500 vs. Ref
  EXPECT_DOUBLE_EQ(*d.settings.scanRate, 0.05);         // dE/dt 50,000 mV/s
  EXPECT_DOUBLE_EQ(*d.settings.area, 0.071);            // 0,071 cm²
}

// biologic-latin1.mpt and biologic-utf8.mpt hold the same text: <I>/µA and cm² in either code.
TEST(BiologicMpt, ReadsLatin1AndUtf8Alike) {
  for (const char* name : {"biologic-latin1.mpt", "biologic-utf8.mpt"}) {
    const MeasuredData d = Fixture(name);
    ASSERT_EQ(d.cycles.size(), 1u) << name;
    EXPECT_DOUBLE_EQ(d.cycles[0].current[0], -25e-6) << name;  // 2.5E+001 µA, negated
    EXPECT_DOUBLE_EQ(d.cycles[0].current[1], 7.5e-6) << name;  // -7.5E+000 µA
    EXPECT_DOUBLE_EQ(*d.settings.area, 0.071) << name;
  }
}

// biologic-milliamp.mpt: I/mA 1.5 and -0.32, Ewe/V 0.2487, control/V 0.25.
TEST(BiologicMpt, ConvertsMilliampsAndKeepsTheAppliedPotential) {
  const MeasuredData d = Fixture("biologic-milliamp.mpt");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[0], -1.5e-3);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], 0.32e-3);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[0], 0.2487);
  EXPECT_DOUBLE_EQ(d.cycles[0].applied[0], 0.25);
}

// biologic-cycles.mpt: cycle number 1, 1, 2, 2, 2, 3.
TEST(BiologicMpt, SplitsAtTheCycleNumberColumn) {
  const MeasuredData d = Fixture("biologic-cycles.mpt");
  ASSERT_EQ(d.cycles.size(), 3u);
  EXPECT_EQ(d.cycles[1].number, 2);
  EXPECT_EQ(d.cycles[1].potential.size(), 3u);
  EXPECT_DOUBLE_EQ(d.cycles[2].potential[0], 0.501);  // row 6: Ewe 0.1 * 5 + 0.001
}

// biologic-header-only.mpt: 21 header lines, then nothing.
TEST(BiologicMpt, RefusesAHeaderWithoutData) {
  const ReadError e = ErrorOf("biologic-header-only.mpt");
  EXPECT_EQ(e.format, "BioLogic EC-Lab .mpt");
  EXPECT_EQ(e.line, 22);
}

// biologic-truncated.mpt: the third row breaks off in its current, without a line end.
TEST(BiologicMpt, LeavesOutALastLineCutShort) {
  const MeasuredData d = Fixture("biologic-truncated.mpt");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_EQ(d.cycles[0].potential.size(), 2u);
  EXPECT_TRUE(HasNote(d, "The last line (line 24) is cut short"));
}

// biologic-unknown-columns.mpt: new and made-up columns, Ewe/V after <I>/mA.
TEST(BiologicMpt, PassesOverUnknownColumns) {
  const MeasuredData d = Fixture("biologic-unknown-columns.mpt");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[1], 0.41);
  EXPECT_DOUBLE_EQ(d.cycles[0].applied[1], 0.411);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], -2e-5);
}

// biologic-lsv.mpt: no cycle number column; dER/dt 0.020 V/s, EL -0.800 V, Ru 15 ohm.
TEST(BiologicMpt, ReadsALinearSweepWithoutCycleColumn) {
  const MeasuredData d = Fixture("biologic-lsv.mpt");
  EXPECT_EQ(d.technique, "Linear Sweep Voltammetry");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_EQ(d.cycles[0].number, 1);
  EXPECT_EQ(d.cycles[0].potential.size(), 8u);
  EXPECT_DOUBLE_EQ(*d.settings.scanRate, 0.02);
  EXPECT_DOUBLE_EQ(*d.settings.endPotential, -0.8);
  EXPECT_DOUBLE_EQ(*d.settings.ru, 15);
  EXPECT_DOUBLE_EQ(*d.settings.area, 0.196);
}

// biologic-missing-values.mpt: XXX as Ewe in row 2, as <I> in row 3, as cycle number in row 4.
TEST(BiologicMpt, LeavesOutRowsWithMissingValues) {
  const MeasuredData d = Fixture("biologic-missing-values.mpt");
  ASSERT_EQ(d.cycles.size(), 1u);
  ASSERT_EQ(d.cycles[0].potential.size(), 2u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[1], 0.1301);  // row 4 keeps cycle 1
  EXPECT_TRUE(HasNote(d, "2 rows lack a potential or current value"));
}

// biologic-minimal-header.mpt: "Nb header lines : 3", the titles on line 3.
TEST(BiologicMpt, ReadsTheThreeLineHeader) {
  const MeasuredData d = Fixture("biologic-minimal-header.mpt");
  EXPECT_EQ(d.technique, "");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], -2e-3);
  EXPECT_FALSE(d.settings.scanRate);
}

TEST(BiologicMpt, RefusesABrokenLineCount) {
  EXPECT_THROW(ReadBiologicMpt("EC-Lab ASCII FILE\nNb header lines : 99\nx\n"), ReadError);
  EXPECT_THROW(ReadBiologicMpt("EC-Lab ASCII FILE\nNb header lines : -5\n"), ReadError);
  EXPECT_THROW(ReadBiologicMpt("EC-Lab ASCII FILE\n"), ReadError);
  EXPECT_THROW(ReadBiologicMpt("EC-Lab ASCII FILE\nNb header lines : 3\ntime/s\tfoo/V\n1\t2\n"),
               ReadError);
}

}  // namespace
}  // namespace vorex
