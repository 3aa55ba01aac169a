#pragma once

#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "keywords.h"

namespace vorex::python {

// One field as the user types it: the text of a text box, or the item of a list.
struct Typing {
  const Keyword* keyword;
  std::string text;  // Python's repr of the value as a float
  double value;      // the same number, for a list to find its item by
  bool whereShown;   // from a bare "D": typed only where the dialog shows the row
};

// What the keywords of a call ask for, checked for form but not yet against the dialogs.
struct Settings {
  int technique = 1;  // TechniqueCode 1..5
  int scan = 1;       // item of the Scan list: 0 single, 1 cycle, 2 two cycles
  int mechanism = 1;  // MechanismCode 1..17
  int electrode = 1;  // ElectrodeCode 1..8
  bool digital = true;
  // Each field once, in the dialog's order, a bare alias already spread over its targets.
  std::vector<Typing> typed;
};

// The settings of technique, mechanism, electrode, digital and the parameter keywords. Raises
// ValueError (unknown keyword, value out of its list, a value that is not finite) or TypeError
// (a value that is not a real number).
Settings ParseSettings(const pybind11::handle& technique, const pybind11::handle& mechanism,
                       const pybind11::handle& electrode, const pybind11::handle& digital,
                       const pybind11::dict& parameters);

// The short names of techniques and electrodes, as the keywords take them.
const char* TechniqueName(int technique, int scan);
const char* ElectrodeName(int electrode);

// Python's repr of a real number as a float, as it is typed into a field; TypeError for a value
// that is not a real number, ValueError for one that is not finite, both naming `what`.
std::string TypedNumber(const pybind11::handle& value, const std::string& what);

}  // namespace vorex::python
