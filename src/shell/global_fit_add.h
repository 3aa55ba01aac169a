#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "curves/curve_store.h"
#include "experiment/settings.h"
#include "experiment/settings_keywords.h"
#include "shell/global_fit_set.h"
#include "shell/import_command.h"

namespace vorex {

// Curves for the set, with what was done to their points on the way, a line each.
struct CurvesToAdd {
  std::vector<SetCurve> curves;
  std::vector<std::string> lines;
  std::string format;       // the file's, as the reader names it ("CH Instruments text export")
  std::vector<int> cycles;  // each curve's cycle as the file numbers it; 0 for the whole record
};

// The curves of a measured file, read as Import Data reads it (the request's invert-current and
// abscissa=applied too): without a cycle the whole record as one curve, as it was measured;
// cycle=N that cycle; cycle=all every cycle as a curve of its own. Each is put on a uniform step
// and thinned to the store's points only where Import Data would do the same to it, is named by
// the file (" cycle N" after it when a cycle was chosen) and has the scan rate the file states as
// its own scan_rate (and the area it states as its own area). Or why not, as "ReadData Error: ..."
// says it.
std::variant<CurvesToAdd, std::string> SetCurvesOfFile(const std::string& file,
                                                       const ImportRequest& request);

// Curve n (1..CurveCount) of the store over all its points, its abscissa as the potentials,
// named "curve n of the plot"; or why not.
std::variant<SetCurve, std::string> SetCurveOfStore(const CurveStore& store, int n);

// Why curve c (0-based) of the set cannot be simulated for a value of its own keywords (a scan
// rate of 0, a negative Cdl), as the capture of its settings says it; nothing when its own values
// mean something, or when what refuses is not among them (the fit says why then).
std::optional<std::string> RefusedOwnValue(const Settings& settings, const GlobalFitSet& set,
                                           std::size_t c);

// Adds the curves to the set, each with the keywords as its own over what it brought (a keyword
// given replaces the one of the same name, so scan_rate=0.05 wins over the file's). All are
// added or none: why not (the set full, a curve refused, a keyword refused with the settings or
// for its value).
std::optional<std::string> AddSetCurves(GlobalFitSet& set, const Settings& settings,
                                        std::vector<SetCurve> curves,
                                        const std::vector<Keyword>& keywords);

}  // namespace vorex
