// The CH Instruments, Autolab NOVA and Ivium text readers against small fixtures written by hand
// from the formats' published layout (no licensed samples exist). Each expected number is read
// off the fixture's text; the comment beside it names the line.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "reader_fixtures.h"
#include "readers/autolab_nova.h"
#include "readers/ch_instruments.h"
#include "readers/instrument_file.h"
#include "readers/ivium_text.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

using testing::HasNote;

std::string RawFixture(const std::string& name) {
  return testing::FileBytes(std::string(VOREX_READER_DATA) + "/" + name);
}

std::string Fixture(const std::string& name) {
  return DecodeText(RawFixture(name));
}

ReadError ErrorOf(const std::function<MeasuredData(std::string_view)>& read,
                  const std::string& text) {
  return testing::ErrorOf([&] { read(text); });
}

TEST(ChInstruments, CyclicVoltammogramIsCutIntoTheAnnouncedCycles) {
  const std::string text = Fixture("chi-cv-cycles.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::ChInstruments);
  const MeasuredData data = ReadChInstruments(text);
  EXPECT_EQ(data.format, "CH Instruments text export");
  EXPECT_EQ(data.technique, "Cyclic Voltammetry");
  // Header: Init E -0.2, Init P/N = P so the first turn is High E 0.2, 0.1 V/s, interval 0.05.
  EXPECT_DOUBLE_EQ(*data.settings.startPotential, -0.2);
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, 0.2);
  EXPECT_DOUBLE_EQ(*data.settings.scanRate, 0.1);
  EXPECT_DOUBLE_EQ(*data.settings.potentialStep, 0.05);
  // Segment = 4: 33 rows, -0.2 -> 0.2 -> -0.2 (17 rows), then -0.15 -> 0.2 -> -0.2 (16 rows).
  ASSERT_EQ(data.cycles.size(), 2u);
  const MeasuredCycle& first = data.cycles[0];
  const MeasuredCycle& second = data.cycles[1];
  EXPECT_EQ(first.number, 1);
  EXPECT_EQ(second.number, 2);
  ASSERT_EQ(first.potential.size(), 17u);
  ASSERT_EQ(second.potential.size(), 16u);
  EXPECT_TRUE(first.applied.empty());
  // Rows "-0.200, 1.000e-07", "-0.200, 1.700e-06", "-0.150, 1.800e-06": currents kept as written.
  EXPECT_DOUBLE_EQ(first.potential[0], -0.2);
  EXPECT_DOUBLE_EQ(first.current[0], 1e-7);
  EXPECT_DOUBLE_EQ(first.potential[16], -0.2);
  EXPECT_DOUBLE_EQ(first.current[16], 1.7e-6);
  EXPECT_DOUBLE_EQ(second.potential[0], -0.15);
  EXPECT_DOUBLE_EQ(second.current[0], 1.8e-6);
  EXPECT_TRUE(HasNote(data, "cathodic current positive"));
}

TEST(ChInstruments, AnAbortedCyclicRunSaysHowManyCyclesAreMissing) {
  // The same file stopped after its 12th row ("0.050, 1.200e-06"): the sweep out and part of the
  // way back, one cycle where "Segment = 4" announces two.
  const std::string whole = Fixture("chi-cv-cycles.txt");
  const MeasuredData data = ReadChInstruments(whole.substr(0, whole.find("0.000, 1.300e-06")));
  ASSERT_EQ(data.cycles.size(), 1u);
  EXPECT_EQ(data.cycles[0].potential.size(), 12u);
  EXPECT_TRUE(HasNote(data, "announces 4 segments (2 cycles); the table holds 1"));
}

TEST(ChInstruments, TabSeparatedDecimalCommaCopyWithPulseSettings) {
  const std::string text = Fixture("chi-dpv-decimal-comma.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::ChInstruments);
  const MeasuredData data = ReadChInstruments(text);
  EXPECT_EQ(data.technique, "Differential Pulse Voltammetry");
  // "Init E (V) = -0,3", "Final E (V) = 0,3", "Incr E (V) = 0,004", "Amplitude (V) = 0,05",
  // "Pulse Width (sec) = 0,05", "Comp R (ohm) = 120".
  EXPECT_DOUBLE_EQ(*data.settings.startPotential, -0.3);
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, 0.3);
  EXPECT_DOUBLE_EQ(*data.settings.potentialStep, 0.004);
  EXPECT_DOUBLE_EQ(*data.settings.pulseHeight, 0.05);
  EXPECT_DOUBLE_EQ(*data.settings.pulseWidth, 0.05);
  EXPECT_DOUBLE_EQ(*data.settings.ru, 120);
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].potential.size(), 5u);
  // Second row "-0,296<TAB>1,310e-7".
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[1], -0.296);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[1], 1.31e-7);
}

