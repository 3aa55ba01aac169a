// Differential pulse and square wave at a plane against the exact current of the program's own
// waveform (reversible: the superposition of Cottrell steps; quasi-reversible: the rate law's
// integral equation), judged by the peak of the sampled curve: the same parabola through the
// same potentials for theory and program.
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/program_constants.h"
#include "validation/pulse_superposition.h"

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

// Both figures of a pulse curve, required in the modes given.
void AddPeakPair(std::vector<Case>& cases, const std::string& name, const char* group,
                 const std::string& setting, const Setup& s, const Peak& theory, const char* source,
                 unsigned required) {
  Case c{.name = name + ".ip",
         .group = group,
         .setting = setting,
         .merit = "peak current",
         .unit = Unit::Current,
         .theory = theory.current,
         .source = source,
         .tolerance = 0.01,
         .measure = Read(s, CathodicPeakCurrent),
         .required = required,
         .quick = true};
  cases.push_back(c);
  c.name = name + ".ep";
  c.merit = "peak potential";
  c.unit = Unit::Potential;
  c.theory = theory.potential;
  c.tolerance = 0.001;
  c.measure = Read(s, CathodicPeakPotential);
  cases.push_back(c);
}

Setup DifferentialPulseSetup(double ePulse, double td = 0.5) {
  const double step = 0.005, tp = 0.05;
  Setup s = Programme(4, 0.3, -0.3, step, step / td);
  return s.Set("tp", Text(tp)).Set("Epulse", Text(ePulse));
}

Setup SquareWaveSetup(double ePulse, double frequency) {
  Setup s = Programme(5, 0.3, -0.3, 0.005, 0);
  return s.Set("TextF", Text(frequency)).Set("Epulse", Text(ePulse));
}

void AddDifferentialPulse(std::vector<Case>& cases, double ePulse) {
  const std::vector<double> e = Staircase(0.005);
  const Peak theory = TheoryPeak(e, DifferentialPulse(Couple{}, e, ePulse, 0.5, 0.05));
  AddPeakPair(cases, "dp.pulse" + Num(ePulse * 1e3), kGroup,
              "differential pulse, mechanism 1, planar 1 cm2, td 0.5 s, tp 0.05 s, Epulse " +
                  Num(ePulse * 1e3) + " mV, E step 5 mV",
              DifferentialPulseSetup(ePulse), theory, kSource, kBoth);
}

// Theoretical Peak's printed Ip for the waveform of s, against the same theory as the run's peak.
Case PrintedPeakRow(std::string name, const std::string& setting, const Setup& s,
                    const Peak& theory) {
  return {
      .name = std::move(name),
      .group = kGroup,
      .setting = setting + "; Theoretical Peak",
      .merit = "printed Ip",
      .unit = Unit::Current,
      .theory = theory.current,
      .source = kSource,
      .tolerance = 0.01,
      .measure = ReadPrinted(Setup(s).Then("mnuCompId"),
                             [](const RunResult& run) { return Printed(run, "Rev Peak", "Ip ="); }),
      .required = kAnalytical,
      .quick = true};
}

// Theoretical Peak prints Parry and Osteryoung's peak, which leaves out the base current's own
// decay between the two samples: with td = 1 s that is 0.35 % of the peak at E pulse -50 mV.
void AddDifferentialPulseTheory(std::vector<Case>& cases) {
  const std::vector<double> e = Staircase(0.005);
  const double ePulse = -0.05, td = 1;
  const Peak theory = TheoryPeak(e, DifferentialPulse(Couple{}, e, ePulse, td, 0.05));
  const Setup s = DifferentialPulseSetup(ePulse, td);
  const std::string setting =
      "differential pulse, mechanism 1, planar 1 cm2, td 1 s, tp 0.05 s, Epulse -50 mV, E step "
      "5 mV";
  AddPeakPair(cases, "dp.td1.pulse-50", kGroup, setting, s, theory, kSource, kBoth);
  cases.push_back(PrintedPeakRow("compid.dp.td1.pulse-50.ip", setting, s, theory));
}

// With the square wave, Theoretical Peak prints the peak current of the same waveform.
void AddSquareWave(std::vector<Case>& cases, double ePulse, double frequency) {
  const std::vector<double> e = Staircase(0.005);
  const Peak theory = TheoryPeak(e, SquareWave(Couple{}, e, ePulse, 0.5 / frequency));
  const std::string name = "sw.pulse" + Num(ePulse * 1e3) + ".f" + Num(frequency);
  const std::string setting = "square wave, mechanism 1, planar 1 cm2, f " + Num(frequency) +
                              " Hz, Epulse " + Num(ePulse * 1e3) + " mV, E step 5 mV";
  const Setup s = SquareWaveSetup(ePulse, frequency);
  AddPeakPair(cases, name, kGroup, setting, s, theory, kSource, kBoth);
  cases.push_back(PrintedPeakRow("compid." + name + ".ip", setting, s, theory));
}

// ks 1e-3 cm/s against sqrt(D/t) = 0.013 cm/s at the 0.06 s of a pulse: well inside the
// quasi-reversible zone, where the analytical mode's closed forms are approximations. The
// digital mode must hold; the analytical mode's error is measured only.
void AddQuasiReversible(std::vector<Case>& cases) {
  constexpr char group[] = "Differential pulse and square wave: quasi-reversible (ks 1e-3 cm/s)";
  constexpr char source[] =
      "Butler-Volmer rate law on the waveform's staircase, the Volterra equation of the flux "
      "solved by product integration (derived in pulse_superposition.h)";
  const Kinetics kinetics{1e-3, 0.5};
  const std::vector<double> e = Staircase(0.005);
  const double ePulse = -0.05;
  AddPeakPair(cases, "dp.quasireversible.pulse-50", group,
              "differential pulse, ks 1e-3 cm/s, alpha 0.5, td 0.5 s, tp 0.05 s, Epulse -50 mV, "
              "E step 5 mV",
              DifferentialPulseSetup(ePulse).Set("ks(1)", Text(kinetics.ks)),
              TheoryPeak(e, KineticDifferentialPulse(Couple{}, kinetics, e, ePulse, 0.5, 0.05)),
              source, kDigital);
  AddPeakPair(cases, "sw.quasireversible.pulse-50.f10", group,
              "square wave, ks 1e-3 cm/s, alpha 0.5, f 10 Hz, Epulse -50 mV, E step 5 mV",
              SquareWaveSetup(ePulse, 10).Set("ks(1)", Text(kinetics.ks)),
              TheoryPeak(e, KineticSquareWave(Couple{}, kinetics, e, ePulse, 0.05)), source,
              kDigital);
}

}  // namespace

void AddPulseCases(std::vector<Case>& cases) {
  for (double ePulse : {-0.01, -0.025, -0.05, -0.1}) AddDifferentialPulse(cases, ePulse);
  AddDifferentialPulseTheory(cases);
  for (double ePulse : {-0.01, -0.02, -0.05, -0.1}) AddSquareWave(cases, ePulse, 10);
  AddQuasiReversible(cases);
}

}  // namespace vorex::validation
