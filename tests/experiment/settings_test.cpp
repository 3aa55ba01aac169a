// The settings table against the dialogs that show it, the derivation against what it reads,
// and the settings files against the settings they were written from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "experiment/derivation.h"
#include "experiment/experiment.h"
#include "experiment/settings_file.h"
#include "experiment/settings_keywords.h"
#include "support/recording_host.h"

namespace vorex {
namespace {

bool IsField(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return true;
    // The labels that show a derived value (the others name a row or a field).
    case ControlKind::Label:
      return c.Name() == "Cinit" || c.Name() == "LabelKeq";
    default:
      return false;
  }
}

TEST(SettingsTable, NamesEveryFieldOfTheDialogsOnceAndNoOther) {
  testing::RecordingHost host;
  Experiment e(host);
  std::set<std::string> keywords, controls;
  for (const FieldSpec& f : SettingsTable()) {
    EXPECT_FALSE(f.keyword.empty()) << f.FullName();
    EXPECT_TRUE(keywords.insert(f.keyword).second) << "keyword twice: " << f.keyword;
    EXPECT_TRUE(controls.insert(f.window + "." + f.FullName()).second) << f.FullName();
  }
  // Every field control of the three dialogs has its row; an option group has one row for all.
  for (const Window* w :
       {static_cast<const Window*>(&e.formTech), static_cast<const Window*>(&e.formMech),
        static_cast<const Window*>(&e.formExpr)}) {
    for (const auto& c : w->Controls()) {
      if (!IsField(*c)) continue;
      const bool option = c->Kind() == ControlKind::OptionButton;
      const FieldSpec* f =
          FieldByControl(w->Name(), c->Name(), option ? Control::kNoIndex : c->Index());
      ASSERT_NE(f, nullptr) << w->Name() << "." << c->FullName();
      // The dialog names the field as the table does (a check box of its own by its caption).
      const std::string& shown = c->Label().empty() ? c->Caption() : c->Label();
      if (!option) {
        EXPECT_EQ(f->label, shown) << c->FullName();
      }
    }
  }
  // And every row has its control.
  for (const FieldSpec& f : SettingsTable()) {
    const Window* w = f.window == "FormTech"   ? static_cast<const Window*>(&e.formTech)
                      : f.window == "FormMech" ? static_cast<const Window*>(&e.formMech)
                                               : static_cast<const Window*>(&e.formExpr);
    const int index = f.kind == FieldKind::Option ? 1 : f.index;
    EXPECT_NE(w->Find(f.control, index), nullptr) << f.window << "." << f.FullName();
  }
}

TEST(SettingsTable, TheDialogsStartFromTheDefaults) {
  testing::RecordingHost host;
  Experiment e(host);
  EXPECT_EQ(e.formExpr.Estart().Text(), "0.3");
  EXPECT_EQ(e.formExpr.TextCmax(13).Text(), "0.3");
  EXPECT_EQ(e.formExpr.NEL(2).ListIndex(), 0);
  EXPECT_TRUE(e.formExpr.CheckPreEqu().Checked());
  EXPECT_TRUE(e.formTech.optTech(1).Checked());
  EXPECT_TRUE(e.formMech.mech(1).Checked());
  EXPECT_TRUE(e.formExpr.optElectrode(1).Checked());
  EXPECT_EQ(e.settings, Settings());
}

// The derivation is kept by the fields it reads: any other field may change without it.
TEST(Derivation, ReadsNoFieldItIsNotKeptBy) {
  for (const FieldSpec& f : SettingsTable()) {
    if (!IsStored(f.id) || DerivationReads(f.id)) continue;
    Settings s;
    const Derivation before = DeriveAfresh(s);
    for (const char* value : {"7", "0", "2", "single"}) {
      if (s.Set(f.id, value)) continue;  // not a value of this field
      EXPECT_EQ(DeriveAfresh(s), before) << f.keyword << " = " << value;
    }
  }
}

TEST(Derivation, FollowsEachFieldItReads) {
  // Through Derive, whose kept derivation must not stand for other settings.
  Settings s;
  const std::string defaults = Derive(s).cInit[0];
  s.Set(FieldId::EStart, "0.1");  // at E0: half of A reduced, 5e-4 (four digits)
  EXPECT_EQ(Derive(s).cInit[0], "5e-4");
  s.Set(FieldId::EStart, "0.3");
  EXPECT_EQ(Derive(s).cInit[0], defaults);
}

TEST(SettingsFile, RoundTripsEveryTextBitForBit) {
  Settings s;
  s.SetTechnique(TechniqueCode::SquareWave);
  s.SetMechanism(MechanismCode::ComplexCE);
  s.SetElectrode(ElectrodeCode::Microdisc);
  s.SetScan(ScanCode::TwoCycles);
  s.SetDigital(false);
  // Texts as a user may type them: units after the number, a decimal comma, quotes, blanks,
  // a tab, nothing at all, and numbers JSON would write otherwise.
  const char* texts[] = {"0.3V", "1,5", "say \"5\"", " 2 ", "a\tb", "", "1e4", "-0", "\u00b5"};
  const FieldId targets[] = {FieldId::EStart, FieldId::EEnd,  FieldId::Ru,
                             FieldId::Cdl,    FieldId::Noise, FieldId::Distance,
                             FieldId::Ks1,    FieldId::E01,   FieldId::Kf1};
  for (std::size_t i = 0; i < std::size(texts); ++i) ASSERT_FALSE(s.Set(targets[i], texts[i]));
  s.SetChecked(FieldId::PreEquilibration, false);
  s.Set(FieldId::N2, "3");
  const std::string json = SettingsJson(s);
  const SettingsRead read = ParseSettingsJson(json);
  ASSERT_TRUE(read.settings) << read.error;
  EXPECT_EQ(*read.settings, s);
  EXPECT_EQ(SettingsJson(*read.settings), json);
  // A number stays as written: 1e4 is not 10000.
  EXPECT_NE(json.find("\"ks_1\": 1e4"), std::string::npos);
  EXPECT_NE(json.find("\"E_start\": \"0.3V\""), std::string::npos);
}

TEST(SettingsFile, RefusesWhatIsNotOneAndKeepsDefaultsForWhatItDoesNotName) {
  EXPECT_NE(ParseSettingsJson("{").error.find("not a settings file"), std::string::npos);
  EXPECT_NE(ParseSettingsJson("[]").error.find("not a settings file"), std::string::npos);
  const auto read = [](const std::string& members) {
    return ParseSettingsJson("{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": {" +
                             members + "}}");
  };
  EXPECT_EQ(*read("").settings, Settings());
  const SettingsRead some = read("\"E_start\": 0.5, \"mechanism\": 7, \"electrode\": \"rde\"");
  ASSERT_TRUE(some.settings) << some.error;
  EXPECT_EQ(some.settings->Value(FieldId::EStart), "0.5");
  EXPECT_EQ(some.settings->Mechanism(), MechanismCode::EC);
  // A file takes every field as stored, whatever the dialogs would offer for it now.
  EXPECT_EQ(some.settings->Electrode(), ElectrodeCode::RotatingDisk);
  EXPECT_EQ(some.settings->Value(FieldId::EEnd), "-0.3");
  EXPECT_NE(read("\"E_strat\": 0.5").error.find("unknown keyword \"E_strat\""), std::string::npos);
  EXPECT_NE(read("\"n_1\": 4").error.find("n_1 must be one of the dialog's list"),
            std::string::npos);
  EXPECT_NE(read("\"E_start\": null").error.find("E_start must be"), std::string::npos);
}

}  // namespace
}  // namespace vorex
