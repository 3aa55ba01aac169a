// The plot option dialog's controls as a project keeps them (see project_file.h): every control
// that holds something is kept by its name, so a control added to the dialog later is kept
// without a change here.
#include "shell/project_file.h"
#include "shell/project_names.h"

namespace vorex {
namespace {

bool HoldsState(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::CheckBox ||
         kind == ControlKind::OptionButton || kind == ControlKind::ComboBox;
}

}  // namespace

std::vector<ControlState> ControlStatesOf(const Window& window) {
  std::vector<ControlState> states;
  for (const auto& control : window.Controls()) {
    if (!HoldsState(control->Kind())) continue;
    states.push_back(ControlState{control->FullName(), control->Text(), control->Checked(),
                                  control->ListIndex()});
  }
  return states;
}

void RestoreControlStates(Window& window, const std::vector<ControlState>& states) {
  for (const ControlState& state : states) {
    Control* control = FindByFullName(window, state.name);
    if (control == nullptr) continue;
    switch (control->Kind()) {
      case ControlKind::ComboBox:
        control->SetListIndex(state.listIndex);
        break;
      case ControlKind::TextBox:
        control->SetText(state.text);
        break;
      default:
        control->SetChecked(state.checked);
    }
  }
}

}  // namespace vorex
