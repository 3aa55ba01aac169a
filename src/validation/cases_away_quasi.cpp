// Nicholson's quasi-reversible working curve away from n = 1, 25 degrees C and D = 1e-5 cm2/s.
// His table is dimensionless at heart: psi = (D_A/D_B)^(alpha/2) ks / sqrt(pi D_A nFv/RT) fixes
// nF(Epa - Epc)/RT when the switch lies the same number of RT/nF beyond E1/2, so the table's
// millivolts at 25 degrees C scale by (T/298.15)/n, as do its switching potential and its
// rounding.
#include <cmath>
#include <string>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"
#include "validation/published_tables.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Away from the defaults: quasi-reversible cycle (Nicholson psi; n, T, D)";

struct Conditions {
  int n = 1;
  double celsius = 25, dOx = kD, dRed = kD;
};

// The table's 25 degrees C millivolts, in volts for n electrons at the couple's temperature.
double Scaled(const Conditions& k, double millivolts) {
  return millivolts * 1e-3 * (kZeroCelsius + k.celsius) / 298.15 / k.n;
}

// E0 0 and alpha 0.5, as the table; v 0.1 V/s; E step 0.5 mV at n = 1, 0.25 mV above (the curve
// store holds 4000 points). The switch, 112.5 mV / n beyond E1/2 at 25 degrees C, on the grid.
// Tolerance 2 mV scaled, as the start-up rows: the table's separations are whole millivolts.
// The digital mode alone is required: the analytical mode's sweep at finite ks is the
// semi-derivative of its DC wave at td = E step / v, so its separation moves with the E step
// (at psi 4, 25 degrees C: 64.3 mV at 1 mV, 67.9 mV at 0.5 mV, against 66 mV), and whether it
// lands within 2 mV depends on the step rather than on n, T or D.
void AddRow(std::vector<Case>& cases, const Conditions& k, double psi, double separation) {
  const double v = 0.1, alpha = 0.5, frt = FrtAt(k.celsius), step = k.n == 1 ? 0.0005 : 0.00025;
  const double gamma = std::sqrt(k.dOx / k.dRed);
  const double ks = psi * std::sqrt(kPi * k.dOx * k.n * frt * v) / std::pow(gamma, alpha);
  const double halfWave = ReversibleHalfWave(0, k.n, k.dOx, k.dRed, frt);
  const double eSwitch = std::round((halfWave - Scaled(k, 112.5)) / step) * step;
  Setup s = Programme(1, 0.4, eSwitch, step, v);
  s.Set("Eze(1)", "0").Set("ComboScan", "cycle").Set("ks(1)", Text(ks));
  s.Set("NEL(1)", std::to_string(k.n)).Set("txttemp", Text(k.celsius));
  s.Set("D(1)", Text(k.dOx)).Set("D(2)", Text(k.dRed));
  const std::string words = "n " + std::to_string(k.n) + ", " + Num(k.celsius) +
                            " degrees C, D_A " + Num(k.dOx) + ", D_B " + Num(k.dRed) + " cm2/s";
  cases.push_back(
      {.name = "away.cycle.quasireversible.n" + std::to_string(k.n) + ".T" + Num(k.celsius) +
               ".DA" + Num(k.dOx) + ".DB" + Num(k.dRed) + ".psi" + Num(psi),
       .group = kGroup,
       .setting = "cycle, mechanism 1, E0 0, " + words + ", ks " + Num(ks) + " cm/s (psi " +
                  Num(psi) + "), alpha 0.5, 0.4 to " + Num(eSwitch * 1e3) +
                  " mV and back, E step " + Num(step * 1e3) + " mV, v 0.1 V/s",
       .merit = "Epa - Epc",
       .unit = Unit::Potential,
       .theory = Scaled(k, separation),
       .source = "Nicholson 1965, psi working-curve table (alpha 0.5), its mV times "
                 "(T/298.15 K)/n",
       .tolerance = Scaled(k, 2),
       .measure = Read(s, PeakSeparation),
       .required = kDigital,
       .quick = true});
}

}  // namespace

void AddAwayQuasiReversibleCases(std::vector<Case>& cases, const PublishedTables& tables) {
  for (const Conditions& k : {Conditions{2}, Conditions{1, 60}, Conditions{1, 5, 2.4e-5, 5e-7},
                              Conditions{3, 25, 5e-7, 5e-7}}) {
    for (const TableRow& row : tables.quasiReversibleSeparation) {
      if (row.argument == 4 || row.argument == 1) AddRow(cases, k, row.argument, row.value);
    }
  }
}

}  // namespace vorex::validation
