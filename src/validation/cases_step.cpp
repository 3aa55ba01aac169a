// DC voltammetry and normal pulse at a plane: each point a new drop, so the plateau is the
// Cottrell current at the sampling time, and the wave of a reversible couple is
// theta(E) times it, with its half-wave potential where theta = 1/2.
#include <cmath>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupCottrell[] = "DC and normal pulse plateaus (Cottrell)";
constexpr char kGroupHalfWave[] = "Half-wave potential, equal and unequal D";

void AddDcPlateau(std::vector<Case>& cases, double td) {
  const double step = 0.005;
  const Setup s = Programme(2, 0.3, -0.3, step, step / td);
  cases.push_back({.name = "dc.cottrell.td" + Num(td),
                   .group = kGroupCottrell,
                   .setting = "DC voltammetry, mechanism 1, planar 1 cm2, td " + Num(td) +
                              " s, current at -0.3 V (E0 - 0.4 V)",
                   .merit = "plateau current",
                   .unit = Unit::Current,
                   .theory = Cottrell(1, 1, kC, kD, td),
                   .source = "Cottrell 1903: nFAC sqrt(D/(pi td))",
                   .tolerance = 0.005,
                   .measure = Read(s, LastCurrent),
                   .required = kBoth,
                   .quick = true});
}

// The pulse of the last point goes to -0.35 V, 0.45 V beyond E0.
void AddNormalPulsePlateau(std::vector<Case>& cases, double tp) {
  Setup s = Programme(3, 0.3, -0.3, 0.005, 0.01);
  s.Set("tp", Text(tp));
  cases.push_back({.name = "np.cottrell.tp" + Num(tp),
                   .group = kGroupCottrell,
                   .setting = "normal pulse, mechanism 1, planar 1 cm2, td 0.5 s, tp " + Num(tp) +
                              " s, Epulse -50 mV, current at the last point",
                   .merit = "plateau current",
                   .unit = Unit::Current,
                   .theory = Cottrell(1, 1, kC, kD, tp),
                   .source = "Cottrell 1903: nFAC sqrt(D/(pi tp))",
                   .tolerance = 0.005,
                   .measure = Read(s, LastCurrent),
                   .required = kBoth,
                   .quick = true});
}

double HalfWave(const Curve& c) {
  return HalfWavePotential(c, LastCurrent(c));
}

void AddHalfWave(std::vector<Case>& cases, double dRed, unsigned required) {
  Setup s = Programme(2, 0.3, -0.3, 0.001, 0.001);
  s.Set("D(2)", Text(dRed));
  cases.push_back({.name = "dc.halfwave.dB" + Num(dRed / kD) + "dA",
                   .group = kGroupHalfWave,
                   .setting = "DC voltammetry, mechanism 1, planar, td 1 s, E step 1 mV, D_A 1e-5, "
                              "D_B " +
                              Num(dRed) + " cm2/s; E1/2 where I = I(-0.3 V)/2",
                   .merit = "E1/2",
                   .unit = Unit::Potential,
                   .theory = ReversibleHalfWave(kE0, 1, kD, dRed),
                   .source = "E1/2 = E0 + (RT/2nF) ln(D_B/D_A) (Heyrovsky & Ilkovic 1935)",
                   .tolerance = 0.0005,
                   .measure = Read(s, HalfWave),
                   .required = required,
                   .quick = true});
}

}  // namespace

void AddStepCases(std::vector<Case>& cases) {
  for (double td : {0.1, 1.0, 10.0}) AddDcPlateau(cases, td);
  for (double tp : {0.05, 0.01}) AddNormalPulsePlateau(cases, tp);
  AddHalfWave(cases, kD, kAnalytical);
  AddHalfWave(cases, 4 * kD, kBoth);
}

}  // namespace vorex::validation