TEST(ChInstruments, SquareWaveReadsTheDifferenceCurrent) {
  const MeasuredData data = ReadChInstruments(Fixture("chi-swv-difference.txt"));
  // Rows "0.000, 1.000e-7, 3.000e-7, 2.000e-7" and "-0.012, 1.450e-7, ...": the Diff column.
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].current.size(), 4u);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[0], 1e-7);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[3], -0.012);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[3], 1.45e-7);
  // "Frequency (Hz) = 15", "Amplitude (V) = 0.025", "Final E (V) = -0.5".
  EXPECT_DOUBLE_EQ(*data.settings.frequency, 15);
  EXPECT_DOUBLE_EQ(*data.settings.pulseHeight, 0.025);
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, -0.5);
  EXPECT_TRUE(HasNote(data, "Diff(i/A)"));
}

TEST(ChInstruments, CrLfLineEnds) {
  const std::string raw = RawFixture("chi-lsv-crlf.txt");
  ASSERT_NE(raw.find("\r\n"), std::string::npos);  // the fixture kept its line ends
  const MeasuredData data = ReadChInstruments(DecodeText(raw));
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].potential.size(), 6u);
  // Last row "0.500, -2.200e-6"; "UC R (ohm) = 85"; "Final E (V) = 0.5".
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[5], 0.5);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[5], -2.2e-6);
  EXPECT_DOUBLE_EQ(*data.settings.ru, 85);
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, 0.5);
}

TEST(ChInstruments, HeaderOnlyAndTimeAxisAreRefusedWithTheirLine) {
  // Column titles on line 16, data expected from line 17.
  const ReadError empty = ErrorOf(ReadChInstruments, Fixture("chi-header-only.txt"));
  EXPECT_EQ(empty.format, "CH Instruments text export");
  EXPECT_EQ(empty.line, 17);
  // "Time/sec, Potential/V" on line 17.
  const ReadError timeAxis = ErrorOf(ReadChInstruments, Fixture("chi-cp-no-potential-axis.txt"));
  EXPECT_EQ(timeAxis.line, 17);
  EXPECT_NE(timeAxis.reason.find("no potential axis"), std::string::npos) << timeAxis.reason;
  EXPECT_NE(timeAxis.reason.find("Chronopotentiometry"), std::string::npos) << timeAxis.reason;
}

TEST(AutolabNova, ScansBecomeCyclesWithMeasuredAndAppliedPotential) {
  const std::string text = Fixture("nova-cv-scans.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::AutolabNova);
  const MeasuredData data = ReadAutolabNova(text);
  EXPECT_EQ(data.format, "Metrohm Autolab NOVA ASCII export");
  ASSERT_EQ(data.cycles.size(), 2u);
  EXPECT_EQ(data.cycles[0].number, 1);
  EXPECT_EQ(data.cycles[1].number, 2);
  ASSERT_EQ(data.cycles[0].potential.size(), 8u);
  ASSERT_EQ(data.cycles[1].potential.size(), 8u);
  // Row 1 "-0.2000;0.00;-1.0000E-06;-0.2010;1;1": measured -0.201, applied -0.2, current negated.
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[0], -0.201);
  EXPECT_DOUBLE_EQ(data.cycles[0].applied[0], -0.2);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[0], 1e-6);
  // Row 12 "0.1000;1.10;1.6200E-06;0.0990;2;12".
  EXPECT_DOUBLE_EQ(data.cycles[1].potential[3], 0.099);
  EXPECT_DOUBLE_EQ(data.cycles[1].current[3], -1.62e-6);
  EXPECT_TRUE(HasNote(data, "negated"));
}

