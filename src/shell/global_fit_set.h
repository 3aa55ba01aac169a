#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "experiment/settings.h"
#include "experiment/settings_keywords.h"
#include "fitting/global_fit.h"
#include "plot/curve_links.h"

namespace vorex {

// A measured curve of the set as the program keeps it: its points, and what its experiment has
// of its own besides the program's settings, by keyword (scan_rate, C_A, area, Ru, Cdl,
// background ...). Everything else (the mechanism, the start values, the fitted parameters and
// their bounds) comes from the Experimental dialog when the set is fitted, so that the user sets
// it once for the whole set.
struct SetCurve {
  std::string name;
  std::vector<double> potential, current;
  std::vector<Keyword> own;
};

// The set of measured curves fitted together, with the fitted parameters marked per curve (the
// other ticked ones are shared), the weighting, and the last fit.
struct GlobalFitSet {
  std::vector<SetCurve> curves;
  std::vector<int> perCurveSlots;  // fit indices 1..38
  CurveWeighting weighting = CurveWeighting::Noise;
  int threads = 0;           // 0: every processor
  int evaluationBudget = 0;  // at most this many evaluations of the whole set; 0: no limit
  // The last fit that ended with a report: the curves and set-up it fitted, and its result.
  // Forgotten when the set changes.
  std::vector<GlobalCurve> lastCurves;
  GlobalFitSetup lastSetup;
  std::optional<GlobalFitResult> last;
};

// Adds a curve to the set; why not (a full set, too few points, a current or potential that is
// not a number, potentials and currents of different counts), and nothing is added.
std::optional<std::string> AddSetCurve(GlobalFitSet& set, SetCurve curve);

// Removes curve c (1-based); why not.
std::optional<std::string> RemoveSetCurve(GlobalFitSet& set, int c);

// Gives curve c (1-based) the keywords, replacing any of the same name it had; why not (the
// keyword unknown or refused with the program's settings): then the curve keeps what it had.
std::optional<std::string> SetCurveKeywords(GlobalFitSet& set, const Settings& settings, int c,
                                            const std::vector<Keyword>& keywords);

// Gives curve c (1-based) back the program's value of keyword `name`, which it had of its own;
// why not (no such curve). A curve without that keyword is left as it is.
std::optional<std::string> ClearCurveKeyword(GlobalFitSet& set, int c, std::string_view name);

// Marks fit index `slot` per curve or shared.
void MarkPerCurve(GlobalFitSet& set, int slot, bool perCurve);

// The settings of curve c (0-based) as the fit simulates it: the program's settings changed by
// the curve's own keywords, following its measured potentials from its first (E start); or why
// they cannot be.
std::variant<Settings, std::string> SetCurveSettings(const Settings& settings,
                                                     const GlobalFitSet& set, std::size_t c);

// The curves as the fit takes them, each with its parameter set; or why not (a refused curve,
// named by its number).
std::variant<std::vector<GlobalCurve>, std::string> GlobalCurvesOf(const Settings& settings,
                                                                   const GlobalFitSet& set);

// What to fit: the parameters ticked in the Experimental dialog with their bounds, each per
// curve where marked, with the set's weighting; or why not (nothing ticked, bounds refused).
std::variant<GlobalFitSetup, std::string> GlobalSetupOf(const Settings& settings,
                                                        const GlobalFitSet& set);

// Fits the set: its report into the result window (shown), one "Least square = " line per
// iteration, the user's Cancel through the host. A refusal or fault shows its message and keeps
// the last fit; true when a fit ended with a report.
bool RunGlobalFitCommand(CurveLinks& links, GlobalFitSet& set);

}  // namespace vorex
