// Differential pulse and square wave of a reversible planar couple against the exact current of
// the program's own waveform (the superposition of Cottrell steps), judged by the peak of the
// sampled curve: the same parabola through the same potentials for theory and program.
#include <cmath>
#include <cstddef>

#include "case_helpers.h"
#include "program_constants.h"
#include "pulse_superposition.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Differential pulse and square wave (exact current of the waveform)";
constexpr char kSource[] =
    "superposition of Cottrell steps with the Nernst condition (derived in pulse_superposition.h)";

// The potentials of a single sweep from 0.3 to -0.3 V, as the potential programme defines them.
std::vector<double> Staircase(double step) {
  std::vector<double> e;
  const int points = static_cast<int>(std::lround(0.6 / step)) + 1;
  for (int k = 0; k < points; ++k) e.push_back(0.3 - k * step);
  return e;
}

Peak TheoryPeak(const std::vector<double>& e, const std::vector<double>& i) {
  Curve c{e, i, static_cast<int>(e.size())};
  return CathodicPeak(c);
}

// The digital mode must meet the targets; the analytical mode is held to the peak potentials it
// gives within 1 mV today (`analyticalPotential`).
void AddPeakPair(std::vector<Case>& cases, const std::string& name, const std::string& setting,
                 const Setup& s, const Peak& theory, bool analyticalPotential) {
  cases.push_back({.name = name + ".ip",
                   .group = kGroup,
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = theory.current,
                   .source = kSource,
                   .tolerance = 0.01,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = kDigital,
                   .quick = true});
  cases.push_back({.name = name + ".ep",
                   .group = kGroup,
                   .setting = setting,
                   .merit = "peak potential",
                   .unit = Unit::Potential,
                   .theory = theory.potential,
                   .source = kSource,
                   .tolerance = 0.001,
                   .measure = Read(s, CathodicPeakPotential),
                   .required = analyticalPotential ? kBoth : kDigital,
                   .quick = true});
}

void AddDifferentialPulse(std::vector<Case>& cases, double ePulse) {
  const double step = 0.005, td = 0.5, tp = 0.05;
  Setup s = Programme(4, 0.3, -0.3, step, step / td);
  s.Set("tp", Text(tp)).Set("Epulse", Text(ePulse));
  const std::vector<double> e = Staircase(step);
  const Peak theory = TheoryPeak(e, DifferentialPulse(Couple{}, e, ePulse, td, tp));
  AddPeakPair(cases, "dp.pulse" + Num(ePulse * 1e3),
              "differential pulse, mechanism 1, planar 1 cm2, td 0.5 s, tp 0.05 s, Epulse " +
                  Num(ePulse * 1e3) + " mV, E step 5 mV",
              s, theory, ePulse == -0.05);
}

void AddSquareWave(std::vector<Case>& cases, double ePulse, double frequency) {
  const double step = 0.005, tp = 0.5 / frequency;
  Setup s = Programme(5, 0.3, -0.3, step, 0);
  s.Set("TextF", Text(frequency)).Set("Epulse", Text(ePulse));
  const std::vector<double> e = Staircase(step);
  const Peak theory = TheoryPeak(e, SquareWave(Couple{}, e, ePulse, tp));
  AddPeakPair(cases, "sw.pulse" + Num(ePulse * 1e3) + ".f" + Num(frequency),
              "square wave, mechanism 1, planar 1 cm2, f " + Num(frequency) + " Hz, Epulse " +
                  Num(ePulse * 1e3) + " mV, E step 5 mV",
              s, theory, true);
}

}  // namespace

void AddPulseCases(std::vector<Case>& cases) {
  AddDifferentialPulse(cases, -0.01);
  AddDifferentialPulse(cases, -0.05);
  AddSquareWave(cases, -0.05, 10);
  AddSquareWave(cases, -0.02, 10);
}

}  // namespace vorex::validation
