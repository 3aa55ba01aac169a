// DC voltammetry at the curved electrodes and the rotating disk: the plateau at -0.3 V (0.4 V
// beyond E0) is the diffusion-limited current at td. Sweeps at the rotating disk and the thin
// layer.
#include <cmath>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/cylinder_current.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupSphere[] = "Sphere and hemisphere, DC plateau";
constexpr char kGroupCylinder[] = "Cylinder and hemicylinder, DC plateau";
constexpr char kGroupDisc[] = "Microdisc";
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

// A 1 cm long cylinder, so that its end (counted in the program's area) is 0.05 % of it; the
// hemicylinder (half the side and half the end) carries the same current per area.
void AddCylinders(std::vector<Case>& cases) {
  const double r = 1e-3, length = 1;
  for (int electrode : {5, 6}) {
    const double half = electrode == 6 ? 0.5 : 1;
    const double area = half * (kPi * r * r + 2 * kPi * r * length);
    const std::string what = electrode == 6 ? "hemicylinder" : "cylinder";
    for (double tau : {0.1, 1.0, 10.0, 100.0, 1000.0}) {
      Setup s = DcAt(electrode, tau * r * r / kD).Set("radius", Text(r)).Set("leng", Text(length));
      cases.push_back(Plateau(
          what + ".tau" + Num(tau), kGroupCylinder,
          what + " r 1e-3 cm, length 1 cm, tau = Dt/r^2 = " + Num(tau),
          kF * area * kD * kC / r * CylinderFactor(tau),
          "Jaeger integral by quadrature here (Szabo, Cope, Tallman, Kovach & Wightman 1987)", 0.02,
          s, kBoth));
    }
  }
}

// The peak of a reversible sweep at a microdisc of r = 1e-3 cm, between the steady wave and the
// planar peak: 4nFDCr psi(p), p = sqrt(nF r^2 v / (RT D)),
// psi = 0.34 exp(-0.66 p) + 0.66 - 0.13 exp(-11/p) + 0.351 p (Aoki, Akimoto, Tokuda, Matsuda
// and Osteryoung 1984, their fit to the exact current, good to better than 1 %).
double AokiPeak(double r, double p) {
  const double psi = 0.34 * std::exp(-0.66 * p) + 0.66 - 0.13 * std::exp(-11 / p) + 0.351 * p;
  return SaitoSteadyState(1, kC, kD, r) * DialogDiscArea(r) / (kPi * r * r) * psi;
}

Setup DiscSweep(double r, double v) {
  Setup s = Programme(1, 0.3, -0.3, 0.001, v).Set("radius", Text(r));
  s.electrode = 4;
  return s;
}

void AddDiscSweepPeak(std::vector<Case>& cases, double v) {
  const double r = 1e-3, p = std::sqrt(kFrt * r * r * v / kD);
  const double psi = 0.34 * std::exp(-0.66 * p) + 0.66 - 0.13 * std::exp(-11 / p) + 0.351 * p;
  cases.push_back({.name = "disc.sweep.peak.v" + Num(v),
                   .group = kGroupDisc,
                   .setting = "linear sweep, microdisc r 1e-3 cm, v " + Num(v) +
                              " V/s (p = " + Num(p) + "), E step 1 mV",
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = SaitoSteadyState(1, kC, kD, r) * psi,
                   .source = "Aoki et al. 1984: 4nFDCr psi(p)",
                   .tolerance = 0.01,
                   .measure = Read(DiscSweep(r, v), CathodicPeakCurrent),
                   .required = kAnalytical,
                   .quick = true});
}

// The same peak at chosen p for the two-dimensional simulation, with the dialog's area (pi r^2
// to three digits): within 0.5 % of the fit, itself stated to about 1 %.
void AddDiscSweepAtP(std::vector<Case>& cases, double p) {
  const double r = 1e-3, v = p * p * kD / (kFrt * r * r);
  cases.push_back({.name = "disc.sweep.peak.p" + Num(p),
                   .group = kGroupDisc,
                   .setting = "linear sweep, microdisc r 1e-3 cm, p = " + Num(p) + " (v " + Num(v) +
                              " V/s), E step 1 mV",
                   .merit = "peak current",
                   .unit = Unit::Current,
                   .theory = AokiPeak(r, p),
                   .source = "Aoki et al. 1984: 4nFDCr psi(p), their fit stated to about 1 %",
                   .tolerance = 0.005,
                   .measure = Read(DiscSweep(r, v), CathodicPeakCurrent),
                   .required = kDigital,
                   .quick = true});
}

