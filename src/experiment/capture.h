#pragma once

#include <optional>

#include "experiment/capture_checks.h"
#include "experiment/derivation.h"
#include "experiment/parameter_set.h"
#include "experiment/settings.h"

namespace vorex {

class Experiment;

// A parameter set made from settings, or the field that refused it.
struct Captured {
  ParameterSet parameters;
  std::optional<Refusal> refusal;
  bool ok() const { return !refusal; }
};

// The parameter set the settings give: every field read as the dialogs hold it, with what the
// Experimental dialog derives (area, volume, drop and pulse time, equilibrium constants, initial
// concentrations with pre-equilibration and preconcentration) derived from the settings
// themselves. A field that must be a number as a whole (E step, scan rate) and is not, a number
// too large to hold, a geometry that gives no area, or a value the experiment uses that has no
// physical meaning (see MeaninglessValue) is refused with a message naming the field and its
// text. No window, no message box: the caller shows the refusal.
Captured MakeParameterSet(const Settings& settings);

// The experiment's parameter set from its settings, for the commands that compute: a refusal is
// shown in a message box, the parameter set then keeps its previous values and false is
// returned, so the command that asked does not run on a half-read or meaningless experiment.
bool CaptureParameters(Experiment& experiment);

// Technique, digital flag, mechanism and the counts of species and reactions into the parameter
// set, without the rest of a capture.
void CaptureTechniqueAndMechanism(Experiment& experiment);

}  // namespace vorex