TEST(AutolabNova, TabSeparatedDecimalCommaWithAppliedPotentialOnly) {
  const std::string text = Fixture("nova-decimal-comma.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::AutolabNova);
  const MeasuredData data = ReadAutolabNova(text);
  ASSERT_EQ(data.cycles.size(), 1u);
  const MeasuredCycle& c = data.cycles[0];
  ASSERT_EQ(c.potential.size(), 4u);
  EXPECT_TRUE(c.applied.empty());
  // Rows "-0,2<TAB>-1,5E-06<TAB>1" and "0,1<TAB>1,25E-06<TAB>1".
  EXPECT_DOUBLE_EQ(c.potential[0], -0.2);
  EXPECT_DOUBLE_EQ(c.current[0], 1.5e-6);
  EXPECT_DOUBLE_EQ(c.potential[3], 0.1);
  EXPECT_DOUBLE_EQ(c.current[3], -1.25e-6);
}

TEST(AutolabNova, MicroampereCurrentIsConvertedToAmpere) {
  const std::string text = Fixture("nova-microamp.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::AutolabNova);
  const MeasuredData data = ReadAutolabNova(text);
  ASSERT_EQ(data.cycles.size(), 1u);
  // "WE(1).Current (µA)", last row "0.030,2.50,0.0301,1".
  EXPECT_DOUBLE_EQ(data.cycles[0].current[3], -2.5e-6);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[3], 0.0301);
  EXPECT_DOUBLE_EQ(data.cycles[0].applied[3], 0.03);
}

TEST(AutolabNova, UnknownColumnsAreIgnoredAndNoScanColumnMeansTurningPoints) {
  const MeasuredData data = ReadAutolabNova(Fixture("nova-unknown-columns.txt"));
  // A one-way sweep of 5 rows: one cycle. Row 5 "5;0.08;0.04;-1.6E-06;...;0.0401".
  ASSERT_EQ(data.cycles.size(), 1u);
  EXPECT_EQ(data.cycles[0].number, 1);
  ASSERT_EQ(data.cycles[0].potential.size(), 5u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[4], 0.0401);
  EXPECT_DOUBLE_EQ(data.cycles[0].applied[4], 0.04);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[4], 1.6e-6);
  EXPECT_TRUE(HasNote(data, "no Scan column"));
}

// NOVA writes the procedure's settings as columns filled on the first row only; here they come
// ahead of the signals, "Start potential (V)" first (nova-procedure-columns.txt, written by
// make_measured_cycles.py: two scans 0 V -> 0.6 V -> -0.2 V -> 0 V on NOVA's converter step of
// 2.44140625 mV, 2 x (246 + 328 + 82) = 1312 steps, 1313 rows).
TEST(AutolabNova, ProcedureColumnsFilledOnTheFirstRowOnlyAreSettingsNotSignals) {
  const std::string path = std::string(VOREX_READER_DATA) + "/nova-procedure-columns.txt";
  const std::string text = Fixture("nova-procedure-columns.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::AutolabNova);
  const MeasuredData data = ReadAutolabNova(text);
  ASSERT_EQ(data.cycles.size(), 2u);
  // Scan 1 is rows 1..656; the row back at 0 V after its 656th step opens scan 2.
  EXPECT_EQ(data.cycles[0].potential.size(), 656u);
  EXPECT_EQ(data.cycles[1].potential.size(), 657u);
  // Every row's WE(1).Potential (field 11) and WE(1).Current (field 10, negated), in order.
  const std::vector<double> measured = testing::FixtureColumn(path, ';', 1, 10);
  const std::vector<double> current = testing::FixtureColumn(path, ';', 1, 9);
  std::vector<double> e = data.cycles[0].potential, i = data.cycles[0].current;
  e.insert(e.end(), data.cycles[1].potential.begin(), data.cycles[1].potential.end());
  i.insert(i.end(), data.cycles[1].current.begin(), data.cycles[1].current.end());
  ASSERT_EQ(e.size(), measured.size());
  for (std::size_t k = 0; k < e.size(); ++k) {
    ASSERT_EQ(e[k], measured[k]) << k;
    ASSERT_EQ(i[k], -current[k]) << k;
  }
  // Row 1 "0;0.6;-0.2;0;4;0.00244;0.1;...": the settings NOVA states, not signals.
  EXPECT_EQ(data.settings.startPotential, 0.0);
  EXPECT_EQ(data.settings.potentialStep, 0.00244);
  EXPECT_EQ(data.settings.scanRate, 0.1);
  EXPECT_TRUE(HasNote(data, "7 columns hold a value on the first row only"));
  EXPECT_TRUE(HasNote(data, "\"Start potential (V)\""));
}

TEST(AutolabNova, HeaderOnlyAndImpedanceAreRefused) {
  const ReadError empty = ErrorOf(ReadAutolabNova, Fixture("nova-header-only.txt"));
  EXPECT_EQ(empty.format, "Metrohm Autolab NOVA ASCII export");
  EXPECT_EQ(empty.line, 2);
  const std::string eis = Fixture("nova-eis-no-potential-axis.txt");
  EXPECT_FALSE(LooksLikeAutolabNova(eis));
  EXPECT_EQ(ErrorOf(ReadAutolabNova, eis).line, 1);
}

TEST(Ivium, ExtraLastColumnIsTheMeasuredPotential) {
  const std::string text = Fixture("ivium-cv.txt");
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::Ivium);
  const MeasuredData data = ReadIvium(text);
  EXPECT_EQ(data.format, "Ivium text export");
  // -0.1 -> 0.3 -> -0.1: one sweep out and back, 17 rows.
  ASSERT_EQ(data.cycles.size(), 1u);
  const MeasuredCycle& c = data.cycles[0];
  ASSERT_EQ(c.potential.size(), 17u);
  // First row "0.0 -0.100 -8.00E-07 -0.0997", turn "4.0 0.300 0.00E+00 0.3003", last row
  // "8.0 -0.100 8.00E-07 -0.0997".
  EXPECT_DOUBLE_EQ(c.potential[0], -0.0997);
  EXPECT_DOUBLE_EQ(c.applied[0], -0.1);
  EXPECT_DOUBLE_EQ(c.current[0], 8e-7);
  EXPECT_DOUBLE_EQ(c.potential[8], 0.3003);
  EXPECT_DOUBLE_EQ(c.current[16], -8e-7);
  EXPECT_TRUE(HasNote(data, "negated"));
  EXPECT_TRUE(HasNote(data, "measured potential"));
}

