#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"
#include "experiment/codes.h"
#include "experiment/mechanism_scheme.h"

namespace vorex {

class Experiment;
class Settings;

// The Mechanism dialog, a view of the settings' mechanism: one of the seventeen or the written
// one, those the mode offers selectable, the text of the written one and the table of its
// species and steps. A mechanism chosen under another mode stays chosen.
class FormMech : public Window {
 public:
  explicit FormMech(Experiment& experiment);

  Control& mech(int i) { return *mech_(i); }  // i = 1..17, 18 written
  // The written mechanism's text, shown while it is chosen.
  Control& TextMechanism() { return *textMechanism_; }
  // The parser's message while the text does not parse; empty otherwise.
  Control& LabelMechanismError() { return *labelError_; }
  Control& Command1() { return *command1_; }

  // The species, transfers and steps of the text as the settings hold it, for the table beside
  // it; the parser's message instead when it does not parse.
  Scheme SchemeRows() const;

  void Command1_Click();
  // The Techniques dialog's OK, then CaptureTechniqueAndMechanism.
  void OK();
  void Refresh(const Settings& settings);

 private:
  Experiment& experiment_;
  FixedArray<Control*, kWrittenMechanismNumber> mech_{};
  Control* textMechanism_ = nullptr;
  Control* labelError_ = nullptr;
  Control* command1_ = nullptr;
};

}  // namespace vorex
