#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "reader_fixtures.h"
#include "readers/instrument_file.h"
#include "readers/json_value.h"
#include "readers/palmsens_csv.h"
#include "readers/palmsens_session.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

using testing::HasNote;

std::string Bytes(const std::string& name) {
  return testing::FileBytes(std::string(VOREX_READER_DATA) + "/" + name);
}

MeasuredData Read(const std::string& name) {
  const std::string text = DecodeText(Bytes(name));
  return ReadInstrumentText(RecogniseFormat(text), text);
}

ReadError Refusal(const std::string& name) {
  return testing::ErrorOf([&] { Read(name); });
}

TEST(JsonValue, EscapesSurrogatesAndCaseInsensitiveKeys) {
  // U+00B5 is C2 B5 in UTF-8; the pair D83D DE00 is U+1F600, F0 9F 98 80.
  const JsonValue v = ParseJson(
      "{\"Text\":\"\\u00b5\\ud83d\\ude00\\n\\/\",\"List\":[1,-0.5e-3,true,null]} \n\xEF\xBB\xBF");
  ASSERT_NE(v.Find("text"), nullptr);
  EXPECT_EQ(v.Find("TEXT")->string, "\xC2\xB5\xF0\x9F\x98\x80\n/");
  const JsonValue& list = *v.Find("list");
  ASSERT_EQ(list.array.size(), 4u);
  EXPECT_DOUBLE_EQ(list.array[1].number, -0.5e-3);
  EXPECT_TRUE(list.array[2].boolean);
  EXPECT_EQ(list.array[3].kind, JsonValue::Kind::Null);
}

TEST(JsonValue, FaultsNameTheirLine) {
  const auto line = [](const std::string& text) {
    try {
      ParseJson(text);
    } catch (const ReadError& error) {
      EXPECT_EQ(error.format, "JSON");
      return error.line;
    }
    return -1;
  };
  EXPECT_EQ(line("{\n\"a\": 1,\n\"b\": tru }"), 3);
  EXPECT_EQ(line("{} x"), 1);
  EXPECT_EQ(line("[01]"), 1);
  EXPECT_EQ(line("[1e999]"), 1);
  EXPECT_EQ(line("[\"a\tb\"]"), 1);  // a raw tab inside a string
  EXPECT_EQ(line("[1,2"), 1);
  EXPECT_EQ(line(std::string(100000, '[')), 1);  // nesting limit, not a stack overflow
  EXPECT_EQ(line(std::string(64, '[') + std::string(64, ']')), -1);
}

TEST(JsonValue, PrefixOfACutTextKeepsWhatIsComplete) {
  // The number at the end may have lost digits: its member goes, the open containers close.
  bool cut = false;
  const JsonValue v = ParseJsonPrefix("{\"a\":[1,2,{\"V\":3,\"S\":[0],\"T\":4", cut);
  EXPECT_TRUE(cut);
  const JsonValue& a = *v.Find("a");
  ASSERT_EQ(a.array.size(), 3u);
  EXPECT_EQ(a.array[2].object.size(), 2u);
  // A container cut before anything in it was complete goes too.
  EXPECT_EQ(ParseJsonPrefix("[1,[2", cut).array.size(), 1u);
}

// Recognised by content; plain number pairs are not claimed.
TEST(PalmSens, RecognisedByContentOnly) {
  EXPECT_FALSE(LooksLikePalmSensCsv("0.3,1e-5\n0.4,2e-5\n"));
  EXPECT_FALSE(LooksLikePalmSensSession("0.3,1e-5\n0.4,2e-5\n"));
  for (const char* name : {"palmsens-cv-3scans.csv", "palmsens-single-curve.csv",
                           "palmsens-utf16.csv", "palmsens-eis.csv"}) {
    EXPECT_EQ(RecogniseFormat(DecodeText(Bytes(name))), InstrumentFormat::PalmSensCsv) << name;
  }
  for (const char* name : {"palmsens-cv-2scans.pssession", "palmsens-dpv-5.0.pssession",
                           "palmsens-unknown-keys.pssession"}) {
    EXPECT_EQ(RecogniseFormat(DecodeText(Bytes(name))), InstrumentFormat::PalmSensSession) << name;
  }
}

