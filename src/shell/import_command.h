#pragma once

#include <optional>
#include <string>

#include "plot/curve_links.h"

namespace vorex {

// The filter of Import Data's file dialog: every format it reads, then each on its own.
inline constexpr const char* kDataFilter =
    "all data files|*.csv *.txt *.mpt *.dta *.DTA *.pssession|csv|*.csv|"
    "CH Instruments text export|*.txt *.csv|BioLogic EC-Lab|*.mpt|Gamry|*.dta *.DTA|"
    "Metrohm Autolab NOVA ASCII|*.txt *.csv|PalmSens|*.pssession *.csv|Ivium text export|*.txt|"
    "all|*.*";

// What the command interface says after `mnuImport file`: `cycle=2` or `cycle=all`, `cycles`
// (list them and import nothing), `apply-settings`, `invert-current` (the file's sign taken the
// other way round), `abscissa=applied` (the applied potential instead of the measured one),
// `scan=measured` (simulations follow the measured potentials). The desktop program asks instead.
struct ImportRequest {
  std::optional<std::string> cycle;
  bool listCycles = false;
  bool applySettings = false;
  bool invertCurrent = false;
  bool appliedPotential = false;
  bool measuredScan = false;
};

// Import Data: the chosen file into the next curve slot, with the E start and E step fields set
// from it. An instrument export is recognised by its content: its cycle is chosen, its steps made
// uniform, and the settings it states shown and offered to the Experimental dialog. Plain pairs
// of numbers read as they always have. Only a file that reads completely changes anything;
// otherwise "ReadData Error: ..." and false.
bool ImportCurve(CurveLinks& links, const ImportRequest& request = {});

}  // namespace vorex
