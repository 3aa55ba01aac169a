// Cyclic voltammograms of one couple: the reversible peak separation against the switching
// potential, and the quasi-reversible one against Nicholson's psi.
#include <cmath>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"
#include "validation/published_tables.h"

namespace vorex::validation {
namespace {

constexpr char kGroupReversible[] = "Cyclic: reversible peak separation";
constexpr char kGroupQuasi[] = "Cyclic: quasi-reversible peak separation (Nicholson)";

// E0 = 0 so that the switching potentials fall on the 1 mV grid.
Setup Cycle(double eStart, double eEnd, double step, double v) {
  Setup s = Programme(1, eStart, eEnd, step, v);
  return s.Set("Eze(1)", "0").Set("ComboScan", "cycle");
}

void AddSwitching(std::vector<Case>& cases, double beyondPeak, double separation,
                  const std::string& source) {
  // The cathodic peak lies 28.5 mV below E1/2 = E0 = 0 (to 0.01 mV), so the switching
  // potentials are whole millivolts on the 1 mV grid.
  const double eLambda = -0.0285 - beyondPeak;
  const Setup s = Cycle(0.3, eLambda, 0.001, 0.01);
  cases.push_back({.name = "cycle.reversible.switch" + Num(beyondPeak * 1e3),
                   .group = kGroupReversible,
                   .setting = "cycle, mechanism 1, E0 0, 0.3 V to " + Num(eLambda * 1e3) +
                              " mV and back, E step 1 mV, v 10 mV/s",
                   .merit = "Epa - Epc",
                   .unit = Unit::Potential,
                   .theory = separation,
                   .source = source,
                   .tolerance = 0.001,
                   .measure = Read(s, PeakSeparation),
                   .required = kBoth,
                   .quick = true});
}

void AddQuasiReversible(std::vector<Case>& cases, double psi, double separation) {
  const double v = 0.1;
  const double ks = psi * std::sqrt(kPi * kD * kFrt * v);
  Setup s = Cycle(0.4, -0.1125, 0.0005, v);
  s.Set("ks(1)", Text(ks));
  cases.push_back({.name = "cycle.quasireversible.psi" + Num(psi),
                   .group = kGroupQuasi,
                   .setting = "cycle, mechanism 1, E0 0, ks " + Num(ks) + " cm/s (psi " + Num(psi) +
                              "), alpha 0.5, 0.4 to -0.1125 V and back, E step 0.5 mV, v 0.1 V/s",
                   .merit = "Epa - Epc",
                   .unit = Unit::Potential,
                   .theory = separation,
                   .source = "Nicholson 1965, psi working-curve table (alpha 0.5, 25 degrees C)",
                   .tolerance = 0.002,
                   .measure = Read(s, PeakSeparation),
                   .required = psi >= 4 ? kBoth : kDigital,
                   .quick = true});
}

}  // namespace

void AddCyclicCases(std::vector<Case>& cases, const PublishedTables& tables) {
  for (const TableRow& row : tables.reversibleSeparation) {
    AddSwitching(cases, row.argument * 1e-3, row.value * 1e-3 * kT / 298.15,
                 "Nicholson 1965, reversible switching table (25 degrees C, scaled to 298.14 K)");
  }
  AddSwitching(cases, 0.5715, 2.218 * kRtf, "Nicholson 1965: limit 2.218 RT/F");
  for (const TableRow& row : tables.quasiReversibleSeparation) {
    AddQuasiReversible(cases, row.argument, row.value * 1e-3);
  }
}

}  // namespace vorex::validation
