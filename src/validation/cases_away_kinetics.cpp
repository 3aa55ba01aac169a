// Electron transfer away from the start-up experiment: the totally irreversible sweep at
// alpha 0.3 and 0.7, the quasi-reversible DC wave at a plane (which has an exact closed form at
// any alpha, n and ks), and the reversible cycle behind an uncompensated resistance at two and
// three electrons and at 60 degrees C.
#include <string>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/ohmic_reference.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupIrreversible[] = "Away from the defaults: irreversible sweep (alpha, T)";
constexpr char kGroupQuasi[] = "Away from the defaults: quasi-reversible DC wave (alpha, n)";
constexpr char kGroupOhmic[] = "Away from the defaults: uncompensated resistance (n, T)";

// ks 1e-6 cm/s at 0.1 V/s: ks / sqrt(D F v / RT) <= 1.7e-4 here, below the irreversible limit
// 10^-(2(1 + alpha)) = 4e-4 at alpha 0.7 (Matsuda & Ayabe 1955). 0.4958 and 0.780 are printed
// to four and three figures: 0.01 % and 0.0005 RT/alpha F (0.04 mV at alpha 0.3). The analytical
// mode makes a sweep the semi-derivative of its DC wave at td = E step / v, exact only for a
// Nernstian couple: here its peak stands 5.8 % high at every alpha and T, and its Ep moves with
// the E step as (RT/alpha F) ln sqrt(td). So these rows, like sweep.irreversible.*, require the
// digital mode alone.
void AddIrreversibleSweep(std::vector<Case>& cases, double alpha, double celsius) {
  const double v = 0.1, ks = 1e-6, frt = FrtAt(celsius);
  Setup s = Programme(1, 0.3, -1.1, 0.001, v);
  s.Set("ks(1)", Text(ks)).Set("alph(1)", Text(alpha)).Set("txttemp", Text(celsius));
  const std::string tag = "away.irreversible.alpha" + Num(alpha) + ".T" + Num(celsius);
  const std::string setting = "linear sweep, mechanism 1, ks 1e-6 cm/s, alpha " + Num(alpha) +
                              ", " + Num(celsius) +
                              " degrees C, planar 1 cm2, v 0.1 V/s, E step 1 mV, 0.3 to -1.1 V";
  const std::string source =
      "Nicholson & Shain 1964 (Bard & Faulkner 2001, section 6.3.1): 0.4958 nFAC "
      "sqrt(alpha F v D/RT); Ep = E0 - (RT/alpha F)[0.780 + ln(sqrt(D b)/ks)]";
  cases.push_back({.name = tag + ".ip",
                   .group = kGroupIrreversible,
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = IrreversiblePeak(alpha, 1, kC, kD, v, frt),
                   .source = source,
                   .tolerance = 0.01,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = kDigital,
                   .quick = true});
  cases.push_back({.name = tag + ".ep",
                   .group = kGroupIrreversible,
                   .setting = setting,
                   .merit = "peak potential",
                   .unit = Unit::Potential,
                   .theory = IrreversiblePeakPotential(kE0, alpha, kD, ks, v, frt),
                   .source = source,
                   .tolerance = 0.001,
                   .measure = Read(s, CathodicPeakPotential),
                   .required = kDigital,
                   .quick = true});
}

