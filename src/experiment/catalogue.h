#pragma once

#include <array>
#include <string_view>

// The techniques, mechanisms and electrodes every experiment is composed of.
namespace vorex {

inline constexpr int kTechniqueCount = 5;
inline constexpr int kMechanismCount = 17;
inline constexpr int kElectrodeCount = 8;

struct TechniqueEntry {
  std::string_view caption;
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
};

// code is 1-based; nullptr outside the catalogue.
const TechniqueEntry* Technique(int code);
const MechanismEntry* Mechanism(int code);
const ElectrodeEntry* Electrode(int code);

// Area [cm2] of electrodes 2..6 and 8 from radius r and length L [cm]; electrodes 1 and 7 have
// an entered area and are not computed here.
double ElectrodeArea(int code, double radius, double length);
// Volume [cm3]: area x L for 1, 4, 7, 8 (area as entered or shown), the solid's volume otherwise.
double ElectrodeVolume(int code, double radius, double length, double area);
bool HasComputedArea(int code);

}  // namespace vorex
