// A reversible couple at a plane away from the start-up experiment: two and three electrons,
// 5 and 60 degrees C, diffusion coefficients from 5e-7 to 2.4e-5 cm2/s, equal and unequal. The
// closed forms carry n, T and D explicitly, so each row checks that the program carries them
// too, in the sweep's peak, the DC plateau and the DC half-wave potential.
#include <string>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupSweep[] = "Away from the defaults: reversible sweep (n, T, D)";
constexpr char kGroupDc[] = "Away from the defaults: DC plateau and half-wave (n, T, D)";

struct Conditions {
  int n = 1;
  double celsius = 25, dOx = kD, dRed = kD;
};

std::string Tag(const Conditions& k) {
  std::string tag(1, 'n');
  tag += std::to_string(k.n);
  tag += ".T";
  tag += Num(k.celsius);
  if (k.dOx != kD || k.dRed != kD) tag += ".DA" + Num(k.dOx) + ".DB" + Num(k.dRed);
  return tag;
}

std::string Words(const Conditions& k) {
  return "n " + std::to_string(k.n) + ", " + Num(k.celsius) + " degrees C, D_A " + Num(k.dOx) +
         ", D_B " + Num(k.dRed) + " cm2/s";
}

Setup With(Setup s, const Conditions& k) {
  return s.Set("NEL(1)", std::to_string(k.n))
      .Set("txttemp", Text(k.celsius))
      .Set("D(1)", Text(k.dOx))
      .Set("D(2)", Text(k.dRed));
}

// v 0.1 V/s, E step 0.5 mV: at n = 3 the step is 0.058 RT/nF (1.5 mV at n = 1), fine enough for
// the parabola through the peak, and the digital staircase's lag of up to half a step stays
// inside 0.5 mV. 1.109 and 0.4463 are printed to four figures, so the reference is good to
// 0.05 % and 0.01 mV; the tolerances, those of the start-up sweep, are the numerical method's.
void AddSweep(std::vector<Case>& cases, const Conditions& k) {
  const double v = 0.1, frt = FrtAt(k.celsius);
  const Setup s = With(Programme(1, 0.3, -0.3, 0.0005, v), k);
  const std::string setting = "linear sweep, mechanism 1, planar 1 cm2, " + Words(k) +
                              ", v 0.1 V/s, E step 0.5 mV, 0.3 to -0.3 V";
  const std::string source =
      "Nicholson & Shain 1964, Table I: 0.4463 nFAC sqrt(nFvD_A/RT); Ep = E1/2 - 1.109 RT/nF, "
      "E1/2 = E0 + (RT/nF) ln sqrt(D_B/D_A)";
  cases.push_back({.name = "away.sweep." + Tag(k) + ".ip",
                   .group = kGroupSweep,
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = RandlesSevcikPeak(k.n, 1, kC, k.dOx, v, frt),
                   .source = source,
                   .tolerance = 0.003,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = kBoth,
                   .quick = true});
  cases.push_back(
      {.name = "away.sweep." + Tag(k) + ".ep",
       .group = kGroupSweep,
       .setting = setting,
       .merit = "peak potential",
       .unit = Unit::Potential,
       .theory = ReversibleHalfWave(kE0, k.n, k.dOx, k.dRed, frt) + ReversiblePeakOffset(k.n, frt),
       .source = source,
       .tolerance = 0.0005,
       .measure = Read(s, CathodicPeakPotential),
       .required = kBoth,
       .quick = true});
}

// td 1 s; the last point, -0.3 V, is 0.4 V beyond E0, where the wave is flat to 1e-6 even at
// n = 1, 60 degrees C and D_B/D_A = 48.
void AddPlateau(std::vector<Case>& cases, const Conditions& k) {
  const double td = 1;
  const Setup s = With(Programme(2, 0.3, -0.3, 0.005, 0.005 / td), k);
  cases.push_back({.name = "away.dc.plateau." + Tag(k),
                   .group = kGroupDc,
                   .setting = "DC voltammetry, mechanism 1, planar 1 cm2, " + Words(k) +
                              ", td 1 s, current at -0.3 V",
                   .merit = "plateau current",
                   .unit = Unit::Current,
                   .theory = Cottrell(k.n, 1, kC, k.dOx, td),
                   .source = "Cottrell 1903: nFAC sqrt(D_A/(pi td)), whatever T",
                   .tolerance = 0.005,
                   .measure = Read(s, LastCurrent),
                   .required = kBoth,
                   .quick = true});
}

// E step 1 mV, the half-wave by interpolation between two points: 0.5 mV as the start-up rows.
void AddHalfWave(std::vector<Case>& cases, const Conditions& k) {
  const Setup s = With(Programme(2, 0.3, -0.3, 0.001, 0.001), k);
  cases.push_back(
      {.name = "away.dc.halfwave." + Tag(k),
       .group = kGroupDc,
       .setting = "DC voltammetry, mechanism 1, planar, " + Words(k) +
                  ", td 1 s, E step 1 mV; E1/2 where I = I(-0.3 V)/2",
       .merit = "E1/2",
       .unit = Unit::Potential,
       .theory = ReversibleHalfWave(kE0, k.n, k.dOx, k.dRed, FrtAt(k.celsius)),
       .source = "E1/2 = E0 + (RT/nF) ln sqrt(D_B/D_A) (Heyrovsky & Ilkovic 1935)",
       .tolerance = 0.0005,
       .measure = Read(s, [](const Curve& c) { return HalfWavePotential(c, LastCurrent(c)); }),
       .required = kBoth,
       .quick = true});
}

}  // namespace

void AddAwayCases(std::vector<Case>& cases) {
  const double low = 5e-7, high = 2.4e-5;
  for (const Conditions& k :
       {Conditions{2}, Conditions{3}, Conditions{1, 5}, Conditions{1, 60}, Conditions{2, 60},
        Conditions{1, 25, low, low}, Conditions{1, 25, high, high}, Conditions{1, 25, low, high},
        Conditions{2, 25, high, low}})
    AddSweep(cases, k);
  for (const Conditions& k : {Conditions{2}, Conditions{3}, Conditions{1, 60},
                              Conditions{1, 25, low, low}, Conditions{3, 25, high, high}})
    AddPlateau(cases, k);
  for (const Conditions& k :
       {Conditions{2, 25, kD, 4 * kD}, Conditions{3, 25, low, high}, Conditions{1, 60, low, high},
        Conditions{1, 5, high, low}, Conditions{2, 60, high, high}})
    AddHalfWave(cases, k);
}

}  // namespace vorex::validation
