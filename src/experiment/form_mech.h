#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

class Experiment;

// The Mechanism dialog: one of the seventeen reaction mechanisms.
class FormMech : public Window {
 public:
  explicit FormMech(Experiment& experiment);

  Control& mech(int i) { return *mech_(i); }  // i = 1..17
  Control& Command1() { return *command1_; }

  void Command1_Click();
  // The Techniques dialog's OK, then CaptureTechniqueAndMechanism.
  void OK();

 private:
  Experiment& experiment_;
  FixedArray<Control*, 17> mech_{};
  Control* command1_ = nullptr;
};

}  // namespace vorex