// The step current of the two-dimensional simulation against the series on either side of
// tau = 1 (see DiscStepSeries), for the dialog's area, at radii of 5 and 25 um.
void AddDiscSeries(std::vector<Case>& cases, double r) {
  for (double tau : {0.01, 0.1, 1.0, 10.0, 100.0, 1e4}) {
    const double td = tau * r * r / (4 * kD);
    Setup s = DcAt(4, td).Set("radius", Text(r));
    cases.push_back(Plateau(
        "disc.series.r" + Num(r * 1e4) + "um.tau" + Num(tau), kGroupDisc,
        "microdisc r " + Num(r) + " cm, tau = 4Dt/r^2 = " + Num(tau),
        SaitoSteadyState(1, kC, kD, r) * DialogDiscArea(r) / (kPi * r * r) * DiscStepSeries(tau),
        tau <= 1 ? "Aoki & Osteryoung 1984, short-time series"
                 : "Aoki & Osteryoung 1984, long-time series",
        0.003, s, kDigital));
  }
}

void AddDiscs(std::vector<Case>& cases) {
  const double r = 5.6e-4;
  for (double tau : {0.01, 0.1, 1.0, 10.0, 100.0, 1e4}) {
    const double td = tau * r * r / (4 * kD);
    Setup s = DcAt(4, td).Set("radius", Text(r));
    cases.push_back(Plateau("disc.tau" + Num(tau), kGroupDisc,
                            "microdisc r 5.6e-4 cm, tau = 4Dt/r^2 = " + Num(tau),
                            ShoupSzabo(1, kC, kD, r, td), "Shoup & Szabo 1982", 0.01, s, kBoth));
  }
  for (double radius : {5e-4, 2.5e-3}) AddDiscSeries(cases, radius);
  // tau = 1e6: the long-time series puts the current 0.07 % above the steady state here.
  const double td = 1e6 * r * r / (4 * kD);
  Setup s = DcAt(4, td).Set("radius", Text(r));
  cases.push_back(Plateau("disc.steady", kGroupDisc,
                          "microdisc r 5.6e-4 cm, tau = 4Dt/r^2 = 1e6 (td " + Num(td) + " s)",
                          SaitoSteadyState(1, kC, kD, r) * DialogDiscArea(r) / (kPi * r * r),
                          "Saito 1968: 4nFDCr, for the dialog's area", 0.002, s, kBoth));
  // A sweep at 1 mV/s: r^2/D = 0.03 s against RT/Fv = 26 s, so the wave is the steady one; at
  // the end, 200 s past the foot of the plateau, Shoup and Szabo's transient adds about 0.4 %.
  Setup sweep = Programme(1, 0.3, -0.3, 0.005, 0.001).Set("radius", Text(r));
  sweep.electrode = 4;
  cases.push_back(Plateau(
      "disc.sweep.steady", kGroupDisc, "linear sweep, microdisc r 5.6e-4 cm, v 1 mV/s, E step 5 mV",
      SaitoSteadyState(1, kC, kD, r), "Saito 1968: 4nFDCr", 0.01, sweep, kBoth));
  for (double v : {0.25, 1.0, 10.0}) AddDiscSweepPeak(cases, v);
  for (double p : {0.5, 2.0, 20.0}) AddDiscSweepAtP(cases, p);
}

void AddRotatingDisk(std::vector<Case>& cases, double rpm) {
  const double r = 0.2821, nu = 0.01;
  Setup s = DcAt(8, 0.5).Set("TextRrate", Text(rpm));
  cases.push_back(Plateau(
      "rde.dc.rpm" + Num(rpm), kGroupOther,
      "DC voltammetry, rotating disk r 0.2821 cm, " + Num(rpm) + " rpm, nu 0.01 cm2/s",
      Levich(1, kPi * r * r, kC, kD, rpm * kPi / 30, nu), "Levich 1942", 0.005, s, kAnalytical));
}

