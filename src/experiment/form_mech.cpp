#include "experiment/form_mech.h"

#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"

namespace vorex {

FormMech::FormMech(Experiment& experiment)
    : Window("FormMech", "Mechanism"), experiment_(experiment) {
  Control& frame = Add(ControlKind::Frame, "FrameMech");
  frame.SetCaption("Mechanism");
  for (int i = 1; i <= kMechanismCount; ++i) {
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
  command1_ = &Add(ControlKind::Button, "Command1");
  command1_->SetCaption("OK");
  command1_->onClick = [this] { Command1_Click(); };
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
  for (int i = 1; i <= kMechanismCount; ++i) {
    const MechanismCode m = static_cast<MechanismCode>(i);
    mech(i).SetChecked(s.Mechanism() == m);
    mech(i).SetEnabled(MechanismOffered(m, s.Digital()));
  }
}

}  // namespace vorex