// td 1 s, E step 1 mV. At ks 1e-3 cm/s the rate at E0 against diffusion, ks sqrt(td) (1/sqrt(D_A)
// + 1/sqrt(D_B)), is 0.63: neither limit. The plateau at -0.6 V is flat to 1e-6 in every row. The
// closed form is exact; the tolerances are those of the start-up DC rows (the digital plateau
// stands 0.25 % high) and of reading E1/2 between points 1 mV apart.
void AddQuasiReversibleDc(std::vector<Case>& cases, int n, double alpha, double ks,
                          double celsius) {
  const double td = 1;
  StepKinetics k;
  k.n = n;
  k.ks = ks;
  k.alpha = alpha;
  k.frt = FrtAt(celsius);
  Setup s = Programme(2, 0.3, -0.6, 0.001, 0.001 / td);
  s.Set("NEL(1)", std::to_string(n)).Set("ks(1)", Text(ks)).Set("alph(1)", Text(alpha));
  s.Set("txttemp", Text(celsius));
  const std::string tag = "away.dc.kinetic.n" + std::to_string(n) + ".alpha" + Num(alpha) + ".ks" +
                          Num(ks) + ".T" + Num(celsius);
  const std::string setting = "DC voltammetry, mechanism 1, planar 1 cm2, n " + std::to_string(n) +
                              ", ks " + Num(ks) + " cm/s, alpha " + Num(alpha) + ", " +
                              Num(celsius) + " degrees C, td 1 s, E step 1 mV, 0.3 to -0.6 V";
  const std::string source =
      "step from the bulk with Butler-Volmer kinetics: nFAC kf exp(H^2 td) erfc(H sqrt td), "
      "H = kf/sqrt(D_A) + kb/sqrt(D_B) (Bard & Faulkner 2001, section 5.5.1)";
  cases.push_back(
      {.name = tag + ".halfwave",
       .group = kGroupQuasi,
       .setting = setting + "; E1/2 where I = I(-0.6 V)/2",
       .merit = "E1/2",
       .unit = Unit::Potential,
       .theory = KineticDcHalfWave(k, kE0, td),
       .source = source + "; E1/2 by bisection",
       .tolerance = 0.001,
       .measure = Read(s, [](const Curve& c) { return HalfWavePotential(c, LastCurrent(c)); }),
       .required = kBoth,
       .quick = true});
  // At E0 kf = kb = ks whatever alpha and T; 50 mV beyond, both count.
  cases.push_back({.name = tag + ".at50mV",
                   .group = kGroupQuasi,
                   .setting = setting + "; the current at E0 - 50 mV (0.05 V)",
                   .merit = "current at E0 - 50 mV",
                   .unit = Unit::Current,
                   .theory = KineticStep(k, 1, kC, -0.05, td),
                   .source = source,
                   .tolerance = 0.01,
                   .measure = Read(s, [](const Curve& c) { return CurrentAt(c, kE0 - 0.05); }),
                   .required = kBoth,
                   .quick = true});
}

// The cycle of cases_ohmic.cpp (E0 0, 0.4 to -0.5 V and back, 0.1 V/s, E step 1 mV) and its
// reference, which carries n and F/RT; 1.5 mV as there.
void AddOhmic(std::vector<Case>& cases, int n, double celsius, double ru) {
  OhmicCycle cycle;
  cycle.ru = ru;
  cycle.n = n;
  cycle.frt = FrtAt(celsius);
  Setup s = Programme(1, cycle.eStart, cycle.eSwitch, 0.001, cycle.v);
  s.Set("Eze(1)", "0").Set("ComboScan", "cycle").Set("Ru", Text(ru));
  s.Set("NEL(1)", std::to_string(n)).Set("txttemp", Text(celsius));
  cases.push_back(
      {.name = "away.cycle.ohmic.n" + std::to_string(n) + ".T" + Num(celsius) + ".ru" + Num(ru),
       .group = kGroupOhmic,
       .setting = "cycle, mechanism 1, n " + std::to_string(n) + ", " + Num(celsius) +
                  " degrees C, E0 0, 0.4 to -0.5 V and back, v 0.1 V/s, planar 1 cm2, Ru " +
                  Num(ru) + " ohm, E step 1 mV",
       .merit = "Epa - Epc",
       .unit = Unit::Potential,
       .theory = OhmicCycleSeparation(cycle),
       .source = "reference: Nicholson & Shain 1964 integral equation with E_int = E + I Ru, "
                 "n and T carried, solved at 0.2 mV (src/validation/ohmic_reference.h)",
       .tolerance = 0.0015,
       .measure = Read(s, PeakSeparation),
       .required = kDigital,
       .quick = true});
}

}  // namespace

void AddAwayKineticCases(std::vector<Case>& cases) {
  for (double alpha : {0.3, 0.7}) AddIrreversibleSweep(cases, alpha, 25);
  AddIrreversibleSweep(cases, 0.3, 60);
  AddQuasiReversibleDc(cases, 1, 0.3, 1e-3, 25);
  AddQuasiReversibleDc(cases, 1, 0.7, 1e-3, 25);
  AddQuasiReversibleDc(cases, 2, 0.3, 1e-4, 60);
  AddQuasiReversibleDc(cases, 1, 0.7, 1e-3, 5);
  AddOhmic(cases, 2, 25, 100);
  AddOhmic(cases, 3, 25, 50);
  AddOhmic(cases, 1, 60, 100);
}

}  // namespace vorex::validation
