// The Analysis menu's commands on the curve a run made: the half-order transforms along time
// (points |dE|/v apart), Theoretical Peak's printed values and Find Peak's area of a file.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupTransforms[] = "Semi-integral and semi-derivative along time";
constexpr char kGroupPrinted[] = "Theoretical Peak and Find Peak, as printed";

// The semi-integral of a planar reversible current is nFA sqrt(D) (C* - C_O(0,t)) whatever the
// waveform (Oldham 1969), so at a switching potential 0.4 V past E0 it is m* = nFAC sqrt(D).
void AddSemiIntegral(std::vector<Case>& cases, double v) {
  const Setup s = Programme(1, 0.3, -0.3, 0.001, v).Set("ComboScan", "cycle").Then("mnuSemiInte");
  cases.push_back({.name = "semiintegral.cycle.v" + Num(v),
                   .group = kGroupTransforms,
                   .setting = "Semi-integrate a cycle, mechanism 1, planar 1 cm2, 0.3 to -0.3 V "
                              "and back, E step 1 mV, v " +
                              Num(v) + " V/s; value at the switching potential",
                   .merit = "semi-integral at -0.3 V",
                   .unit = Unit::Current,
                   .valueUnit = "A s^1/2",
                   .theory = kF * kC * std::sqrt(kD),
                   .source = "m* = nFAC sqrt(D) (Oldham 1969; Imbeaux & Saveant 1973)",
                   .tolerance = 0.01,
                   .measure = ReadResult(s,
                                         [](const RunResult& run) {
                                           const Curve& c = run.displayed;
                                           return c.i.at(
                                               static_cast<std::size_t>(c.pointsPerSweep - 1));
                                         }),
                   .required = kBoth,
                   .quick = true});
}

// DC at td = 1 s and 1 mV per point, so the wave I_L theta(E(t)) is swept at v = 1 mV/s. The
// reversible sweep current is nFAC sqrt(D) times the semi-derivative of theta(E(t)) (the same
// identity read backwards), and its peak is 0.4463 nFAC sqrt(D nFv/RT); so the semi-derivative
// of the DC wave peaks at 0.4463 I_L sqrt(nFv/RT). The start, 0.4 V before E0, leaves theta at
// 2e-7 there: the record starts from zero.
void AddSemiDerivative(std::vector<Case>& cases) {
  const double td = 1, v = 0.001;
  const Setup s = Programme(2, 0.5, -0.3, 0.001, v).Then("mnuSemi");
  cases.push_back(
      {.name = "semiderivative.dc.v0.001",
       .group = kGroupTransforms,
       .setting = "Semi-differentiate a DC wave, mechanism 1, planar 1 cm2, td 1 s, E step 1 mV "
                  "(v 1 mV/s), 0.5 to -0.3 V",
       .merit = "peak of the semi-derivative",
       .unit = Unit::Current,
       .valueUnit = "A s^-1/2",
       .theory = 0.4463 * Cottrell(1, 1, kC, kD, td) * std::sqrt(kFrt * v),
       .source = "0.4463 I_L sqrt(nFv/RT), I_L = nFAC sqrt(D/(pi td)) (Nicholson & Shain 1964 "
                 "through the semi-integral identity)",
       .tolerance = 0.01,
       .measure =
           ReadResult(s, [](const RunResult& run) { return CathodicPeakCurrent(run.displayed); }),
       .required = kBoth,
       .quick = true});
}

