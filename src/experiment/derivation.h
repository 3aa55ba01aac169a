#pragma once

#include <array>
#include <optional>
#include <string>

#include "experiment/settings.h"

namespace vorex {

// What the Experimental dialog derives from the settings and shows, each as the text it shows and
// the parameter set reads: the electrode area where the geometry gives it, the drop time, the
// square wave's pulse time, the equilibrium constants and the initial concentrations
// (pre-equilibrated, preconcentrated; those of a written mechanism from its network). It is a
// function of the settings alone. A value that
// cannot be derived (a text too large to hold, a division by zero, an overflow) shows empty,
// except the square wave's pulse time, which shows the typed one, and the initial concentrations,
// which show the analytical ones when their equilibrium cannot be formed.
struct Derivation {
  std::string area;    // ARE: derived at electrodes of a radius, typed elsewhere [cm2]
  std::string tPulse;  // tp: 0.5 / f for square wave, typed elsewhere [s]
  std::string tDrop;   // td: E step / v [s]
  std::array<std::string, kSpeciesRows> cInit;  // Cinit(1..8) [mol/L]
  std::array<std::string, kChemicalRows> keq;   // LabelKeq(1..4): kf / kb
  double volume = 0;                     // electrode volume [cm3]; 0 when it cannot be formed
  std::optional<std::string> areaFault;  // why the geometry gave no area
  bool operator==(const Derivation&) const = default;
};

Derivation Derive(const Settings& settings);
// The same without the last derivation the thread keeps (see Derive): for the check that the
// fields it is kept by are all the derivation reads.
Derivation DeriveAfresh(const Settings& settings);
// The fields whose values decide the derivation.
bool DerivationReads(FieldId id);

// The text the Experimental dialog shows in a field: its derived text where it is derived (always
// for td, Cinit and LabelKeq; ARE at electrodes of a radius; tp for square wave), the value of the
// settings otherwise.
std::string_view ShownText(const Settings& settings, const Derivation& derived, FieldId id);
// The field is derived here, so its text box takes no typing.
bool DerivedHere(const Settings& settings, FieldId id);
// The value of the text the dialog shows in a field, as it reads it (see NumericPrefix); raises
// "Overflow" for a number too large to hold.
double ShownNumber(const Settings& settings, const Derivation& derived, FieldId id);

}  // namespace vorex