TEST(PalmSensCsv, ThreeScansOfDifferentLengths) {
  // The fixture: scans of 5, 4 and 2 rows in µA, ragged rows, stray commas, no final line end.
  const MeasuredData data = Read("palmsens-cv-3scans.csv");
  EXPECT_EQ(data.format, "PalmSens PSTrace .csv");
  EXPECT_EQ(data.technique, "Cyclic Voltammetry");
  ASSERT_EQ(data.cycles.size(), 3u);
  EXPECT_EQ(data.cycles[0].number, 1);
  EXPECT_EQ(data.cycles[2].number, 3);
  EXPECT_EQ(data.cycles[0].potential.size(), 5u);
  EXPECT_EQ(data.cycles[1].potential.size(), 4u);
  EXPECT_EQ(data.cycles[2].potential.size(), 2u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[4], 0.2);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[2], 3.25e-6);   // -3.250 µA, anodic positive
  EXPECT_DOUBLE_EQ(data.cycles[1].current[3], 4.5e-6);    // -4.500 µA
  EXPECT_DOUBLE_EQ(data.cycles[2].current[1], -0.75e-6);  // 0.750 µA
  EXPECT_TRUE(HasNote(data, "negated to reduction positive"));
  EXPECT_TRUE(HasNote(data, "no technique parameters"));
}

TEST(PalmSensCsv, SingleCurveWithoutScanNumber) {
  const MeasuredData data = Read("palmsens-single-curve.csv");
  EXPECT_EQ(data.technique, "Linear Sweep Voltammetry");
  ASSERT_EQ(data.cycles.size(), 1u);
  EXPECT_EQ(data.cycles[0].number, 1);
  ASSERT_EQ(data.cycles[0].current.size(), 3u);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[2], -0.5e-6);  // 0.500 µA
}

TEST(PalmSensCsv, Utf16BytesWithByteOrderMark) {
  // The fixture's bytes are UTF-16LE after FF FE, with CR LF and the µ as B5 00.
  const MeasuredData data = Read("palmsens-utf16.csv");
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].current.size(), 2u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[1], 0.505);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[1], 12.5e-6);  // -12.500 µA
}

TEST(PalmSensCsv, TruncatedAndUnknownColumns) {
  const MeasuredData cut = Read("palmsens-truncated.csv");  // "0.000," ends the file
  ASSERT_EQ(cut.cycles.size(), 1u);
  EXPECT_EQ(cut.cycles[0].current.size(), 2u);
  EXPECT_TRUE(HasNote(cut, "cut short"));

  // A current-against-time pair beside the voltammogram, and an unknown header line.
  const MeasuredData mixed = Read("palmsens-unknown-columns.csv");
  EXPECT_EQ(mixed.technique, "Cyclic Voltammetry");
  ASSERT_EQ(mixed.cycles.size(), 1u);
  EXPECT_DOUBLE_EQ(mixed.cycles[0].current[1], 2.25e-6);  // -2.250 µA
  EXPECT_TRUE(HasNote(mixed, "columns 1 and 2"));
}

TEST(PalmSensCsv, RefusesHeaderOnlyAndImpedance) {
  const ReadError empty = Refusal("palmsens-header-only.csv");
  EXPECT_EQ(empty.format, "PalmSens PSTrace .csv");
  EXPECT_EQ(empty.line, 6);  // the units are on line 5
  const ReadError eis = Refusal("palmsens-eis.csv");
  EXPECT_EQ(eis.line, 2);  // the "Measurement:" line
  EXPECT_NE(eis.reason.find("impedance"), std::string::npos);
}

