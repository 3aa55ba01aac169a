#include "readers/gamry_dta.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "reader_fixtures.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

std::string Decoded(const std::string& path) {
  return testing::DecodedFile(path);
}

MeasuredData Sample(const std::string& name) {
  return ReadGamryDta(Decoded(std::string(VOREX_INSTRUMENT_SAMPLES) + "/" + name));
}

MeasuredData Fixture(const std::string& name) {
  return ReadGamryDta(Decoded(std::string(VOREX_READER_DATA) + "/" + name));
}

using testing::ErrorOf;
using testing::HasNote;

// Values read off the text of gamry-parser's cv_data.dta: CURVE1..CURVE5, ten rows each, no
// CONVENTION row.
TEST(GamryDta, ReadsTheRealCyclicVoltammogram) {
  const std::string text = Decoded(std::string(VOREX_INSTRUMENT_SAMPLES) + "/gamry-cv_data.dta");
  ASSERT_TRUE(LooksLikeGamryDta(text));
  const MeasuredData d = ReadGamryDta(text);
  EXPECT_EQ(d.format, "Gamry .DTA");
  EXPECT_EQ(d.technique, "CV");
  ASSERT_EQ(d.cycles.size(), 5u);
  EXPECT_EQ(d.cycles[0].number, 1);
  EXPECT_EQ(d.cycles[4].number, 5);
  EXPECT_EQ(d.cycles[2].potential.size(), 10u);
  // CURVE1, Pt 0: Vf 4.9E-001, Sig 5.00000E-001, Im 7.80498E-009 (anodic positive assumed).
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[0], 0.49);
  EXPECT_DOUBLE_EQ(d.cycles[0].applied[0], 0.5);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[0], -7.80498e-9);
  // CURVE5, Pt 49: Vf 8.89001E-001, Im 2.62272E-007.
  EXPECT_DOUBLE_EQ(d.cycles[4].potential.back(), 0.889001);
  EXPECT_DOUBLE_EQ(d.cycles[4].current.back(), -2.62272e-7);
  // VLIMIT1 1.00000E-001 V; SCANRATE 1.23456E+000 mV/s.
  EXPECT_DOUBLE_EQ(*d.settings.endPotential, 0.1);
  EXPECT_DOUBLE_EQ(*d.settings.scanRate, 1.23456e-3);
  EXPECT_TRUE(HasNote(d, "does not state its current convention"));
}

// gamry-parser's squarewave_data.dta: CONVENTION 0, CURVE TABLE 251 with ten rows, then
// EXPERIMENTABORTED T; CR LF line ends.
TEST(GamryDta, ReadsTheRealSquareWaveAsVstepAndIdif) {
  const MeasuredData d = Sample("gamry-squarewave_data.dta");
  EXPECT_EQ(d.technique, "SQUARE_WAVE");
  ASSERT_EQ(d.cycles.size(), 1u);
  ASSERT_EQ(d.cycles[0].potential.size(), 10u);
  EXPECT_TRUE(d.cycles[0].applied.empty());
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[0], 6.02416e-3);  // Vstep, Pt 0
  EXPECT_DOUBLE_EQ(d.cycles[0].current[0], 1.92826e-6);    // Idif, Pt 0, kept as it is
  EXPECT_DOUBLE_EQ(d.cycles[0].current[9], -4.02055e-7);   // Idif, Pt 9
  EXPECT_TRUE(HasNote(d, "Table CURVE announces 251 points; 10 follow (the run was aborted)."));
  EXPECT_TRUE(HasNote(d, "Vstep as the potential and Idif"));
  EXPECT_TRUE(HasNote(d, "CONVENTION 0"));
  // VINIT 0, VFINAL -0.5 V, STEPSIZE 2 mV, FREQUENCY 100 Hz, PULSESIZE 25 mV, PULSEON 0.01 s,
  // AREA 1 cm^2; IRCOMP 0, so PFCOR 50 ohm is not a compensated resistance.
  const MeasuredSettings& s = d.settings;
  EXPECT_DOUBLE_EQ(*s.startPotential, 0);
  EXPECT_DOUBLE_EQ(*s.endPotential, -0.5);
  EXPECT_DOUBLE_EQ(*s.potentialStep, 0.002);
  EXPECT_DOUBLE_EQ(*s.frequency, 100);
  EXPECT_DOUBLE_EQ(*s.pulseHeight, 0.025);
  EXPECT_DOUBLE_EQ(*s.pulseWidth, 0.01);
  EXPECT_DOUBLE_EQ(*s.area, 1);
  EXPECT_FALSE(s.ru);
}

TEST(GamryDta, RefusesTheRealChronoamperometry) {
  const ReadError e = ErrorOf([] { Sample("gamry-chronoa_data.dta"); });
  EXPECT_EQ(e.format, "Gamry .DTA");
  EXPECT_EQ(e.line, 2);  // TAG CHRONOA
  EXPECT_EQ(e.reason, "the file holds a chronoamperometry (no potential axis), not a voltammogram");
}

// cv_data_incompleteheader.dta ends after its 19th line, in the header.
TEST(GamryDta, RefusesTheRealHeaderCutShort) {
  const ReadError e = ErrorOf([] { Sample("gamry-cv_data_incompleteheader.dta"); });
  EXPECT_EQ(e.line, 20);
}

