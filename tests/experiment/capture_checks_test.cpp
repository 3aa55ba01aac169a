#include <functional>
#include <string>

#include "started_experiment.h"

namespace vorex {
namespace {

struct MeaninglessValues : testing::StartedExperiment {
  // The capture refuses, says which field and text, and keeps the last complete capture.
  void ExpectRefused(const std::string& fieldAndText, const std::string& why) {
    const ParameterSet before = p;
    host.messages.clear();
    EXPECT_FALSE(CaptureParameters(e)) << fieldAndText;
    ASSERT_EQ(host.messages.size(), 1u) << fieldAndText;
    EXPECT_EQ(host.messages[0], fieldAndText + " " + why);
    EXPECT_EQ(p.D, before.D);
    EXPECT_EQ(p.Temperature, before.Temperature);
    EXPECT_EQ(p.TDrop, before.TDrop);
  }
  void ExpectTaken() {
    host.messages.clear();
    EXPECT_TRUE(CaptureParameters(e));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  }
};

constexpr const char* kPositive = "must be greater than 0.";
constexpr const char* kNotNegative = "must not be negative.";
constexpr const char* kTooSmall = "is too small a number.";

TEST_F(MeaninglessValues, EachFieldOfTheStartUpExperimentIsRefusedWithItsText) {
  struct Case {
    std::function<Control&(FormExpr&)> field;
    const char* text;
    const char* message;
    const char* why;
  } cases[] = {
      {[](FormExpr& f) -> Control& { return f.D(1); }, "-1", "D (cm \u00b2/s) (D(1)): \"-1\"",
       kPositive},
      {[](FormExpr& f) -> Control& { return f.D(2); }, "0", "D (cm \u00b2/s) (D(2)): \"0\"",
       kPositive},
      // 1e-400 reads as 0: too small to hold, so no diffusion at all.
      {[](FormExpr& f) -> Control& { return f.D(1); }, "1e-400",
       "D (cm \u00b2/s) (D(1)): \"1e-400\"", kPositive},
      {[](FormExpr& f) -> Control& { return f.C(1); }, "-1e-3", "C anal (M) (C(1)): \"-1e-3\"",
       kNotNegative},
      {[](FormExpr& f) -> Control& { return f.C(1); }, "1e400", "C anal (M) (C(1)): \"1e400\"",
       "is too large a number."},
      {[](FormExpr& f) -> Control& { return f.alph(1); }, "1.2", "\u03b1 (alph(1)): \"1.2\"",
       "must lie between 0 and 1."},
      {[](FormExpr& f) -> Control& { return f.alph(1); }, "-0.1", "\u03b1 (alph(1)): \"-0.1\"",
       "must lie between 0 and 1."},
      {[](FormExpr& f) -> Control& { return f.ks(1); }, "-1e4", "ks (cm/s) (ks(1)): \"-1e4\"",
       kNotNegative},
      {[](FormExpr& f) -> Control& { return f.Estep(); }, "0", "E step (V): \"0\"", kPositive},
      // Below the smallest normal double, 2.2e-308, a value keeps too few digits.
      {[](FormExpr& f) -> Control& { return f.D(1); }, "1e-310",
       "D (cm \u00b2/s) (D(1)): \"1e-310\"", kTooSmall},
      // v = 0 leaves the drop time E step / v undefined; 1e308 makes it 0.005 / 1e308 = 5e-311.
      {[](FormExpr& f) -> Control& { return f.V(); }, "0", "v (V/s): \"0\"", kPositive},
      {[](FormExpr& f) -> Control& { return f.V(); }, "1e308", "t drop  (s): \"5e-311\"",
       kTooSmall},
      {[](FormExpr& f) -> Control& { return f.txttemp(); }, "-1000", "T ( \u00b0C): \"-1000\"",
       "is at or below absolute zero (-273.14 \u00b0C)."},
      {[](FormExpr& f) -> Control& { return f.Noise(); }, "-5", "Noise (%): \"-5\"", kNotNegative},
      {[](FormExpr& f) -> Control& { return f.Cdl(); }, "-1e-6", "C d (F): \"-1e-6\"",
       kNotNegative},
      {[](FormExpr& f) -> Control& { return f.Ru(); }, "-10", "R u (\u03a9): \"-10\"",
       kNotNegative},
      {[](FormExpr& f) -> Control& { return f.Ru(); }, "1e999", "R u (\u03a9): \"1e999\"",
       "is too large a number."},
      {[](FormExpr& f) -> Control& { return f.ARE(); }, "-1", "Area (cm \u00b2): \"-1\"",
       kPositive},
      {[](FormExpr& f) -> Control& { return f.TextElectrolyteC(); }, "-0.1", "C (M): \"-0.1\"",
       kNotNegative},
  };
  for (const Case& c : cases) {
    Control& field = c.field(form);
    const std::string good = field.Text();
    Type(field, c.text);
    ExpectRefused(c.message, c.why);
    Type(field, good);
    if (&field == &form.V()) Type(form.Estep(), "0.005");  // the drop time follows v
    ExpectTaken();
  }
}

TEST_F(MeaninglessValues, OnlyWhatTheExperimentUsesIsLookedAt) {
  // Mechanism 1 has two species and one charge reaction: rows it does not use may hold anything.
  Type(form.D(3), "-1");
  Type(form.alph(2), "7");
  Type(form.kf(1), "-10");
  // The pulse time is not used by a linear sweep, nor the frequency; the radius not by a plane.
  Type(form.tp(), "0");
  Type(form.TextF(), "0");
  Type(form.radius(), "-1");
  ExpectTaken();
  // The numeric-prefix rule of the fields stays: "0.3V" is 0.3, "1,5" is 1.
  Type(form.D(1), "1e-5cm2/s");
  Type(form.alph(1), "0,5");
  ExpectTaken();
  EXPECT_EQ(p.D(1), 1e-5);
  EXPECT_EQ(p.Alpha(1), 0.0);  // the bounds 0 and 1 themselves are meaningful
}

TEST_F(MeaninglessValues, RowsAndInputsFollowMechanismTechniqueAndElectrode) {
  ChooseMechanism(7);  // A + ne = B, B = C: three species, one homogeneous reaction
  Type(form.kb(1), "-0.01");
  ExpectRefused("kb (kb(1)): \"-0.01\"", kNotNegative);
  Type(form.kb(1), "0.01");
  Type(form.D(3), "0");
  ExpectRefused("D (cm \u00b2/s) (D(3)): \"0\"", kPositive);
  Type(form.D(3), "1e-5");

  e.formTech.Click(e.formTech.optTech(3));  // normal pulse: the pulse time counts
  Type(form.tp(), "0");
  ExpectRefused("t pulse (s): \"0\"", kPositive);
  Type(form.tp(), "0.05");
  e.formTech.Click(e.formTech.optTech(5));  // square wave: the frequency, not the scan rate
  Type(form.V(), "0");
  Type(form.TextF(), "0");  // 0.5 / f cannot be formed: the pulse time keeps its last value
  ExpectRefused("f (Hz): \"0\"", kPositive);
  Type(form.TextF(), "10");
  ExpectTaken();
  Type(form.V(), "0.01");
  e.formTech.Click(e.formTech.optTech(1));

  form.Click(form.optElectrode(5));  // cylinder: radius and length
  Type(form.leng(), "0");
  ExpectRefused("Length (cm): \"0\"", kPositive);
  Type(form.leng(), "0.01");
  Type(form.radius(), "-0.001");
  ExpectRefused("Radius (cm): \"-0.001\"", kPositive);
}

}  // namespace
}  // namespace vorex
