#pragma once

#include <string>

#include <pybind11/pybind11.h>

#include "experiment/capture.h"
#include "experiment/settings.h"

// Settings from Python: keywords as Python gives them, and the values of the settings as Python
// sees them.
namespace vorex::python {

// The settings a call works on: `settings` (a vorex.Settings, or None for the design defaults)
// changed by the keywords, checked as the dialogs offer them. TypeError for a value of the wrong
// kind, ValueError with the dialogs' reason otherwise.
Settings SettingsFor(const pybind11::handle& settings, const pybind11::dict& keywords);
// The same keywords applied to a copy of `base`.
Settings WithKeywords(const Settings& base, const pybind11::dict& keywords);

// The parameter set of the settings; ValueError with the capture's message, prefixed with the
// keyword of the field it names, when the capture refuses.
ParameterSet ParametersOf(const Settings& settings);

// A field's value as Python sees it: a number's value as the program reads it, the technique,
// electrode and scan by name, the mechanism and the lists as int, check boxes as bool; a derived
// field as the dialog derives it (None where it cannot be).
pybind11::object FieldValue(const Settings& settings, FieldId id);

// Python's shortest repr of a real number, as it is typed into a field.
std::string TypedNumber(double value);
// The same of a Python value; TypeError for one that is not a real number, ValueError for one
// that is not finite, both naming `what`.
std::string TypedNumber(const pybind11::handle& value, const std::string& what);

// The keyword of the parameter fit slot k (1..38) fits: "C_A", "ks_1".
std::string FitName(int k);

}  // namespace vorex::python