TEST(GamryDta, RecognisesOnlyExplainAndTag) {
  EXPECT_TRUE(LooksLikeGamryDta("EXPLAIN\r\nTAG\tCV\r\n"));
  EXPECT_FALSE(LooksLikeGamryDta("0.3,1e-5\n0.4,2e-5\n"));
  EXPECT_FALSE(LooksLikeGamryDta("EXPLAIN\n"));
}

// gamry-cycle-column.dta: one CURVE, Cycle 0, 0, 1, 1, 2, 2, CONVENTION 1; the settings rows.
TEST(GamryDta, NumbersCyclesFromTheCycleColumn) {
  const MeasuredData d = Fixture("gamry-cycle-column.dta");
  ASSERT_EQ(d.cycles.size(), 3u);
  EXPECT_EQ(d.cycles[0].number, 0);
  EXPECT_EQ(d.cycles[2].number, 2);
  EXPECT_DOUBLE_EQ(d.cycles[1].potential[0], 0.499);  // Pt 2: Vf 4.99000E-001
  EXPECT_DOUBLE_EQ(d.cycles[1].applied[0], 0.5);      // Sig 5.00000E-001
  EXPECT_DOUBLE_EQ(d.cycles[1].current[0], -3e-6);    // Im 3.00000E-006, anodic positive
  EXPECT_TRUE(HasNote(d, "numbered from 0"));
  const MeasuredSettings& s = d.settings;
  EXPECT_DOUBLE_EQ(*s.startPotential, 0);     // VINIT 0 V
  EXPECT_DOUBLE_EQ(*s.endPotential, 0.5);     // VLIMIT1 0.5 V
  EXPECT_DOUBLE_EQ(*s.scanRate, 0.1);         // 100 mV/s
  EXPECT_DOUBLE_EQ(*s.potentialStep, 0.002);  // 2 mV
  EXPECT_DOUBLE_EQ(*s.area, 0.0707);
  EXPECT_DOUBLE_EQ(*s.ru, 25);  // IRCOMP 1, PFCOR 25 ohm
}

// gamry-convention-0.dta and -1.dta hold the same points, Im 5.00000E-007 first.
TEST(GamryDta, FollowsTheCurrentConvention) {
  const MeasuredData zero = Fixture("gamry-convention-0.dta");
  const MeasuredData one = Fixture("gamry-convention-1.dta");
  EXPECT_DOUBLE_EQ(zero.cycles[0].current[0], 5e-7);
  EXPECT_DOUBLE_EQ(one.cycles[0].current[0], -5e-7);
  EXPECT_TRUE(HasNote(one, "The file counts anodic current positive"));
}

// gamry-decimal-comma.dta: comma data and settings beside a dotted version and a 20.4.2023 date.
TEST(GamryDta, ReadsDecimalCommas) {
  const MeasuredData d = Fixture("gamry-decimal-comma.dta");
  ASSERT_EQ(d.cycles.size(), 1u);
  ASSERT_EQ(d.cycles[0].potential.size(), 2u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[1], 0.12);   // 1,20000E-001
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], -2.5e-6);  // 2,50000E-006
  EXPECT_DOUBLE_EQ(*d.settings.scanRate, 0.1);        // 1,00000E+002 mV/s
  EXPECT_DOUBLE_EQ(*d.settings.area, 0.0707);         // 7,07000E-002 cm^2
}

// gamry-aborted.dta: EXPERIMENTABORTED T before CURVE TABLE 200, which holds three rows.
TEST(GamryDta, GivesWhatAnAbortedRunRecorded) {
  const MeasuredData d = Fixture("gamry-aborted.dta");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_EQ(d.cycles[0].potential.size(), 3u);
  EXPECT_TRUE(HasNote(d, "Table CURVE announces 200 points; 3 follow (the run was aborted)."));
}

// gamry-truncated.dta: CURVE TABLE 4; the fourth row (line 29) breaks off, without a line end.
TEST(GamryDta, LeavesOutALastLineCutShort) {
  const MeasuredData d = Fixture("gamry-truncated.dta");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_EQ(d.cycles[0].potential.size(), 3u);
  EXPECT_TRUE(HasNote(d, "The last line (line 29) is cut short"));
  EXPECT_TRUE(HasNote(d, "announces 4 points; 3 follow (the file is cut short)"));
}

// gamry-unknown-columns.dta: Im before Vf, new columns Q and NEWCOL, a NEWKEY row.
TEST(GamryDta, PassesOverUnknownColumnsAndKeys) {
  const MeasuredData d = Fixture("gamry-unknown-columns.dta");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[1], 0.21);
  EXPECT_DOUBLE_EQ(d.cycles[0].current[1], 4e-6);  // Im -4.00000E-006, anodic positive
}

// gamry-header-only.dta: CURVE TABLE 10 with its title and units rows (lines 24, 25) only.
TEST(GamryDta, RefusesATableWithoutRows) {
  const ReadError e = ErrorOf([] { Fixture("gamry-header-only.dta"); });
  EXPECT_EQ(e.line, 26);
}

// gamry-ocvcurve.dta: an OCVCURVE table, then CURVE with the points of the convention files.
TEST(GamryDta, SkipsTheOpenCircuitTable) {
  const MeasuredData d = Fixture("gamry-ocvcurve.dta");
  ASSERT_EQ(d.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(d.cycles[0].potential[0], 0.1);
}

}  // namespace
}  // namespace vorex
