#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

class Experiment;
class Settings;

// The Mechanism dialog, a view of the settings' mechanism: one of the seventeen, those the mode
// offers selectable. A mechanism chosen under another mode stays chosen.
class FormMech : public Window {
 public:
  explicit FormMech(Experiment& experiment);

  Control& mech(int i) { return *mech_(i); }  // i = 1..17
  Control& Command1() { return *command1_; }

  void Command1_Click();
  // The Techniques dialog's OK, then CaptureTechniqueAndMechanism.
  void OK();
  void Refresh(const Settings& settings);

 private:
  Experiment& experiment_;
  FixedArray<Control*, 17> mech_{};
  Control* command1_ = nullptr;
};

}  // namespace vorex
