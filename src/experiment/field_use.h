#pragma once

#include <optional>
#include <string>

#include "experiment/settings.h"

namespace vorex {

// Whether the experiment of the settings uses the field, so that the Experimental dialog shows it:
// the technique's inputs, the electrode's dimensions, the mechanism's species and reaction rows,
// the bounds of a ticked fit slot, the preconcentration inputs while it is ticked.
bool FieldShown(const Settings& settings, FieldId id);
// Whether the dialog lets the user change it: Ru under digital simulation only, the steps per
// point for the digital linear sweep only.
bool FieldEnabled(const Settings& settings, FieldId id);

// Why a user of the dialogs could not set the field now (not shown, not enabled, or derived
// here), naming it `what`; nothing when they could. The words name the settings as the keywords
// do (digital=False), since these are the messages of settings set by keyword.
std::optional<std::string> WhyNotSettable(const Settings& settings, FieldId id,
                                          const std::string& what);

}  // namespace vorex
