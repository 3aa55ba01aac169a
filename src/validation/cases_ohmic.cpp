// Cyclic voltammograms of a reversible couple behind an uncompensated resistance: the peak
// separation against a reference that solves the integral equation of the couple with the drop
// (ohmic_reference.h), and the part of it the resistance makes, which must not depend on the E
// step.
#include "validation/case_helpers.h"
#include "validation/ohmic_reference.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Cyclic: uncompensated resistance (reversible couple)";
constexpr char kSource[] =
    "reference: Nicholson & Shain 1964 integral equation with E_int = E + I Ru, solved at 0.2 mV "
    "(src/validation/ohmic_reference.h)";
constexpr double kStart = 0.4, kSwitch = -0.5, kRate = 0.1;

// E0 = 0 so that the programme's potentials fall on every step's grid; 0.9 V divides by each.
Setup Cycle(double ru, double step) {
  Setup s = Programme(1, kStart, kSwitch, step, kRate);
  s.Set("Eze(1)", "0").Set("ComboScan", "cycle");
  if (ru > 0) s.Set("Ru", Text(ru));
  return s;
}

std::string Setting(double ru, double step) {
  return "cycle, mechanism 1, E0 0, 0.4 to -0.5 V and back, v 0.1 V/s, planar 1 cm2, Ru " +
         Num(ru) + " ohm, E step " + Num(step * 1e3) + " mV";
}

// Epa - Epc of the reference.
double ReferenceSeparation(double ru) {
  OhmicCycle cycle;
  cycle.ru = ru;
  cycle.eStart = kStart;
  cycle.eSwitch = kSwitch;
  cycle.v = kRate;
  return OhmicCycleSeparation(cycle);
}

void AddSeparation(std::vector<Case>& cases, double ru, double step, double reference) {
  cases.push_back({.name = "cycle.ohmic.ru" + Num(ru) + ".separation.step" + Num(step * 1e3),
                   .group = kGroup,
                   .setting = Setting(ru, step),
                   .merit = "Epa - Epc",
                   .unit = Unit::Potential,
                   .theory = reference,
                   .source = kSource,
                   .tolerance = 0.0015,
                   .measure = Read(Cycle(ru, step), PeakSeparation),
                   .required = kDigital,
                   .quick = step == 0.001});
}

// (Epa - Epc) with the resistance less (Epa - Epc) without, at the same step. Within 0.5 mV of
// the reference's at every step, so within 1 mV of each other.
void AddResistancePart(std::vector<Case>& cases, double ru, double step, double reference) {
  const Setup with = Cycle(ru, step), without = Cycle(0, step);
  const Measure part = [with, without](Runs& runs, Mode mode) -> Measurement {
    const Measurement a = FromRun(runs, with, mode, PeakSeparation);
    const Measurement b = FromRun(runs, without, mode, PeakSeparation);
    if (!a.value) return a;
    if (!b.value) return b;
    return {*a.value - *b.value, ""};
  };
  cases.push_back({.name = "cycle.ohmic.ru" + Num(ru) + ".part.step" + Num(step * 1e3),
                   .group = kGroup,
                   .setting = Setting(ru, step),
                   .merit = "(Epa - Epc) less that at Ru 0",
                   .unit = Unit::Potential,
                   .theory = reference,
                   .source = kSource,
                   .tolerance = 0.0005,
                   .measure = part,
                   .required = kDigital,
                   .quick = step == 0.005});
}

}  // namespace

void AddOhmicCases(std::vector<Case>& cases) {
  const double without = ReferenceSeparation(0);
  for (double ru : {0.0, 50.0, 100.0, 500.0}) {
    const double reference = ru > 0 ? ReferenceSeparation(ru) : without;
    for (double step : {0.001, 0.0005}) AddSeparation(cases, ru, step, reference);
    if (ru == 0) continue;
    for (double step : {0.005, 0.002, 0.001, 0.0005})
      AddResistancePart(cases, ru, step, reference - without);
  }
}

}  // namespace vorex::validation