// Theoretical Peak at the microdisc under a sweep: r^2/D = 0.03 s against RT/Fv = 2.6 s, so the
// limit is the steady state.
void AddTheoreticalPeaks(std::vector<Case>& cases) {
  const double r = 5.6e-4;
  Setup disc = Programme(1, 0.3, -0.3, 0.005, 0.01).Set("radius", Text(r)).Then("mnuCompId");
  disc.electrode = 4;
  cases.push_back({.name = "compid.disc.sweep.ip",
                   .group = kGroupPrinted,
                   .setting = "Theoretical Peak, linear sweep, microdisc r 5.6e-4 cm, v 10 mV/s",
                   .merit = "printed Ip",
                   .unit = Unit::Current,
                   .theory = SaitoSteadyState(1, kC, kD, r),
                   .source = "Saito 1968: 4nFDCr",
                   .tolerance = 0.001,
                   .measure = ReadPrinted(
                       disc, [](const RunResult& run) { return Printed(run, "Rev Peak", "Ip ="); }),
                   .required = kAnalytical,
                   .quick = true});

  // A thin layer at equilibrium throughout peaks at its formal potential (Hubbard 1969).
  Setup film = Programme(1, 0.3, -0.3, 0.001, 0.01).Set("leng", Text(1e-4)).Then("mnuCompId");
  film.electrode = 7;
  cases.push_back({.name = "compid.thinlayer.ep",
                   .group = kGroupPrinted,
                   .setting = "Theoretical Peak, linear sweep, thin layer L 1 um, v 10 mV/s",
                   .merit = "printed Ep",
                   .unit = Unit::Potential,
                   .theory = kE0,
                   .source = "Hubbard 1969: Ep = E0 for a reversible thin layer",
                   .tolerance = 0.001,
                   .measure = ReadPrinted(
                       film, [](const RunResult& run) { return Printed(run, "Rev Peak", "Ep ="); }),
                   .required = kAnalytical,
                   .quick = true});

  // ks 1e-5 cm/s: at E1/2, 0.25 V below E0, the back reaction is 5e-5 of the forward one.
  const double ks = 1e-5, alpha = 0.5, td = 1;
  const Setup dc =
      Programme(2, 0.3, -0.6, 0.001, 0.001 / td).Set("ks(1)", Text(ks)).Then("mnuCompId");
  const std::string setting =
      "DC voltammetry, planar 1 cm2, ks 1e-5 cm/s, alpha 0.5, td 1 s, E step 1 mV, 0.3 to -0.6 V";
  const double theory = IrreversibleDcHalfWave(kE0, alpha, kD, ks, td);
  const std::string source =
      "stationary plane: E0 + (RT/alpha F) ln(ks sqrt(td/D)/lambda1/2), "
      "lambda1/2 = " +
      Num(IrreversibleDcHalfWaveLambda()) + " (Delahay 1953)";
  const auto curveHalfWave = [](const Curve& c) { return HalfWavePotential(c, LastCurrent(c)); };
  const auto printedHalfWave = [](const RunResult& run) {
    return Printed(run, "Irrev Peak", "E1/2 =");
  };
  Case c{.name = "dc.irreversible.halfwave",
         .group = kGroupPrinted,
         .setting = setting + "; E1/2 where I = I(-0.6 V)/2",
         .merit = "E1/2 of the curve",
         .unit = Unit::Potential,
         .theory = theory,
         .source = source,
         .tolerance = 0.001,
         .measure = Read(dc, curveHalfWave),
         .required = kBoth,
         .quick = true};
  cases.push_back(c);
  c.name = "compid.dc.irreversible.e12";
  c.setting = setting + "; Theoretical Peak";
  c.merit = "printed E1/2";
  c.measure = ReadPrinted(dc, printedHalfWave);
  c.required = kAnalytical;
  cases.push_back(c);
  c.name = "compid.dc.irreversible.vs.curve";
  c.merit = "printed E1/2 - E1/2 of the curve";
  c.theory = 0;
  c.source = "the printed value describes the curve the same parameters give";
  c.measure = ReadPrinted(
      dc, [=](const RunResult& run) { return printedHalfWave(run) - curveHalfWave(run.curve); });
  cases.push_back(c);
}

// A triangle 1e-5 A high on a 0.2 V base, sampled every 10 mV from 0.12 to -0.12 V: in uA the
// ordinates are 0 0 0 1 2 ... 9 10 9 ... 2 1 0 0 0, summing to 2 x 45 + 10 = 100 uA. Find Peak
// sums all but two points at each end, which are zero here; the rectangle sum times the file's
// 10 mV spacing is 100e-6 A x 0.01 V = 1e-6 V A, the triangle's area (0.2 x 1e-5 / 2) as well.
// After the import the dialog's E step is typed as 1 mV: the area must keep to the file's
// spacing.
std::string TriangleFile() {
  return (std::filesystem::temp_directory_path() / "vorex-validate-triangle.csv").string();
}

void WriteTriangle() {
  std::ofstream out(TriangleFile());
  for (int k = 12; k >= -12; --k) {
    char line[48];
    std::snprintf(line, sizeof line, "%.2f,%de-06\n", k / 100.0, std::max(0, 10 - std::abs(k)));
    out << line;
  }
}

void AddPeakArea(std::vector<Case>& cases) {
  const Setup s = Programme(1, 0.3, -0.3, 0.005, 0.01)
                      .Then("mnuImport " + TriangleFile())
                      .Then("mnuExperimental")
                      .Then("FormExpr.Estep = 0.001")
                      .Then("click FormExpr.CmdOK")
                      .Then("mnuFindPeak");
  const Measure area =
      ReadPrinted(s, [](const RunResult& run) { return Printed(run, "Peak Area", "Peak Area ="); });
  cases.push_back({.name = "findpeak.area.imported",
                   .group = kGroupPrinted,
                   .setting = "Find Peak on an imported triangle sampled every 10 mV, the dialog's "
                              "E step then typed as 1 mV",
                   .merit = "printed Peak Area",
                   .unit = Unit::Current,
                   .valueUnit = "V A",
                   .theory = 1e-6,
                   .source = "rectangle sum of the file's ordinates times its 10 mV spacing, by "
                             "hand (cases_analysis.cpp)",
                   .tolerance = 0.001,
                   .measure =
                       [area](Runs& runs, Mode mode) {
                         if (mode == Mode::Analytical) WriteTriangle();
                         return area(runs, mode);
                       },
                   .required = kAnalytical,
                   .quick = true});
}

}  // namespace

void AddAnalysisCases(std::vector<Case>& cases) {
  for (double v : {0.01, 0.1, 1.0}) AddSemiIntegral(cases, v);
  AddSemiDerivative(cases);
  AddTheoreticalPeaks(cases);
  AddPeakArea(cases);
}

}  // namespace vorex::validation
