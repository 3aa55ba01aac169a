// DC voltammetry at the curved electrodes, the rotating disk and the thin layer: the plateau at
// -0.3 V (0.4 V beyond E0) is the diffusion-limited current at td.
#include <cmath>

#include "case_helpers.h"
#include "closed_forms.h"
#include "cylinder_current.h"
#include "program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupSphere[] = "Sphere and hemisphere, DC plateau";
constexpr char kGroupCylinder[] = "Cylinder, DC plateau";
constexpr char kGroupDisc[] = "Microdisc, DC plateau";
constexpr char kGroupOther[] = "Rotating disk and thin layer";

Setup DcAt(int electrode, double td) {
  const double step = 0.005;
  Setup s = Programme(2, 0.3, -0.3, step, step / td);
  s.electrode = electrode;
  return s;
}

Case Plateau(std::string name, const char* group, std::string setting, double theory,
             std::string source, double tolerance, const Setup& s, unsigned required) {
  return {.name = std::move(name),
          .group = group,
          .setting = std::move(setting),
          .merit = "plateau current",
          .unit = Unit::Current,
          .theory = theory,
          .source = std::move(source),
          .tolerance = tolerance,
          .measure = Read(s, LastCurrent),
          .required = required,
          .quick = true};
}

void AddSpheres(std::vector<Case>& cases) {
  const double r = 8.9e-4;
  for (double td : {0.01, 1.0, 100.0}) {
    for (int electrode : {2, 3}) {
      const double area = (electrode == 2 ? 4 : 2) * kPi * r * r;
      Setup s = DcAt(electrode, td).Set("radius", Text(r));
      cases.push_back(Plateau(
          std::string(electrode == 2 ? "sphere" : "hemisphere") + ".td" + Num(td), kGroupSphere,
          std::string(electrode == 2 ? "sphere" : "hemisphere") + " r 8.9e-4 cm, td " + Num(td) +
              " s",
          SphereStep(1, area, kC, kD, r, td),
          "nFADC[1/sqrt(pi D t) + 1/r] (exact; Bard & Faulkner 2001, section 5.2.2)", 0.01, s,
          kBoth));
    }
  }
}

// A 1 cm long cylinder, so that its end (counted in the program's area) is 0.05 % of it.
void AddCylinders(std::vector<Case>& cases) {
  const double r = 1e-3, length = 1;
  const double area = kPi * r * r + 2 * kPi * r * length;
  for (double tau : {0.1, 1.0, 10.0, 100.0, 1000.0}) {
    Setup s = DcAt(5, tau * r * r / kD).Set("radius", Text(r)).Set("leng", Text(length));
    cases.push_back(
        Plateau("cylinder.tau" + Num(tau), kGroupCylinder,
                "cylinder r 1e-3 cm, length 1 cm, tau = Dt/r^2 = " + Num(tau),
                kF * area * kD * kC / r * CylinderFactor(tau),
                "Jaeger integral by quadrature here (Szabo, Cope, Tallman, Kovach & Wightman 1987)",
                0.02, s, kDigital));
  }
}

void AddDiscs(std::vector<Case>& cases) {
  const double r = 5.6e-4;
  for (double tau : {0.1, 1.0, 10.0, 100.0, 1e4}) {
    const double td = tau * r * r / (4 * kD);
    Setup s = DcAt(4, td).Set("radius", Text(r));
    cases.push_back(Plateau(
        "disc.tau" + Num(tau), kGroupDisc, "microdisc r 5.6e-4 cm, tau = 4Dt/r^2 = " + Num(tau),
        ShoupSzabo(1, kC, kD, r, td), "Shoup & Szabo 1982", 0.02, s, tau < 1 ? kBoth : kDigital));
  }
  // tau = 1e6: Shoup and Szabo put the current 0.07 % above the steady state here.
  const double td = 1e6 * r * r / (4 * kD);
  Setup s = DcAt(4, td).Set("radius", Text(r));
  cases.push_back(Plateau("disc.steady", kGroupDisc,
                          "microdisc r 5.6e-4 cm, tau = 4Dt/r^2 = 1e6 (td " + Num(td) + " s)",
                          SaitoSteadyState(1, kC, kD, r), "Saito 1968: 4nFDCr", 0.02, s, kDigital));
}

void AddRotatingDisk(std::vector<Case>& cases, int technique, double rpm) {
  const double r = 0.2821, nu = 0.01;
  Setup s = DcAt(8, 0.5).Set("TextRrate", Text(rpm));
  s.technique = technique;
  Case c =
      Plateau(std::string(technique == 2 ? "rde.dc" : "rde.sweep") + ".rpm" + Num(rpm), kGroupOther,
              std::string(technique == 2 ? "DC voltammetry" : "linear sweep") +
                  ", rotating disk r 0.2821 cm, " + Num(rpm) + " rpm, nu 0.01 cm2/s",
              Levich(1, kPi * r * r, kC, kD, rpm * kPi / 30, nu), "Levich 1942", 0.005, s,
              technique == 2 ? kAnalytical : kNone);
  cases.push_back(c);
}

// A 10 um layer of 1 cm2 swept at 1 mV/s: L^2/D = 0.01 s against RT/Fv = 26 s.
void AddThinLayer(std::vector<Case>& cases) {
  const double length = 1e-3, v = 0.001;
  Setup s = Programme(1, 0.3, -0.1, 0.001, v);
  s.electrode = 7;
  s.Set("leng", Text(length));
  const std::string setting = "linear sweep, thin film 1 cm2 x 1e-3 cm, v 1 mV/s, E step 1 mV";
  const std::string source = "Hubbard & Anson 1970: n^2 F^2 v V C / 4RT at E0";
  cases.push_back({.name = "thinlayer.ip",
                   .group = kGroupOther,
                   .setting = setting,
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = ThinLayerPeak(1, length, kC, v),
                   .source = source,
                   .tolerance = 0.01,
                   .measure = Read(s, CathodicPeakCurrent),
                   .required = kAnalytical,
                   .quick = true});
  cases.push_back({.name = "thinlayer.ep",
                   .group = kGroupOther,
                   .setting = setting,
                   .merit = "peak potential",
                   .unit = Unit::Potential,
                   .theory = kE0,
                   .source = source,
                   .tolerance = 0.001,
                   .measure = Read(s, CathodicPeakPotential),
                   .quick = true});
}

}  // namespace

void AddGeometryCases(std::vector<Case>& cases) {
  AddSpheres(cases);
  AddCylinders(cases);
  AddDiscs(cases);
  AddRotatingDisk(cases, 2, 100);
  AddRotatingDisk(cases, 2, 1000);
  AddRotatingDisk(cases, 1, 100);
  AddThinLayer(cases);
}

}  // namespace vorex::validation
