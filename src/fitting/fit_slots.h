#pragma once

#include <optional>
#include <string>
#include <vector>

#include "experiment/parameter_set.h"
#include "experiment/settings.h"
#include "fitting/fit_driver.h"

namespace vorex {

// The fit slots (fit indices 1..38) ticked in the settings whose species or reaction the
// mechanism has, in slot order: what a fit fits.
std::vector<int> FittedSlots(const Settings& settings);

// Why the fit cannot search within the bounds of the fitted slots: the first parameter (in fit
// index order) whose lower bound lies above its upper one, whose bounds take in values without
// physical meaning (a negative concentration or rate constant, an α outside 0 to 1), or whose
// bound is too large a number. Nothing when every bound may be used.
std::optional<std::string> RefusedBounds(const Settings& settings);

// What the values of fit index k must satisfy, as a phrase ("must lie between 0 and 1"), when
// the bounds low..high take in values that do not; nothing when they may be used (E° may be any).
const char* BoundsWithoutMeaning(int k, double low, double high);

// Fit slot k stands for a positive quantity whose size spans decades (a concentration, a rate
// constant): the fit steps it on a logarithmic scale (FitSetup::logScale). A new slot of such a
// quantity (D, Ru, Cdl) belongs here too.
bool PositiveScaleSlot(int k);

// The pre-equilibration a fit of a written mechanism forms again at each trial (see
// FitSetup::equilibrium): nothing for a built-in mechanism or without pre-equilibration.
std::optional<NetworkEquilibriumInputs> WrittenEquilibrium(const Settings& settings,
                                                           const ParameterSet& p);

// What to fit: the fitted slots, their start values from the parameter set, their bounds from
// the settings and their scales. A bound too large to hold raises RuntimeFault.
FitSetup FitSetupFor(const Settings& settings, const ParameterSet& p);

}  // namespace vorex
