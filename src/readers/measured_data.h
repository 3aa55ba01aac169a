#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorex {

// One cycle (or scan, or the whole record when the file has no cycles) of a measured curve.
struct MeasuredCycle {
  int number = 0;                 // the cycle's number as the file counts it (0- or 1-based)
  std::vector<double> potential;  // the abscissa: measured potential, else applied [V]
  std::vector<double> applied;    // the applied (control) potential when the file has both [V]
  std::vector<double> current;    // [A], reduction positive (Vorex's convention)
};

// The technique parameters a file states, converted to the Experimental dialog's units.
struct MeasuredSettings {
  std::optional<double> startPotential;  // [V]
  std::optional<double> endPotential;    // the (first) turning or final potential [V]
  std::optional<double> potentialStep;   // [V]
  std::optional<double> scanRate;        // [V/s]
  std::optional<double> pulseHeight;     // [V]
  std::optional<double> pulseWidth;      // [s]
  std::optional<double> frequency;       // [Hz]
  std::optional<double> area;            // [cm2]
  std::optional<double> ru;              // uncompensated or compensated resistance [ohm]
};

// What one instrument file holds, as read: every cycle in the file's order, the settings, and
// what the reader met on the way (a run aborted, points announced but missing, a column it could
// not use, the sign it converted), one sentence each.
struct MeasuredData {
  std::string format;     // the format's name as the user knows it ("BioLogic EC-Lab .mpt")
  std::string technique;  // as the file names it ("Cyclic Voltammetry"); empty when it does not
  std::vector<MeasuredCycle> cycles;  // at least one, each with at least one point
  MeasuredSettings settings;
  std::vector<std::string> notes;
};

// Why a file cannot be read: the format it was recognised as, the line (1-based; 0 for the file
// as a whole) and the reason, e.g. {"Gamry .DTA", 12, "the units row is missing"}.
struct ReadError {
  std::string format;
  int line = 0;
  std::string reason;
  std::string Message() const;  // "Gamry .DTA, line 12: the units row is missing"
};

}  // namespace vorex
