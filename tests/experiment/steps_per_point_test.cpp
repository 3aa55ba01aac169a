// The digital sweep's steps per point as a field of the settings: its default, the files that
// carry it or not, the keywords that set it, and the values the capture refuses.
#include <gtest/gtest.h>

#include <string>

#include "experiment/capture.h"
#include "experiment/settings_file.h"
#include "experiment/settings_keywords.h"

namespace vorex {
namespace {

SettingsRead ReadMembers(const std::string& members) {
  return ParseSettingsJson("{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": {" +
                           members + "}}");
}

TEST(StepsPerPoint, OneByDefaultAndInAFileWrittenBeforeIt) {
  EXPECT_EQ(Settings().Value(FieldId::StepsPerPoint), "1");
  EXPECT_EQ(MakeParameterSet(Settings()).parameters.StepsPerPoint, 1);
  // A file of every other field, as one written before the field existed.
  const SettingsRead old =
      ReadMembers("\"technique\": \"cv\", \"digital\": true, \"E_step\": 0.002");
  ASSERT_TRUE(old.settings) << old.error;
  EXPECT_EQ(old.settings->Value(FieldId::StepsPerPoint), "1");
}

TEST(StepsPerPoint, RoundTripsThroughASettingsFile) {
  Settings s;
  ASSERT_FALSE(s.Set(FieldId::StepsPerPoint, "8"));
  const std::string json = SettingsJson(s);
  EXPECT_NE(json.find("\"steps_per_point\": 8"), std::string::npos) << json;
  const SettingsRead read = ParseSettingsJson(json);
  ASSERT_TRUE(read.settings) << read.error;
  EXPECT_EQ(*read.settings, s);
  EXPECT_EQ(MakeParameterSet(*read.settings).parameters.StepsPerPoint, 8);
}

TEST(StepsPerPoint, KeywordsSetItForTheDigitalSweepOnly) {
  Settings s;
  SetByKeywords(s, {{"steps_per_point", KeywordValue::Number("4.0", "4")}},
                KeywordCheck::AsTheDialogsOffer);
  EXPECT_EQ(MakeParameterSet(s).parameters.StepsPerPoint, 4);
  const auto refusal = [](std::vector<Keyword> keywords) {
    Settings t;
    try {
      SetByKeywords(t, keywords, KeywordCheck::AsTheDialogsOffer);
    } catch (const KeywordError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  const Keyword four{"steps_per_point", KeywordValue::Number("4", "4")};
  const std::string pulse = refusal({{"technique", KeywordValue::Name("dp", "'dp'")}, four});
  EXPECT_NE(pulse.find("steps_per_point is not available: the Techniques dialog enables it for "
                       "the linear sweep"),
            std::string::npos)
      << pulse;
  const std::string analytical = refusal({{"digital", KeywordValue::Flag(false, "False")}, four});
  EXPECT_NE(analytical.find("(digital=True) only"), std::string::npos) << analytical;
}

// Each refused with the field's caption, the text as typed and the range; the settings stay.
TEST(StepsPerPoint, RefusesWhatIsNotAWholeNumberFromOneToAHundred) {
  for (const char* text : {"0", "-2", "2.5", "abc", "", "101", "1e9", "4 steps"}) {
    Settings s;
    ASSERT_FALSE(s.Set(FieldId::StepsPerPoint, text));
    const Captured c = MakeParameterSet(s);
    ASSERT_FALSE(c.ok()) << text;
    EXPECT_EQ(c.refusal->field, FieldId::StepsPerPoint);
    EXPECT_EQ(c.refusal->message, "steps per point: \"" + std::string(text) +
                                      "\" must be a whole number from 1 to 100 (1: one step per "
                                      "point).");
  }
  for (const char* text : {"1", "100", "16"}) {
    Settings s;
    s.Set(FieldId::StepsPerPoint, text);
    EXPECT_EQ(MakeParameterSet(s).parameters.StepsPerPoint, std::stoi(text));
  }
}

// Greyed in the dialog, the field holds what it held and the run takes one step per point.
TEST(StepsPerPoint, IsLeftAloneWhereTheDialogGreysIt) {
  for (bool pulse : {false, true}) {
    Settings s;
    s.Set(FieldId::StepsPerPoint, "0");
    if (pulse) {
      s.SetTechnique(TechniqueCode::DifferentialPulse);
    } else {
      s.SetDigital(false);
    }
    const Captured c = MakeParameterSet(s);
    ASSERT_TRUE(c.ok()) << c.refusal->message;
    EXPECT_EQ(c.parameters.StepsPerPoint, 1);
  }
}

}  // namespace
}  // namespace vorex
