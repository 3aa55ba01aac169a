#include "experiment/form_tech.h"

#include "experiment/catalogue.h"
#include "experiment/experiment.h"

namespace vorex {

FormTech::FormTech(Experiment& experiment)
    : Window("FormTech", "Techniques"), experiment_(experiment) {
  Control& frame = Add(ControlKind::Frame, "FrameTech");
  frame.SetCaption("Voltammetry");
  for (int i = 1; i <= kTechniqueCount; ++i) {
    Control& option = Add(ControlKind::OptionButton, "optTech", i);
    option.SetCaption(std::string(Technique(i)->caption));
    option.SetFrame(&frame);
    option.SetChecked(i == 1);
    optTech_(i) = &option;
  }
  checkDigital_ = &Add(ControlKind::CheckBox, "CheckDigital");
  checkDigital_->SetCaption("digital simulation");
  checkDigital_->SetChecked(true);
  checkDigital_->SetToolTip(
      "Unticked: closed-form currents, exact for reversible couples, approximate for slow "
      "kinetics and chemistry (see the validation report); tick it for those.");
  checkDigital_->onClick = [this] { CheckDigital_Click(); };
  cmdOK_ = &Add(ControlKind::Button, "CmdOK");
  cmdOK_->SetCaption("OK");
  cmdOK_->onClick = [this] { CmdOK_Click(); };
}

void FormTech::CmdOK_Click() {
  OK();
  Hide();
}

void FormTech::OK() {
  TechValue();
  CheckDigital_Click();
}

void FormTech::TechValue() {
  for (int i = 1; i <= kTechniqueCount; ++i) {
    if (optTech(i).Checked()) {
      experiment_.parameterSet.Technique = static_cast<std::int16_t>(i);
      return;
    }
  }
}

void FormTech::CheckDigital_Click() {
  const bool digital = CheckDigital().Checked();
  experiment_.parameterSet.Digital = digital ? 1 : 0;
  FormMech& formMech = experiment_.formMech;
  FormExpr& formExpr = experiment_.formExpr;
  if (digital) {
    for (int m = 2; m <= kMechanismCount; ++m) formMech.mech(m).SetEnabled(true);
    formExpr.Ru().SetEnabled(true);
    formExpr.optElectrode(7).SetEnabled(false);
    formExpr.optElectrode(8).SetEnabled(false);
  } else {
    for (int m = 2; m <= kMechanismCount; ++m) formMech.mech(m).SetEnabled(false);
    formMech.mech(4).SetEnabled(true);
    formMech.mech(9).SetEnabled(true);
    formExpr.Ru().SetEnabled(false);
    formExpr.optElectrode(7).SetEnabled(true);
    formExpr.optElectrode(8).SetEnabled(true);
  }
  formMech.mech(3).SetEnabled(false);
}

}  // namespace vorex
