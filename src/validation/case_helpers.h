#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "validation/figures_of_merit.h"
#include "validation/validation_case.h"

// Small pieces the case tables share.
namespace vorex::validation {

// A number as the case descriptions print it.
inline std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// The potential programme of a single sweep with its step and rate; the dialog derives the time
// per point (td = E step / v) from them.
inline Setup Programme(int technique, double eStart, double eEnd, double eStep, double v) {
  Setup s;
  s.technique = technique;
  s.Set("Estart", Text(eStart)).Set("Eend", Text(eEnd)).Set("Estep", Text(eStep));
  if (technique != 5) s.Set("V", Text(v));
  return s;
}

// A measure that reads one figure of merit from one run.
template <class Merit>
Measure Read(Setup setup, Merit merit) {
  return [setup, merit](Runs& runs, Mode mode) { return FromRun(runs, setup, mode, merit); };
}

// A measure that reads one figure of merit from all a run gave.
template <class Merit>
Measure ReadResult(Setup setup, Merit merit) {
  return [setup, merit](Runs& runs, Mode mode) { return FromResult(runs, setup, mode, merit); };
}

// A result the program prints from the parameters alone, whichever mode is chosen: read in the
// analytical mode only, so that the report shows it once.
template <class Merit>
Measure ReadPrinted(Setup setup, Merit merit) {
  return [setup, merit](Runs& runs, Mode mode) {
    if (mode == Mode::Digital)
      return Measurement{std::nullopt,
                         "printed from the parameters alone: read in the analytical mode"};
    return FromResult(runs, setup, mode, merit);
  };
}

// The number printed after `label` on the last result line that starts with `line`.
inline double Printed(const RunResult& run, const std::string& line, const std::string& label) {
  std::optional<double> found;
  std::istringstream rows(run.printed);
  for (std::string row; std::getline(rows, row);) {
    const std::size_t at = row.find(label);
    if (row.rfind(line, 0) != 0 || at == std::string::npos) continue;
    const char* number = row.c_str() + at + label.size();
    char* past = nullptr;
    const double value = std::strtod(number, &past);
    if (past != number) found = value;
  }
  if (!found) throw std::runtime_error("nothing printed as \"" + line + " ... " + label + "\"");
  return *found;
}

inline double CathodicPeakCurrent(const Curve& c) {
  return CathodicPeak(c).current;
}
inline double CathodicPeakPotential(const Curve& c) {
  return CathodicPeak(c).potential;
}
inline double PeakSeparation(const Curve& c) {
  return AnodicPeak(c).potential - CathodicPeak(c).potential;
}
inline double LastCurrent(const Curve& c) {
  return c.i.at(c.e.size() - 1);
}

}  // namespace vorex::validation
