#include "started_experiment.h"

namespace vorex {
namespace {

using Dialog = testing::StartedExperiment;

TEST_F(Dialog, AreaOfEveryElectrodeAtTheDefaultRadius) {
  // r = 0.2821 cm, L = 0.01 cm; three significant digits as "0.##e-0" shows them. The thin film
  // has an entered area: the one typed, whatever another electrode showed meanwhile.
  const char* expected[] = {"1", "1e0", "5e-1", "2.5e-1", "2.68e-1", "1.34e-1", "1", "2.5e-1"};
  for (int i = 1; i <= 8; ++i) {
    if (!form.optElectrode(i).Enabled()) e.formTech.Click(e.formTech.CheckDigital());
    form.Click(form.optElectrode(i));
    EXPECT_EQ(form.ARE().Text(), expected[i - 1]) << "electrode " << i;
    ASSERT_TRUE(CaptureParameters(e));
    EXPECT_EQ(p.Area, std::stod(expected[i - 1])) << "electrode " << i;
  }
}

TEST_F(Dialog, ElectrodeInputsFollowTheGeometry) {
  form.Click(form.optElectrode(5));
  EXPECT_TRUE(form.leng().Visible());
  EXPECT_EQ(form.LabelLength().Caption(), "Length (cm)");
  EXPECT_TRUE(form.radius().Visible());
  EXPECT_TRUE(form.ARE().Locked());
  e.formTech.Click(e.formTech.CheckDigital());
  form.Click(form.optElectrode(7));
  EXPECT_EQ(form.LabelLength().Caption(), "Thick (cm)");
  EXPECT_FALSE(form.radius().Visible());
  EXPECT_FALSE(form.ARE().Locked());
  form.Click(form.optElectrode(8));
  EXPECT_TRUE(form.TextVis().Visible());
  EXPECT_TRUE(form.TextRrate().Visible());
  EXPECT_FALSE(form.leng().Visible());
}

TEST_F(Dialog, AreaAndVolumeFollowRadiusAndLength) {
  form.Click(form.optElectrode(5));
  Type(form.radius(), "0.1");
  Type(form.leng(), "2");
  EXPECT_EQ(form.ARE().Text(), "1.29e0");  // pi 0.01 + 2 pi 0.2 = 1.288
  ASSERT_TRUE(CaptureParameters(e));
  EXPECT_DOUBLE_EQ(p.ElectrodeVolume, 3.141592654 * 0.1 * 0.1 * 2);
  EXPECT_EQ(p.Area, 1.29);
}

TEST_F(Dialog, AnAreaThatCannotBeComputedIsShownEmptyAndRefused) {
  form.Click(form.optElectrode(2));
  Type(form.radius(), "1e200");  // 4 pi r^2 overflows
  EXPECT_EQ(form.ARE().Text(), "");
  EXPECT_FALSE(CaptureParameters(e));
  EXPECT_EQ(host.messages.back(), "Radius (cm): \"1e200\" gives no electrode area: Overflow.");
}

TEST_F(Dialog, EquilibriumConstant) {
  ChooseMechanism(7);
  OpenExperimental();
  EXPECT_EQ(form.LabelKeq(1).Caption(), "1e3");  // 10 / 0.01
  Type(form.kb(1), "0");
  EXPECT_EQ(form.LabelKeq(1).Caption(), "");  // kb not positive: no constant to show
  Type(form.kb(1), "3");
  Type(form.kf(1), "10");
  EXPECT_EQ(form.LabelKeq(1).Caption(), "3.333e0");
}

TEST_F(Dialog, DropTimeAndPulseTime) {
  Type(form.Estep(), "0.01");
  EXPECT_EQ(form.td().Text(), "1");
  Type(form.V(), "0.2");
  EXPECT_EQ(form.td().Text(), "0.05");
  Type(form.V(), "0");
  EXPECT_EQ(form.td().Text(), "");  // division by zero: no drop time to show
  e.formTech.Click(e.formTech.optTech(5));
  Type(form.TextF(), "25");
  EXPECT_EQ(form.tp().Text(), "0.02");  // half a period
  Type(form.TextF(), "0");
  EXPECT_EQ(form.tp().Text(), "0.05");  // no period: the pulse time typed for the pulses
}

TEST_F(Dialog, TechniqueInputs) {
  OpenExperimental();
  EXPECT_TRUE(form.V().Visible());
  EXPECT_FALSE(form.tp().Visible());
  e.formTech.Click(e.formTech.optTech(3));
  OpenExperimental();
  EXPECT_TRUE(form.tp().Visible());
  EXPECT_FALSE(form.tp().Locked());
  Type(form.tp(), "0.07");
  e.formTech.Click(e.formTech.optTech(5));
  OpenExperimental();
  EXPECT_TRUE(form.tp().Locked());
  EXPECT_FALSE(form.V().Visible());
  EXPECT_TRUE(form.TextF().Visible());
  EXPECT_EQ(form.tp().Text(), "0.05");  // half a period of the 10 Hz
  e.formTech.Click(e.formTech.optTech(3));
  OpenExperimental();
  EXPECT_FALSE(form.tp().Locked());
  EXPECT_EQ(form.tp().Text(), "0.07");
}

TEST_F(Dialog, FitFlagsShowAndHideTheirBounds) {
  EXPECT_TRUE(form.TextCmin(1).Visible());
  EXPECT_FALSE(form.TextCmax(5).Visible());
  form.Click(form.CheckFitted(5));
  EXPECT_TRUE(form.TextCmin(5).Visible());
  EXPECT_TRUE(form.TextCmax(5).Visible());
  EXPECT_EQ(form.TextCmax(13).Text(), "0.3");
  EXPECT_EQ(form.TextCmin(17).Text(), "0.001");
  form.Click(form.CheckFitted(1));
  EXPECT_FALSE(form.TextCmin(1).Visible());
}

TEST_F(Dialog, ActivationForMechanismNine) {
  ChooseMechanism(9);
  OpenExperimental();
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(form.C(i).Visible(), i <= 2) << i;
  EXPECT_FALSE(form.Cond(2).Visible());
  EXPECT_TRUE(form.ks(1).Visible());
  EXPECT_FALSE(form.ks(2).Visible());
  EXPECT_TRUE(form.kf(1).Visible());
  EXPECT_FALSE(form.kf(2).Visible());
  EXPECT_EQ(form.heter(1).Caption(), "A+ne=B");
  EXPECT_EQ(form.homo(1).Caption(), "B=A");
  EXPECT_EQ(form.heter(2).Caption(), "2");  // unused rows keep their captions
}

TEST_F(Dialog, ActivationForMechanismThirteen) {
  ChooseMechanism(13);
  OpenExperimental();
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(form.D(i).Visible()) << i;
  EXPECT_TRUE(form.Eze(2).Visible());
  EXPECT_FALSE(form.Eze(3).Visible());
  EXPECT_TRUE(form.CheckFitted(12).Visible());
  EXPECT_FALSE(form.CheckFitted(13).Visible());
  EXPECT_TRUE(form.LabelKeq(2).Visible());
  EXPECT_FALSE(form.LabelKeq(3).Visible());
  EXPECT_EQ(form.heter(2).Caption(), "C+ne=D");
  EXPECT_EQ(form.homo(1).Caption(), "B=D");
  EXPECT_EQ(form.homo(2).Caption(), "C=A");
  // Activation leaves the bound fields alone.
  EXPECT_FALSE(form.TextCmin(12).Visible());
}

TEST_F(Dialog, OkWithARefusedFieldKeepsTheDialogOpen) {
  form.Show();
  Type(form.Estep(), "five");
  form.CmdOK_Click();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(host.messages.size(), 1u);
  Type(form.Estep(), "0.002");
  form.CmdOK_Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(p.EStep, 0.002);
}

}  // namespace
}  // namespace vorex