TEST(PalmSensSession, PascalCaseTwoScansWithMethod) {
  // Scan 1 in V and µA; scan 2 in mV and nA; the method says E_BEGIN=-2E-1, E_VTX1=0.6,
  // E_STEP=0.005, SCAN_RATE=0.1.
  const MeasuredData data = Read("palmsens-cv-2scans.pssession");
  EXPECT_EQ(data.format, "PalmSens .pssession");
  EXPECT_EQ(data.technique, "Cyclic Voltammetry");
  EXPECT_DOUBLE_EQ(*data.settings.startPotential, -0.2);
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, 0.6);
  EXPECT_DOUBLE_EQ(*data.settings.potentialStep, 0.005);
  EXPECT_DOUBLE_EQ(*data.settings.scanRate, 0.1);
  ASSERT_EQ(data.cycles.size(), 2u);
  EXPECT_EQ(data.cycles[0].number, 1);
  EXPECT_EQ(data.cycles[1].number, 2);
  ASSERT_EQ(data.cycles[0].current.size(), 3u);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[1], -2.25e-6);  // 2.25 µA
  ASSERT_EQ(data.cycles[1].current.size(), 2u);
  EXPECT_DOUBLE_EQ(data.cycles[1].potential[0], 0.6);    // 600 mV
  EXPECT_DOUBLE_EQ(data.cycles[1].current[0], 0.75e-6);  // -750 nA
  EXPECT_TRUE(HasNote(data, "negated to reduction positive"));
}

TEST(PalmSensSession, LowercaseKeysWithDataOnlyInCurves) {
  // The method (DPV: E_BEGIN=-0.5, E_END=0.5, E_PULSE=0.025, T_PULSE=0.05) is the file's own.
  const MeasuredData data = Read("palmsens-dpv-5.0.pssession");
  EXPECT_EQ(data.technique, "Differential Pulse Voltammetry");
  EXPECT_DOUBLE_EQ(*data.settings.endPotential, 0.5);
  EXPECT_DOUBLE_EQ(*data.settings.pulseHeight, 0.025);
  EXPECT_DOUBLE_EQ(*data.settings.pulseWidth, 0.05);
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].current.size(), 3u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[2], -0.49);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[2], -0.04e-6);  // 0.04 µA
}

TEST(PalmSensSession, TruncatedKeepsTheCompletePoints) {
  // Cut inside scan 2's currents after 1.5 and 2.0; the "2.2" that follows may be "2.25".
  const MeasuredData data = Read("palmsens-truncated.pssession");
  ASSERT_EQ(data.cycles.size(), 2u);
  EXPECT_EQ(data.cycles[0].current.size(), 2u);
  ASSERT_EQ(data.cycles[1].current.size(), 2u);
  EXPECT_DOUBLE_EQ(data.cycles[1].current[1], -2.0e-6);
  EXPECT_TRUE(HasNote(data, "4 potentials and 2 currents"));
  EXPECT_TRUE(HasNote(data, "cut short"));
}

TEST(PalmSensSession, UnknownKeysAndEntriesWithoutValue) {
  // The third potential entry is {"S": 3}: that point goes; an array of an unknown type is ignored.
  const MeasuredData data = Read("palmsens-unknown-keys.pssession");
  ASSERT_EQ(data.cycles.size(), 1u);
  ASSERT_EQ(data.cycles[0].potential.size(), 3u);
  EXPECT_DOUBLE_EQ(data.cycles[0].potential[2], 0.4);
  EXPECT_DOUBLE_EQ(data.cycles[0].current[2], -4.0e-6);
  EXPECT_TRUE(HasNote(data, "1 point without a number"));
  EXPECT_TRUE(HasNote(data, "no technique parameters"));
}

TEST(PalmSensSession, RefusesImpedanceAndEmptyScans) {
  // The impedance run carries Edc and Idc arrays too; they are not a voltammogram.
  EXPECT_NE(Refusal("palmsens-eis.pssession").reason.find("impedance"), std::string::npos);
  EXPECT_NE(Refusal("palmsens-header-only.pssession").reason.find("no measurement"),
            std::string::npos);
}

// Every prefix of a file (a file cut anywhere) is read or refused, never anything else.
TEST(PalmSens, EveryPrefixReadsOrRaisesReadError) {
  for (const char* name : {"palmsens-cv-2scans.pssession", "palmsens-cv-3scans.csv"}) {
    const std::string text = DecodeText(Bytes(name));
    for (std::size_t n = 0; n <= text.size(); ++n) {
      const std::string_view prefix(text.data(), n);
      try {
        const MeasuredData data =
            StartsWith(text, "{") ? ReadPalmSensSession(prefix) : ReadPalmSensCsv(prefix);
        EXPECT_FALSE(data.cycles.empty());
      } catch (const ReadError&) {
      }
    }
  }
}

}  // namespace
}  // namespace vorex
