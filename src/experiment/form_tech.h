#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

class Experiment;
class Settings;

// The Techniques dialog, a view of the settings' technique and mode (analytical or digital
// simulation) with the digital sweep's steps per point; the mode decides what the other dialogs
// offer.
class FormTech : public Window {
 public:
  explicit FormTech(Experiment& experiment);

  Control& optTech(int i) { return *optTech_(i); }  // i = 1..5
  Control& CheckDigital() { return *checkDigital_; }
  Control& TextSteps() { return *textSteps_; }
  Control& CmdOK() { return *cmdOK_; }

  void CmdOK_Click();
  // TechValue, then CheckDigital_Click: the dialog's choices into the settings, and every view
  // shows what the mode offers.
  void OK();
  void TechValue();
  void CheckDigital_Click();
  // The steps per point typed: into the settings, or the reason they refuse it.
  void TextSteps_Change();
  void Refresh(const Settings& settings);

 private:
  Experiment& experiment_;
  FixedArray<Control*, 5> optTech_{};
  Control* checkDigital_ = nullptr;
  Control* textSteps_ = nullptr;
  Control* cmdOK_ = nullptr;
};

}  // namespace vorex
