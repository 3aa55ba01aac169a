#include "experiment/form_tech.h"

#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_use.h"

namespace vorex {

FormTech::FormTech(Experiment& experiment)
    : Window("FormTech", "Techniques"), experiment_(experiment) {
  Control& frame = Add(ControlKind::Frame, "FrameTech");
  frame.SetCaption("Voltammetry");
  for (int i = 1; i <= kTechniqueCount; ++i) {
    Control& option = Add(ControlKind::OptionButton, "optTech", i);
    option.SetCaption(std::string(Technique(static_cast<TechniqueCode>(i)).caption));
    option.SetFrame(&frame);
    option.onClick = [this] { TechValue(); };
    optTech_(i) = &option;
  }
  checkDigital_ = &Add(ControlKind::CheckBox, "CheckDigital");
  checkDigital_->SetCaption("digital simulation");
  checkDigital_->SetToolTip(
      "Unticked: closed-form currents, exact for reversible couples, approximate for slow "
      "kinetics and chemistry (see the validation report); tick it for those.");
  checkDigital_->onClick = [this] { CheckDigital_Click(); };
  const auto& steps = TableField(FieldId::StepsPerPoint);
  textSteps_ = &Add(ControlKind::TextBox, steps.control);
  textSteps_->SetLabel(steps.label);
  textSteps_->SetToolTip(steps.tip);
  textSteps_->SetText(steps.defaultValue);
  textSteps_->onChange = [this] { TextSteps_Change(); };
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
      experiment_.Change(FieldId::Technique, std::to_string(i));
      break;
    }
  }
  experiment_.Refresh();
}

void FormTech::CheckDigital_Click() {
  experiment_.Change(FieldId::Digital, CheckDigital().Checked() ? "1" : "0");
  experiment_.Refresh();
}

void FormTech::TextSteps_Change() {
  if (const auto refused = experiment_.Change(FieldId::StepsPerPoint, TextSteps().Text())) {
    experiment_.host.Message(*refused, MessageKind::Warning);
  }
  experiment_.Refresh();
}

void FormTech::Refresh(const Settings& s) {
  for (int i = 1; i <= kTechniqueCount; ++i) {
    optTech(i).SetChecked(CodeNumber(s.Technique()) == i);
  }
  CheckDigital().SetChecked(s.Digital());
  TextSteps().SetText(std::string(s.Value(FieldId::StepsPerPoint)));
  TextSteps().SetEnabled(FieldEnabled(s, FieldId::StepsPerPoint));
}

}  // namespace vorex
