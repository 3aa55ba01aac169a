#pragma once

namespace vorex {

class Experiment;

// Technique, digital flag (with the availability rules), mechanism and the counts of species and
// reactions, from the Techniques and Mechanism dialogs.
void CaptureTechniqueAndMechanism(Experiment& experiment);

// The whole parameter set from the dialogs. A field that must be a number as a whole (E step,
// scan rate) and is not, a number too large to hold, or a value the experiment uses that has no
// physical meaning (see MeaninglessValue) stops the capture with a message naming the field and
// its text; the parameter set then keeps its previous values and false is returned, so the
// command that asked does not run on a half-read or meaningless experiment.
bool CaptureParameters(Experiment& experiment);

}  // namespace vorex
