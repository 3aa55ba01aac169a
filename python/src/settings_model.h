#pragma once

#include <memory>
#include <string>
#include <vector>

#include "experiment/experiment.h"
#include "experiment/parameter_set.h"
#include "settings.h"

namespace vorex::python {

class ClassModel;

// The experiment of one call, typed as a user would type the settings into the dialogs of a
// fresh program: the technique, mode and mechanism chosen in their dialogs, the electrode and the
// fields in the Experimental dialog. The dialogs are this thread's, kept per technique, mode,
// mechanism and electrode so that a call costs only its typing; when the scope ends every
// control and the parameter set return to the state they had before the typing, so each call
// sees the dialogs as a fresh program shows them.
class TypedExperiment {
 public:
  // Raises ValueError when a mechanism, electrode or field is not offered for the settings, with
  // the reason the dialogs have for it.
  explicit TypedExperiment(const Settings& settings);
  ~TypedExperiment();
  TypedExperiment(const TypedExperiment&) = delete;
  TypedExperiment& operator=(const TypedExperiment&) = delete;

  Experiment& experiment();
  // Types a text into a field of the Experimental dialog the user can reach; ValueError naming
  // `what` when it is not offered.
  void Type(Control& field, const std::string& text, const std::string& what);
  void Check(Control& box, bool checked, const std::string& what);
  // CaptureParameters; ValueError with the dialog's message when it refuses a field.
  ParameterSet Capture();

 private:
  ClassModel& model_;
};

// The parameter set the settings give, as TypedExperiment's Capture gives it. The captures of
// the thread's last few settings are kept: the same settings always give the same parameter set,
// and typing them costs more than the run of many a simulation.
ParameterSet CaptureSettings(const Settings& settings);

// Drops this thread's dialogs and kept captures, so the next call builds them afresh.
void ForgetThreadModels();
// Drops only the kept captures, so the next call types into the thread's dialogs again.
void ForgetThreadCaptures();

}  // namespace vorex::python
