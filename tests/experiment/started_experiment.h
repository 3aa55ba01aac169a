#pragma once

#include <gtest/gtest.h>

#include "experiment/capture.h"
#include "experiment/experiment.h"
#include "support/recording_host.h"

namespace vorex::testing {

// An experiment in the state the program's start-up leaves it: the dialogs' defaults, electrode
// 1, n and p of 1, and one capture.
class StartedExperiment : public ::testing::Test {
 protected:
  StartedExperiment() {
    form.Form_Load();
    CaptureParameters(e);
  }

  // What the Experimental command does: capture technique and mechanism, then show the dialog.
  void OpenExperimental() {
    CaptureTechniqueAndMechanism(e);
    form.Form_Activate();
  }
  void ChooseMechanism(int m) {
    e.formMech.Click(e.formMech.mech(m));
    e.formMech.Command1_Click();
  }
  void Type(Control& c, const std::string& text) { form.Type(c, text); }

  RecordingHost host;
  Experiment e{host};
  ParameterSet& p = e.parameterSet;
  FormExpr& form = e.formExpr;
};

}  // namespace vorex::testing
