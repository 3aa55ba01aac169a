#pragma once

#include <array>
#include <string_view>

#include "experiment/codes.h"

// The techniques, mechanisms and electrodes every experiment is composed of.
namespace vorex {

struct TechniqueEntry {
  std::string_view caption;
  std::string_view name;  // the short name of scripts and settings files ("dc", "sw")
};

struct MechanismEntry {
  std::string_view caption;
  std::string_view description;  // the option's tooltip; empty for 12 and 15
  int species;
  std::array<std::string_view, 3> chargeRows;       // reaction labels, empty past the count
  std::array<std::string_view, 2> homogeneousRows;  // reaction labels, empty past the count
  int chargeReactions;
  int homogeneousReactions;
};

struct ElectrodeEntry {
  std::string_view caption;
  std::string_view lengthCaption;  // empty when the length input is not shown
  std::string_view name;           // the short name of scripts and settings files ("sphere")
};

const TechniqueEntry& Technique(TechniqueCode code);
// The written mechanism (18) has an entry of its own, with no species or reactions.
const MechanismEntry& Mechanism(MechanismCode code);
const ElectrodeEntry& Electrode(ElectrodeCode code);

// A catalogue caption without its number: "1)  A + ne = B" is "A + ne = B".
std::string_view Unnumbered(std::string_view caption);

// What each kind of simulation offers: the digital one every mechanism but 3 (the written one
// included) at electrodes 1 to 6; the analytical one mechanisms 1, 4 and 9 at every electrode.
bool MechanismOffered(MechanismCode mechanism, bool digital);
bool ElectrodeOffered(ElectrodeCode electrode, bool digital);

// Area [cm2] of the electrodes whose area follows from radius r and length L [cm]; the planar
// electrode and the thin film have an entered area.
bool HasComputedArea(ElectrodeCode code);
double ElectrodeArea(ElectrodeCode code, double radius, double length);
// Volume [cm3]: area x L for the planar, microdisc, thin-film and rotating-disk electrodes (area
// as entered or shown), the solid's volume otherwise.
double ElectrodeVolume(ElectrodeCode code, double radius, double length, double area);
// The length input applies (cylinder, hemicylinder: length; thin film: thickness).
bool HasLength(ElectrodeCode code);
bool HasRadius(ElectrodeCode code);

}  // namespace vorex