TEST(Ivium, TruncatedLastLineIsLeftOutWithANote) {
  const MeasuredData data = ReadIvium(Fixture("ivium-truncated.txt"));
  // Rows on lines 3 to 6; line 7 "2.0 0.20" breaks off.
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].potential.size(), 4u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[3], 0.1503);
  EXPECT_TRUE(HasNote(data, "line 7")) << data.notes.back();
}

TEST(Ivium, CrLfLineEndsAndRowsWithoutTheExtraColumn) {
  const std::string raw = RawFixture("ivium-crlf.txt");
  ASSERT_NE(raw.find("\r\n"), std::string::npos);
  const MeasuredData crlf = ReadIvium(DecodeText(raw));
  ASSERT_EQ(crlf.cycles.size(), 1u);
  ASSERT_EQ(crlf.cycles[0].potential.size(), 3u);
  // Last row "1.0 -0.100 -4.00E-07 -0.1001".
  EXPECT_DOUBLE_EQ(crlf.cycles[0].potential[2], -0.1001);
  EXPECT_DOUBLE_EQ(crlf.cycles[0].current[2], 4e-7);

  const MeasuredData plain = ReadIvium(Fixture("ivium-no-extra-column.txt"));
  ASSERT_EQ(plain.cycles.size(), 1u);
  EXPECT_TRUE(plain.cycles[0].applied.empty());
  // Last row "1.0 0.300 -2.00E-07".
  EXPECT_DOUBLE_EQ(plain.cycles[0].potential[2], 0.3);
  EXPECT_DOUBLE_EQ(plain.cycles[0].current[2], 2e-7);
  EXPECT_FALSE(HasNote(plain, "measured potential"));
}

TEST(Ivium, HeaderOnlyIsRefusedAtTheFirstDataLine) {
  const ReadError error = ErrorOf(ReadIvium, Fixture("ivium-header-only.txt"));
  EXPECT_EQ(error.format, "Ivium text export");
  EXPECT_EQ(error.line, 3);
}

TEST(ChNovaIvium, PlainNumbersAndGenericTablesAreNotClaimed) {
  for (const std::string text :
       {"0.3,1e-5\n0.4,2e-5\n", "0.3;1e-5\n0.4;2e-5\n", "0.3\t1e-5\n", "E/V I/A\n0.1 2e-6\n",
        "Potential (V),Current (A)\n0.1,2e-6\n", "Potential/V, Current/A\n0.1, 2e-6\n"}) {
    EXPECT_FALSE(LooksLikeChInstruments(text)) << text;
    EXPECT_FALSE(LooksLikeAutolabNova(text)) << text;
    EXPECT_FALSE(LooksLikeIvium(text)) << text;
  }
}

// Every fixture cut short at every byte: the reader gives complete cycles or a ReadError, never
// anything else.
TEST(ChNovaIvium, EveryFixtureCutAnywhereReadsOrFailsCleanly) {
  const std::pair<const char*, MeasuredData (*)(std::string_view)> cases[] = {
      {"chi-cv-cycles.txt", ReadChInstruments},
      {"chi-dpv-decimal-comma.txt", ReadChInstruments},
      {"chi-swv-difference.txt", ReadChInstruments},
      {"nova-cv-scans.txt", ReadAutolabNova},
      {"nova-microamp.txt", ReadAutolabNova},
      {"ivium-cv.txt", ReadIvium}};
  for (const auto& [name, read] : cases) {
    const std::string text = Fixture(name);
    for (std::size_t length = 0; length <= text.size(); ++length) {
      try {
        const MeasuredData data = read(std::string_view(text).substr(0, length));
        ASSERT_FALSE(data.cycles.empty()) << name << " cut at " << length;
        for (const MeasuredCycle& c : data.cycles) {
          ASSERT_FALSE(c.potential.empty());
          ASSERT_EQ(c.potential.size(), c.current.size());
          ASSERT_TRUE(c.applied.empty() || c.applied.size() == c.potential.size());
        }
      } catch (const ReadError&) {
      }
    }
  }
}

}  // namespace
}  // namespace vorex