// The sweep's plateau at 10 mV/s, 40 s past E0. Its wave at 0.2 mV/s: the diffusion layer
// (delta = 1.61 D^1/3 nu^1/6 omega^-1/2, delta^2/D = 2.5 s at 100 rpm) keeps the current about
// delta^2/3D behind the steady wave, v delta^2/3D = 0.17 mV, so the wave is the steady one: the
// Levich current times the Nernst fraction, half of it at E0 when D_O = D_R.
void AddRotatingDiskSweep(std::vector<Case>& cases, double rpm) {
  const double r = 0.2821, nu = 0.01;
  Setup fast = Programme(1, 0.3, -0.3, 0.005, 0.01), slow = Programme(1, 0.3, -0.3, 0.001, 0.0002);
  for (Setup* s : {&fast, &slow}) {
    s->electrode = 8;
    s->Set("TextRrate", Text(rpm));
  }
  const std::string where = "rotating disk r 0.2821 cm, " + Num(rpm) + " rpm, nu 0.01 cm2/s";
  cases.push_back(Plateau("rde.sweep.rpm" + Num(rpm), kGroupOther,
                          "linear sweep, " + where + ", v 10 mV/s, E step 5 mV",
                          Levich(1, kPi * r * r, kC, kD, rpm * kPi / 30, nu), "Levich 1942", 0.005,
                          fast, kAnalytical));
  cases.push_back(
      {.name = "rde.sweep.halfwave.rpm" + Num(rpm),
       .group = kGroupOther,
       .setting =
           "linear sweep, " + where + ", v 0.2 mV/s, E step 1 mV; E1/2 where I = I(-0.3 V)/2",
       .merit = "E1/2",
       .unit = Unit::Potential,
       .theory = kE0,
       .source = "steady state at the rotating disk, equal D: E1/2 = E0 (Levich 1942)",
       .tolerance = 0.001,
       .measure = Read(slow, [](const Curve& c) { return HalfWavePotential(c, LastCurrent(c)); }),
       .required = kAnalytical,
       .quick = true});
}

// A thin layer of volume V = A L follows the Nernst equation as a whole while its diffusion time
// L^2/D is short against RT/Fv: the current n^2 F^2 v V C / RT theta (1 - theta) peaks at E0. The
// layer lags equilibrium by about (Fv/RT)(L^2/D)/3 in units of RT/F; every run here keeps that
// product at 0.04 or less (the peak under 0.35 mV late). A cycle's return peak also lies at E0.
struct ThinLayerRun {
  double length, v, step;
  bool cycle;
};

void AddThinLayer(std::vector<Case>& cases, const ThinLayerRun& run) {
  Setup s = Programme(1, 0.3, -0.1, run.step, run.v);
  s.electrode = 7;
  s.Set("leng", Text(run.length));
  if (run.cycle) s.Set("ComboScan", "cycle");
  const std::string name = "thinlayer.L" + Num(run.length * 1e4) + "um.v" + Num(run.v * 1e3) +
                           ".step" + Num(run.step * 1e3);
  const std::string setting = std::string(run.cycle ? "cycle" : "linear sweep") +
                              ", thin film 1 cm2 x " + Num(run.length) + " cm, v " +
                              Num(run.v * 1e3) + " mV/s, E step " + Num(run.step * 1e3) + " mV";
  const std::string source = "Hubbard & Anson 1970: n^2 F^2 v V C / 4RT at E0";
  Case c{.name = name + ".ip",
         .group = kGroupOther,
         .setting = setting,
         .merit = "peak current",
         .unit = Unit::Current,
         .theory = ThinLayerPeak(1, run.length, kC, run.v),
         .source = source,
         .tolerance = 0.01,
         .measure = Read(s, CathodicPeakCurrent),
         .required = kAnalytical,
         .quick = true};
  cases.push_back(c);
  c.name = name + ".ep";
  c.merit = "peak potential";
  c.unit = Unit::Potential;
  c.theory = kE0;
  c.tolerance = 0.001;
  c.measure = Read(s, CathodicPeakPotential);
  cases.push_back(c);
  if (!run.cycle) return;
  c.name = name + ".epa";
  c.merit = "return peak potential";
  c.measure = Read(s, [](const Curve& k) { return AnodicPeak(k).potential; });
  cases.push_back(c);
}

}  // namespace

void AddGeometryCases(std::vector<Case>& cases) {
  AddSpheres(cases);
  AddCylinders(cases);
  AddDiscs(cases);
  for (double rpm : {100.0, 1000.0}) AddRotatingDisk(cases, rpm);
  for (double rpm : {100.0, 1000.0}) AddRotatingDiskSweep(cases, rpm);
  for (const ThinLayerRun& run :
       {ThinLayerRun{1e-3, 0.001, 0.001, false}, ThinLayerRun{1e-3, 0.01, 0.005, false},
        ThinLayerRun{1e-4, 0.1, 0.001, false}, ThinLayerRun{1e-4, 0.01, 0.005, true}}) {
    AddThinLayer(cases, run);
  }
}

}  // namespace vorex::validation
