// The written mechanism in the settings: its rows in the table, the counts and rows its text
// gives, the capture of its network and values, the dialogs' models of it, its keywords and its
// settings files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/derivation.h"
#include "experiment/experiment.h"
#include "experiment/field_use.h"
#include "experiment/settings_file.h"
#include "experiment/settings_keywords.h"
#include "experiment/written_mechanism.h"
#include "support/recording_host.h"

namespace vorex {
namespace {

Settings Written(const std::string& text) {
  Settings s;
  EXPECT_FALSE(s.Set(FieldId::Mechanism, "18"));
  EXPECT_FALSE(s.Set(FieldId::MechanismText, text));
  return s;
}

std::string ParserMessage(const std::string& text) {
  const auto parsed = ParseMechanism(text);
  return std::get<NetworkError>(parsed).message;
}

Keyword Number(const std::string& name, const std::string& value) {
  return Keyword{name, KeywordValue::Number(value, value)};
}
Keyword Name(const std::string& name, const std::string& value) {
  return Keyword{name, KeywordValue::Name(value, "'" + value + "'")};
}

TEST(WrittenSettingsTable, NamesTheNewRowsAndKeepsTheBuiltInOnes) {
  const FieldSpec& text = TableField(FieldId::MechanismText);
  EXPECT_EQ(text.window, "FormMech");
  EXPECT_EQ(text.control, "TextMechanism");
  EXPECT_EQ(text.keyword, "mechanism_text");
  EXPECT_EQ(TableField(FieldId::Mechanism).items.size(), 18u);
  EXPECT_EQ(TableField(FieldId::Mechanism).items.back(), "written");
  // Species E..H and row 4 follow the built-in rows' names.
  EXPECT_EQ(TableField(Row(FieldId::D1, 5)).keyword, "D_E");
  EXPECT_EQ(TableField(FieldId::D8).keyword, "D_H");
  EXPECT_EQ(TableField(FieldId::C8).keyword, "C_H");
  EXPECT_EQ(TableField(FieldId::C8).defaultValue, "0");
  EXPECT_EQ(TableField(FieldId::CInit8).keyword, "C_init_H");
  EXPECT_EQ(TableField(FieldId::Cond8).FullName(), "Cond(7)");
  EXPECT_EQ(TableField(FieldId::N4).keyword, "n_4");
  EXPECT_EQ(TableField(FieldId::E04).keyword, "E0_4");
  EXPECT_EQ(TableField(FieldId::Alpha4).keyword, "alpha_4");
  EXPECT_EQ(TableField(FieldId::Ks4).keyword, "ks_4");
  EXPECT_EQ(TableField(FieldId::Kf4).FullName(), "kf(4)");
  EXPECT_EQ(TableField(FieldId::Kb4).keyword, "kb_4");
  EXPECT_EQ(TableField(FieldId::P4).keyword, "p_4");
  EXPECT_EQ(TableField(FieldId::Keq4).keyword, "Keq_4");
  // The built-in rows as they were: a few keywords, defaults and fit-slot bounds.
  EXPECT_EQ(TableField(FieldId::D4).keyword, "D_D");
  EXPECT_EQ(TableField(FieldId::C1).defaultValue, "1e-3");
  EXPECT_EQ(TableField(FieldId::E03).defaultValue, "-0.2");
  EXPECT_EQ(TableField(FieldId::Fitted1).defaultValue, "1");
  EXPECT_EQ(TableField(Row(FieldId::Max1, 13)).defaultValue, "0.3");
  EXPECT_EQ(TableField(Row(FieldId::Max1, 25)).keyword, "Ru_max");
  EXPECT_EQ(TableField(Row(FieldId::Min1, 25)).defaultValue, "0");
}

TEST(WrittenSettingsTable, FitSlots26To38FitTheWrittenRowsInTheContractsOrder) {
  // 26-29 C(E)..C(H), 30 ks(4), 31 alpha(4), 32 E0(4), 33 kf(4), 34 kb(4), 35-38 D(E)..D(H).
  const char* keywords[] = {"C_E",  "C_F",  "C_G", "C_H", "ks_4", "alpha_4", "E0_4",
                            "kf_4", "kb_4", "D_E", "D_F", "D_G",  "D_H"};
  const char* names[] = {"C(E)",  "C(F)",  "C(G)", "C(H)", "ks(4)", "\u03b1(4)", "E\u00b0(4)",
                         "kf(4)", "kb(4)", "D(E)", "D(F)", "D(G)",  "D(H)"};
  for (int s = 26; s <= 38; ++s) {
    const FieldId field = FitSlotField(s);
    EXPECT_EQ(TableField(field).keyword, keywords[s - 26]) << s;
    EXPECT_EQ(FitSlotOf(field), s);
    EXPECT_EQ(FitParameterName(s), names[s - 26]);
    EXPECT_EQ(TableField(Row(FieldId::Fitted1, s)).keyword,
              std::string(keywords[s - 26]) + "_fitted");
    EXPECT_EQ(TableField(Row(FieldId::Fitted1, s)).defaultValue, "0");
  }
  // Slots 1..25 keep theirs.
  EXPECT_EQ(FitSlotOf(FieldId::C1), 1);
  EXPECT_EQ(FitSlotOf(FieldId::Ks1), 5);
  EXPECT_EQ(FitSlotOf(FieldId::Kb3), 19);
  EXPECT_EQ(FitSlotOf(FieldId::D4), 23);
  EXPECT_EQ(FitSlotOf(FieldId::Ru), 25);
  EXPECT_EQ(FitSlotOf(FieldId::N1), 0);
  EXPECT_EQ(FitParameterName(8), "\u03b1(1)");
  // Each slot's parameter in the parameter set.
  ParameterSet p;
  FitParameter(p, 26) = 1;
  FitParameter(p, 31) = 2;
  FitParameter(p, 33) = 3;
  FitParameter(p, 38) = 4;
  EXPECT_EQ(p.CInit(5), 1);
  EXPECT_EQ(p.Alpha(4), 2);
  EXPECT_EQ(p.Kf(4), 3);
  EXPECT_EQ(p.D(8), 4);
  EXPECT_THROW(FitParameter(p, 39), RuntimeFault);
}

TEST(WrittenCounts, FollowTheTextAndShowItsRows) {
  Settings s = Written("A + e = B; B = C; C + e = D; 2 C = E");
  const ReactionCounts c = CountsOf(s);
  EXPECT_EQ(c.species, 5);
  EXPECT_EQ(c.chargeReactions, 2);
  EXPECT_EQ(c.homogeneousReactions, 2);
  EXPECT_TRUE(FieldShown(s, Row(FieldId::D1, 5)));
  EXPECT_FALSE(FieldShown(s, Row(FieldId::D1, 6)));
  EXPECT_TRUE(FieldShown(s, FieldId::E02));
  EXPECT_FALSE(FieldShown(s, FieldId::E03));
  EXPECT_TRUE(FieldShown(s, FieldId::Kb2));
  EXPECT_TRUE(FieldShown(s, FieldId::MechanismText));
  // The text writes each step's stoichiometry: no p.
  EXPECT_FALSE(FieldShown(s, FieldId::P1));
  // The fit slots of the rows it has, not of the others.
  EXPECT_TRUE(FieldShown(s, Row(FieldId::Fitted1, 26)));  // C(E)
  EXPECT_FALSE(FieldShown(s, Row(FieldId::Fitted1, 27)));
  EXPECT_FALSE(FieldShown(s, Row(FieldId::Fitted1, 33)));  // kf(4)
  // A built-in mechanism keeps its own rows, whatever the text.
  s.SetMechanism(MechanismCode::EC);
  EXPECT_EQ(CountsOf(s).species, 3);
  EXPECT_TRUE(FieldShown(s, FieldId::P1));
  EXPECT_FALSE(FieldShown(s, FieldId::MechanismText));
  EXPECT_FALSE(FieldShown(s, Row(FieldId::D1, 5)));
  // A text that does not parse shows no rows.
  Settings bad = Written("A + e B");
  EXPECT_EQ(CountsOf(bad).species, 0);
  EXPECT_FALSE(FieldShown(bad, FieldId::D1));
}

TEST(WrittenCounts, NFollowsTheTextsElectronNumbersWhenTheTextChanges) {
  Settings s = Written("A + 2e = B; B + 3 e = C");
  EXPECT_EQ(s.Value(FieldId::N1), "2");
  EXPECT_EQ(s.Value(FieldId::N2), "3");
  EXPECT_EQ(s.Value(FieldId::N3), "1");
  // Set afterwards, N is the user's; the same text again leaves it.
  ASSERT_FALSE(s.Set(FieldId::N1, "1"));
  ASSERT_FALSE(s.Set(FieldId::MechanismText, "A + 2e = B; B + 3 e = C"));
  EXPECT_EQ(s.Value(FieldId::N1), "1");
  // A text that does not parse changes no N.
  ASSERT_FALSE(s.Set(FieldId::MechanismText, "A + 2e = "));
  EXPECT_EQ(s.Value(FieldId::N2), "3");
}

class WrittenCapture : public ::testing::Test {
 protected:
  WrittenCapture() {
    e.formExpr.Form_Load();
    CaptureParameters(e);
  }
  void Write(const std::string& text) {
    e.formMech.Click(e.formMech.mech(18));
    e.formMech.Type(e.formMech.TextMechanism(), text);
  }
  testing::RecordingHost host;
  Experiment e{host};
  ParameterSet& p = e.parameterSet;
  FormExpr& form = e.formExpr;
};

TEST_F(WrittenCapture, FillsTheNetworkTheCountsAndTheRows) {
  const std::string text = "A + e = B; B = C; C + e = D; 2 C = E";
  Write(text);
  form.Type(form.D(5), "2e-5");
  form.Type(form.C(5), "3e-4");
  form.Type(form.kf(2), "50");
  form.Type(form.kb(2), "0.5");
  form.Type(form.Eze(2), "-0.25");
  form.SetCheck(form.CheckPreEqu(), false);
  ASSERT_TRUE(CaptureParameters(e)) << host.messages.back();
  EXPECT_EQ(p.Mechanism, MechanismCode::Written);
  EXPECT_EQ(p.Network, std::get<ReactionNetwork>(ParseMechanism(text)));
  EXPECT_EQ(p.SpeciesCount, 5);
  EXPECT_EQ(p.ChargeReactionCount, 2);
  EXPECT_EQ(p.HomogeneousReactionCount, 2);
  EXPECT_EQ(p.D(5), 2e-5);
  EXPECT_EQ(p.E0(2), -0.25);
  EXPECT_EQ(p.Kf(2), 50);
  EXPECT_EQ(p.Kb(2), 0.5);
  EXPECT_EQ(p.Keq(2), 100);  // 50 / 0.5
  // Without pre-equilibration the initial concentrations are the analytical ones.
  EXPECT_EQ(p.CInit(1), 1e-3);
  EXPECT_EQ(p.CInit(5), 3e-4);
  EXPECT_EQ(p.CInit(2), 0);
  // A built-in mechanism chosen again carries no network.
  e.formMech.Click(e.formMech.mech(7));
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_EQ(p.Network, ReactionNetwork{});
  EXPECT_EQ(p.SpeciesCount, 3);
}

TEST_F(WrittenCapture, ReadsRowFourAndSpeciesToH) {
  Write("A + e = B; B + e = C; C + e = D; D + e = E; A = F; B = G; 2 C = H; E = A");
  form.Type(form.Eze(4), "-0.45");
  form.Type(form.ks(4), "0.02");
  form.Type(form.alph(4), "0.3");
  form.Type(form.kf(4), "7");
  form.Type(form.kb(4), "2");
  form.Type(form.D(8), "4e-6");
  form.Type(form.C(8), "1e-4");
  form.SetCheck(form.CheckPreEqu(), false);
  ASSERT_TRUE(CaptureParameters(e)) << host.messages.back();
  EXPECT_EQ(p.SpeciesCount, 8);
  EXPECT_EQ(p.ChargeReactionCount, 4);
  EXPECT_EQ(p.HomogeneousReactionCount, 4);
  EXPECT_EQ(p.E0(4), -0.45);
  EXPECT_EQ(p.Ks(4), 0.02);
  EXPECT_EQ(p.Alpha(4), 0.3);
  EXPECT_EQ(p.N(4), 1);
  EXPECT_EQ(p.Kf(4), 7);
  EXPECT_EQ(p.Keq(4), 3.5);  // 7 / 2
  EXPECT_EQ(p.D(8), 4e-6);
  EXPECT_EQ(p.CInit(8), 1e-4);
  // A meaningless value of row 4 is refused by name.
  form.Type(form.alph(4), "1.5");
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_NE(host.messages.back().find("alph(4)"), std::string::npos);
}

TEST_F(WrittenCapture, PreEquilibratesTheNetworkAtEStart) {
  // "A + e = B; B = C" at E start 0.3 V, E0_1 0.1 V, 25 C, kf 10, kb 0.01, 1 mM A: Nernst gives
  // B / A = theta = exp(-f 0.2) with f = F / RT = 96484.6 / (8.31441 x 298.14); the step C / B =
  // kf / kb = 1000; matter A + B + C = 1 mM, so A = 1 mM / (1 + 1001 theta).
  Write("A + e = B; B = C");
  ASSERT_TRUE(CaptureParameters(e)) << host.messages.back();
  const double f = 96484.6 / (8.31441 * 298.14);
  const double theta = std::exp(-f * 0.2);
  const double a = 1e-3 / (1 + 1001 * theta);
  // The dialog shows four digits, which the capture reads.
  EXPECT_NEAR(p.CInit(1), a, 5e-4 * a);
  EXPECT_NEAR(p.CInit(2), a * theta, 5e-4 * a * theta);
  EXPECT_NEAR(p.CInit(3), 1000 * a * theta, 5e-4 * 1000 * a * theta);
}

TEST_F(WrittenCapture, RefusesATextThatDoesNotParseAndKeepsTheLastCapture) {
  Write("A + e = B; B = C");
  form.SetCheck(form.CheckPreEqu(), false);
  ASSERT_TRUE(CaptureParameters(e));
  const ParameterSet before = p;
  const std::string text = "A + e = B; B C";
  Write(text);
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_EQ(host.messages.back(), "Mechanism: " + ParserMessage(text));
  EXPECT_EQ(host.messages.back().rfind("Mechanism: position ", 0), 0u);
  EXPECT_EQ(p.Network, before.Network);
  EXPECT_EQ(p.SpeciesCount, before.SpeciesCount);
  // A whole-mechanism refusal, and an electron number the N list does not hold.
  Write("B = C");
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_EQ(host.messages.back(), "Mechanism: " + ParserMessage("B = C"));
  Write("A + 5e = B");
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_EQ(host.messages.back(),
            "Mechanism: electron transfer 1 writes 5 electrons; n takes 1 to 3");
}

TEST_F(WrittenCapture, TheAnalyticalModeRefusesAWrittenMechanism) {
  Write("A + e = B");
  e.settings.SetDigital(false);
  e.Refresh();
  EXPECT_FALSE(e.formMech.mech(18).Usable());  // the dialog offers it in digital mode only
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_EQ(host.messages.back(),
            "Mechanism 18 (written) is not offered for analytical simulation: the closed forms "
            "hold for the built-in mechanisms 1, 4 and 9 only; tick digital simulation in the "
            "Techniques dialog.");
}

TEST_F(WrittenCapture, TheMechanismDialogShowsTheTextAndItsScheme) {
  EXPECT_FALSE(e.formMech.TextMechanism().Shown());
  EXPECT_TRUE(e.formMech.mech(18).Usable());
  EXPECT_EQ(e.formMech.mech(18).Caption(), "18)  written");
  Write("A + 2e = B; 2 B = C");
  EXPECT_TRUE(e.formMech.mech(18).Checked());
  EXPECT_TRUE(e.formMech.TextMechanism().Shown());
  EXPECT_EQ(e.settings.Value(FieldId::MechanismText), "A + 2e = B; 2 B = C");
  EXPECT_EQ(e.settings.Value(FieldId::N1), "2");
  const Scheme scheme = e.formMech.SchemeRows();
  EXPECT_TRUE(scheme.message.empty());
  const std::vector<SchemeRow> rows{
      {"species", "A", "", "D_A, C_A"},
      {"species", "B", "", "D_B, C_B"},
      {"species", "C", "", "D_C, C_C"},
      {"transfer", "1", "A + 2e = B", "n_1, E0_1, ks_1, alpha_1"},
      {"step", "1", "2 B = C", "kf_1, kb_1"},
  };
  EXPECT_EQ(scheme.rows, rows);
  EXPECT_FALSE(e.formMech.LabelMechanismError().Shown());
  // The Experimental dialog's rows follow, captioned by the text's equations.
  EXPECT_TRUE(form.specie(3).Shown());
  EXPECT_FALSE(form.specie(4).Shown());
  EXPECT_EQ(form.heter(1).Caption(), "A + 2e = B");
  EXPECT_EQ(form.homo(1).Caption(), "2 B = C");
  EXPECT_FALSE(form.pl(1).Shown());
  EXPECT_EQ(form.NEL(1).Text(), "2");
  // A text that does not parse: no rows, the parser's message.
  Write("A + 2e = B; 2 B = ");
  EXPECT_TRUE(e.formMech.SchemeRows().rows.empty());
  EXPECT_EQ(e.formMech.SchemeRows().message, ParserMessage("A + 2e = B; 2 B = "));
  EXPECT_TRUE(e.formMech.LabelMechanismError().Shown());
  EXPECT_EQ(e.formMech.LabelMechanismError().Caption(), ParserMessage("A + 2e = B; 2 B = "));
  EXPECT_FALSE(form.specie(1).Shown());
}

TEST_F(WrittenCapture, TheExperimentalDialogShowsRowsFiveToEightAndRowFour) {
  Write("A + e = B; B + e = C; C + e = D; D + e = E; A = F; B = G; 2 C = H; E = A");
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(form.D(i).Shown()) << i;
  EXPECT_EQ(form.specie(8).Caption(), "H");
  EXPECT_TRUE(form.kf(4).Shown());
  EXPECT_TRUE(form.Cinit(8).Shown());
  EXPECT_TRUE(form.LabelKeq(4).Shown());
  EXPECT_EQ(form.homo(4).Caption(), "E = A");
  EXPECT_EQ(form.heter(4).Caption(), "D + e = E");
  EXPECT_TRUE(form.CheckFitted(33).Shown());
  form.SetCheck(form.CheckFitted(33), true);
  EXPECT_TRUE(form.TextCmin(33).Shown());
  EXPECT_EQ(form.TextCmin(33).Text(), "1");
  EXPECT_EQ(form.TextCmax(38).Text(), "1e-4");
  Write("A + e = B");
  EXPECT_FALSE(form.D(5).Shown());
  EXPECT_FALSE(form.CheckFitted(33).Shown());
  EXPECT_FALSE(form.TextCmin(33).Shown());
}

TEST(WrittenKeywords, AMechanismTextChoosesTheWrittenOne) {
  Settings s;
  SetByKeywords(
      s, {Name("mechanism", "A + 2e = B; B = C"), Number("kf_1", "5"), Number("D_C", "3e-6")},
      KeywordCheck::AsTheDialogsOffer);
  EXPECT_EQ(s.Mechanism(), MechanismCode::Written);
  EXPECT_EQ(s.Value(FieldId::MechanismText), "A + 2e = B; B = C");
  EXPECT_EQ(s.Value(FieldId::N1), "2");
  EXPECT_EQ(s.Value(FieldId::Kf1), "5");
  EXPECT_EQ(s.Value(FieldId::D3), "3e-6");
  // The rows the text does not write are refused as the dialogs would.
  Settings t;
  try {
    SetByKeywords(t, {Name("mechanism", "A + e = B; B = C"), Number("kf_4", "5")},
                  KeywordCheck::AsTheDialogsOffer);
    ADD_FAILURE() << "kf_4 taken";
  } catch (const KeywordError& error) {
    EXPECT_EQ(std::string(error.what()),
              "kf_4 is not available: the Experimental dialog does not show it for mechanism 18 "
              "(written \"A + e = B; B = C\")");
  }
  // A text that does not parse shows no rows, and says why.
  try {
    Settings bad;
    SetByKeywords(bad, {Name("mechanism", "A + e = B; B C"), Number("kf_1", "5")},
                  KeywordCheck::AsTheDialogsOffer);
    ADD_FAILURE() << "kf_1 taken";
  } catch (const KeywordError& error) {
    EXPECT_EQ(std::string(error.what()),
              "kf_1 is not available: the Experimental dialog does not show it for mechanism 18 "
              "(written \"A + e = B; B C\", refused: Mechanism: " +
                  ParserMessage("A + e = B; B C") + ")");
  }
  // mechanism_text on its own, and 18 by number.
  Settings u;
  SetByKeywords(u,
                {Number("mechanism", "18"), Name("mechanism_text", "A + e = B; 2 B = C; C = D"),
                 Number("kb_2", "0.5"), Number("D_D", "1e-6")},
                KeywordCheck::AsTheDialogsOffer);
  EXPECT_EQ(u.Value(FieldId::Kb2), "0.5");
  // Not offered for analytical simulation, as the Mechanism dialog does not.
  Settings v;
  try {
    SetByKeywords(
        v, {Name("mechanism", "A + e = B"), Keyword{"digital", KeywordValue::Flag(false, "False")}},
        KeywordCheck::AsTheDialogsOffer);
    ADD_FAILURE() << "analytical written mechanism taken";
  } catch (const KeywordError& error) {
    EXPECT_EQ(std::string(error.what()),
              "mechanism 18 (written) is not offered by the Mechanism dialog for analytical "
              "(digital=False) simulation; it offers mechanisms 1, 4, 9");
  }
  Settings w;
  EXPECT_THROW(SetByKeywords(w, {Number("mechanism", "19")}, KeywordCheck::AsTheDialogsOffer),
               KeywordError);
  EXPECT_THROW(SetByKeywords(w, {Name("mechanism", "EC")}, KeywordCheck::AsTheDialogsOffer),
               KeywordError);
}

TEST(WrittenSettingsFile, StoresTheMechanismAndItsTextAndRefusesABadText) {
  Settings s = Written("A + 2e = B;\nB = C; C + e = D; 2 C = E");
  ASSERT_FALSE(s.Set(Row(FieldId::D1, 5), "2.5e-6"));
  ASSERT_FALSE(s.Set(FieldId::Kb4, "3"));
  ASSERT_FALSE(s.Set(FieldId::N1, "1"));  // the user's n, after the text's
  s.SetChecked(Row(FieldId::Fitted1, 35), true);
  const std::string json = SettingsJson(s);
  EXPECT_NE(json.find("\"version\": 2,"), std::string::npos);
  EXPECT_NE(json.find("\"mechanism\": 18"), std::string::npos);
  EXPECT_NE(json.find("\"mechanism_text\": \"A + 2e = B;\\u000aB = C; C + e = D; 2 C = E\""),
            std::string::npos);
  const SettingsRead read = ParseSettingsJson(json);
  ASSERT_TRUE(read.settings) << read.error;
  EXPECT_EQ(*read.settings, s);
  EXPECT_EQ(read.settings->Value(FieldId::N1), "1");
  EXPECT_EQ(SettingsJson(*read.settings), json);
  // A file of a written mechanism whose text does not parse is refused with the parser's word.
  const auto file = [](const std::string& mechanism, const std::string& text) {
    return ParseSettingsJson("{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": {" +
                             std::string("\"mechanism\": ") + mechanism +
                             ", \"mechanism_text\": \"" + text + "\"}}");
  };
  const SettingsRead bad = file("18", "A + e = B; B C");
  EXPECT_FALSE(bad.settings);
  EXPECT_EQ(bad.error, "Mechanism: " + ParserMessage("A + e = B; B C"));
  // A built-in mechanism does not use the text; the file is taken as stored.
  EXPECT_TRUE(file("7", "A + e = B; B C").settings);
  // A built-in mechanism's file is written as version 1 wrote it: none of the new fields.
  Settings builtIn;
  builtIn.SetMechanism(MechanismCode::EC);
  ASSERT_FALSE(builtIn.Set(FieldId::Kf1, "3"));
  const std::string v1 = SettingsJson(builtIn);
  EXPECT_NE(v1.find("\"version\": 1,"), std::string::npos);
  for (const char* absent :
       {"mechanism_text", "D_E", "C_H", "cond_E", "n_4", "kf_4", "p_4", "C_E_fitted", "D_H_max"}) {
    EXPECT_EQ(v1.find(std::string("\"") + absent + "\""), std::string::npos) << absent;
  }
  EXPECT_NE(v1.find("\"D_D\""), std::string::npos);
  EXPECT_NE(v1.find("\"Ru_max\""), std::string::npos);
  EXPECT_EQ(*ParseSettingsJson(v1).settings, builtIn);
  // A new field away from its default needs version 2, whatever the mechanism.
  ASSERT_FALSE(builtIn.Set(FieldId::Kf4, "3"));
  EXPECT_NE(SettingsJson(builtIn).find("\"version\": 2,"), std::string::npos);
  EXPECT_EQ(*ParseSettingsJson(SettingsJson(builtIn)).settings, builtIn);
  // An old file, without the text, reads as the defaults of the new fields.
  const SettingsRead old = ParseSettingsJson(
      "{\"format\": \"Vorex settings\", \"version\": 1, \"settings\": {\"mechanism\": 7}}");
  ASSERT_TRUE(old.settings);
  EXPECT_EQ(old.settings->Value(FieldId::MechanismText), "A + e = B");
}

}  // namespace
}  // namespace vorex
