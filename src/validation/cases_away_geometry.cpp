// Curved electrodes of 5 to 25 um radius, a reversible couple with equal D: the DC plateau at a
// sphere, a hemisphere and a cylinder, and the plateau of a slow sweep at a sphere, with n and D
// away from the start-up experiment in some rows.
#include <string>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/cylinder_current.h"
#include "validation/ohmic_reference.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupSphere[] = "Away from the defaults: sphere and hemisphere, 5 to 25 um";
constexpr char kGroupCylinder[] = "Away from the defaults: cylinder, 5 to 25 um";

enum Electrode { kSphere = 2, kHemisphere = 3, kCylinder = 5 };

struct Small {
  int electrode = kSphere;
  double r = 5e-4;
  int n = 1;
  double d = kD;
};

const char* What(const Small& s) {
  return s.electrode == kSphere ? "sphere" : s.electrode == kHemisphere ? "hemisphere" : "cylinder";
}

std::string Words(const Small& s) {
  return std::string(What(s)) + " r " + Num(s.r * 1e4) + " um, n " + std::to_string(s.n) + ", D " +
         Num(s.d) + " cm2/s";
}

Setup At(Setup setup, const Small& s) {
  setup.electrode = s.electrode;
  setup.Set("radius", Text(s.r)).Set("NEL(1)", std::to_string(s.n));
  return setup.Set("D(1)", Text(s.d)).Set("D(2)", Text(s.d));
}

// The plateau of DC voltammetry 0.4 V beyond E0, td after each step. A 1 cm cylinder, so that
// its end (counted in the program's area, here at the side's flux) is r/2L of it, 0.125 % at
// 25 um; the quadrature is good to 1e-4. 1 % for both shapes, as for the spheres of
// cases_geometry.cpp.
void AddDcPlateau(std::vector<Case>& cases, const Small& s, double td) {
  const double step = 0.005;
  Setup setup = At(Programme(2, 0.3, -0.3, step, step / td), s);
  double theory = 0;
  std::string source;
  if (s.electrode == kCylinder) {
    setup.Set("leng", "1");
    const double area = kPi * s.r * s.r + 2 * kPi * s.r;
    theory = s.n * kF * area * s.d * kC / s.r * CylinderFactor(s.d * td / (s.r * s.r));
    source = "Jaeger integral by quadrature here (Szabo, Cope, Tallman, Kovach & Wightman 1987)";
  } else {
    const double area = (s.electrode == kSphere ? 4 : 2) * kPi * s.r * s.r;
    theory = SphereStep(s.n, area, kC, s.d, s.r, td);
    source = "nFADC[1/sqrt(pi D t) + 1/r] (exact; Bard & Faulkner 2001, section 5.2.2)";
  }
  cases.push_back(
      {.name = std::string("away.") + What(s) + ".r" + Num(s.r * 1e4) + "um.n" +
               std::to_string(s.n) + ".D" + Num(s.d) + ".td" + Num(td),
       .group = s.electrode == kCylinder ? kGroupCylinder : kGroupSphere,
       .setting = "DC voltammetry, " + Words(s) + ", td " + Num(td) + " s, current at -0.3 V",
       .merit = "plateau current",
       .unit = Unit::Current,
       .theory = theory,
       .source = source,
       .tolerance = 0.01,
       .measure = Read(setup, LastCurrent),
       .required = kBoth,
       .quick = true});
}

// A reversible sweep at a sphere with D_A = D_B is exactly the planar sweep's current plus
// nFADC theta / r, theta the Nernst fraction reduced (Reinmuth 1961; Bard & Faulkner 2001,
// section 6.2.5). At the end of a 10 mV/s sweep, 0.4 V beyond E0, theta = 1 and the planar
// part (from the integral-equation reference at 1 mV, within 3e-7 of its value at 0.25 mV) is
// 1.4 % of the steady 4 pi nFDCr at 5 um and 7 % at 25 um. 1 % as for the DC plateaus.
void AddSweepPlateau(std::vector<Case>& cases, const Small& s) {
  const double v = 0.01;
  OhmicCycle planar;
  planar.e0 = kE0;
  planar.d = s.d;
  planar.n = s.n;
  planar.v = v;
  planar.eStart = 0.3;
  planar.eSwitch = -0.3;
  const Curve plane = OhmicCycleCurve(planar, 0.001);
  const double area = 4 * kPi * s.r * s.r;
  const double steady = 4 * kPi * s.n * kF * s.d * kC * s.r;
  const double theory = area * plane.i.at(plane.pointsPerSweep - 1) + steady;
  const Setup setup = At(Programme(1, 0.3, -0.3, 0.005, v), s);
  cases.push_back({.name = "away.sphere.sweep.r" + Num(s.r * 1e4) + "um.n" + std::to_string(s.n),
                   .group = kGroupSphere,
                   .setting = "linear sweep, " + Words(s) + ", v 10 mV/s, E step 5 mV, " +
                              "current at -0.3 V (4 pi nFDCr = " + Num(steady) + " A)",
                   .merit = "plateau current",
                   .unit = Unit::Current,
                   .theory = theory,
                   .source = "4 pi nFDCr plus the planar sweep's current (Reinmuth 1961; Bard & "
                             "Faulkner 2001, section 6.2.5)",
                   .tolerance = 0.01,
                   .measure = Read(setup, LastCurrent),
                   .required = kBoth,
                   .quick = true});
}

}  // namespace

void AddAwayGeometryCases(std::vector<Case>& cases) {
  // Grouped by shape, as the report heads its sections.
  for (double r : {5e-4, 2.5e-3}) {
    for (double td : {0.1, 10.0}) {
      AddDcPlateau(cases, {kSphere, r}, td);
      AddDcPlateau(cases, {kHemisphere, r}, td);
    }
    AddSweepPlateau(cases, {kSphere, r});
  }
  AddDcPlateau(cases, {kSphere, 1e-3, 2, 2.4e-5}, 1);
  AddDcPlateau(cases, {kHemisphere, 1e-3, 3, 5e-7}, 1);
  AddSweepPlateau(cases, {kSphere, 1e-3, 2, 2.4e-5});
  for (double r : {5e-4, 2.5e-3})
    for (double td : {0.1, 10.0}) AddDcPlateau(cases, {kCylinder, r}, td);
  AddDcPlateau(cases, {kCylinder, 1e-3, 2, 2.4e-5}, 1);
}

}  // namespace vorex::validation
