#pragma once

#include <cstdio>
#include <string>

#include "figures_of_merit.h"
#include "validation_case.h"

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
