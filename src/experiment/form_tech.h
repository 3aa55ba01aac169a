#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

class Experiment;

// The Techniques dialog: the technique and the choice between analytical and digital
// simulation, with the availability rules that choice imposes on the other dialogs.
class FormTech : public Window {
 public:
  explicit FormTech(Experiment& experiment);

  Control& optTech(int i) { return *optTech_(i); }  // i = 1..5
  Control& CheckDigital() { return *checkDigital_; }
  Control& CmdOK() { return *cmdOK_; }

  void CmdOK_Click();
  // TechValue, then CheckDigital_Click: re-reads technique and digital flag and re-applies the
  // availability rules.
  void OK();
  void TechValue();
  void CheckDigital_Click();

 private:
  Experiment& experiment_;
  FixedArray<Control*, 5> optTech_{};
  Control* checkDigital_ = nullptr;
  Control* cmdOK_ = nullptr;
};

}  // namespace vorex
