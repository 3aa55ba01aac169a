#include "experiment/form_mech.h"

#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_use.h"

namespace vorex {

FormMech::FormMech(Experiment& experiment)
    : Window("FormMech", "Mechanism"), experiment_(experiment) {
  Control& frame = Add(ControlKind::Frame, "FrameMech");
  frame.SetCaption("Mechanism");
  for (int i = 1; i <= kWrittenMechanismNumber; ++i) {
    const MechanismEntry& entry = Mechanism(static_cast<MechanismCode>(i));
    Control& option = Add(ControlKind::OptionButton, "mech", i);
    option.SetCaption(std::string(entry.caption));
    option.SetToolTip(std::string(entry.description));
    option.SetFrame(&frame);
    option.onClick = [this, i] {
      experiment_.Change(FieldId::Mechanism, std::to_string(i));
      experiment_.Refresh();
    };
    mech_(i) = &option;
  }
  const FieldSpec& text = TableField(FieldId::MechanismText);
  textMechanism_ = &Add(ControlKind::TextBox, text.control);
  textMechanism_->SetFrame(&frame);
  textMechanism_->SetLabel(text.label);
  textMechanism_->SetToolTip(text.tip);
  textMechanism_->SetText(text.defaultValue);
  textMechanism_->onChange = [this] {
    if (const auto refused = experiment_.Change(FieldId::MechanismText, textMechanism_->Text())) {
      experiment_.host.Message(*refused, MessageKind::Warning);
    }
    experiment_.Refresh();
  };
  labelError_ = &Add(ControlKind::Label, "LabelMechanismError");
  labelError_->SetFrame(&frame);
  command1_ = &Add(ControlKind::Button, "Command1");
  command1_->SetCaption("OK");
  command1_->onClick = [this] { Command1_Click(); };
}

Scheme FormMech::SchemeRows() const {
  return MechanismScheme(experiment_.settings);
}

void FormMech::Command1_Click() {
  OK();
  Hide();
}

void FormMech::OK() {
  experiment_.formTech.OK();
  CaptureTechniqueAndMechanism(experiment_);
}

void FormMech::Refresh(const Settings& s) {
  for (int i = 1; i <= kWrittenMechanismNumber; ++i) {
    const MechanismCode m = static_cast<MechanismCode>(i);
    mech(i).SetChecked(s.Mechanism() == m);
    mech(i).SetEnabled(MechanismOffered(m, s.Digital()));
  }
  const bool written = FieldShown(s, FieldId::MechanismText);
  TextMechanism().SetText(std::string(s.Value(FieldId::MechanismText)));
  TextMechanism().SetVisible(written);
  const std::string message = written ? MechanismScheme(s).message : std::string();
  LabelMechanismError().SetCaption(message);
  LabelMechanismError().SetVisible(!message.empty());
}

}  // namespace vorex
