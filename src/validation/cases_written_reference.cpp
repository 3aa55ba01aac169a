// Written mechanisms against the independent solver of reference_cv.h: a square scheme, a
// dimerisation and the second-order catalytic scheme, by their peaks in a cycle at a plane. The
// reference is run at two resolutions (the second with half the spacing and half the time
// step); both errors are second order, so the value is extrapolated as fine + (fine - coarse)/3,
// and the change between the two bounds what the reference may be off by.
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/reference_cv.h"
#include "validation/written_runs.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Written mechanisms against an independent solver (method of lines)";
constexpr double kV = 0.1;  // scan rate [V/s]
// The rows of the independent solver's own figures show them in the digital column.
constexpr char kSolverAlone[] = "the independent solver alone: digital column";

struct Scheme {
  std::string name, text, what;
  int builtIn;  // the built-in whose dialog offers the same numbered fields
  double eStart, eVertex;
  Keywords keywords;  // the numbers beside the text, as the dialog takes them
  // Second-order constants [L mol^-1 s^-1] of steps 1..2 (0: the keyword's value stands).
  double kf2[2] = {0, 0}, kb2[2] = {0, 0};
  ReferenceScheme reference{};
  double h = 0;  // the reference's coarse spacing [cm]
  bool anodic = true;
};

ReferenceCouple Couple(int ox, int red, double e0, double ks, double alpha) {
  return {ox, red, 1, e0, ks, alpha};
}
ReferenceStep FirstOrder(int from, int to, double kf, double kb) {
  return {{{from, 1}}, {{to, 1}}, kf, kb};
}

// A + e = B (E0 0.1 V, ks 0.05 cm/s, alpha 0.4); B = D (K1 = 100) and C = A (K2 = 10) so that
// the cycle is at rest: E0(2) = E0(1) + (RT/F) ln(K1 K2). C at rest with A in the solution.
Scheme SquareScheme() {
  const double kf1 = 20, kb1 = 0.2, kf2 = 1, kb2 = 0.1;
  const double e02 = kE0 + kRtf * std::log(kf1 / kb1 * kf2 / kb2);
  Scheme s{.name = "square",
           .text = "A + e = B; B = D; C + e = D; C = A",
           .what = "E0 0.1 and " + Num(std::round(e02 * 1e4) / 1e4) +
                   " V, ks(1) 0.05 cm/s, alpha(1) 0.4, ks(2) 1e4; B = D kf 20, kb 0.2 /s; C = A "
                   "kf 1, kb 0.1 /s; A 1 mM, C 0.1 mM; D 1, 0.7, 1.2, 0.9 x 1e-5 cm2/s",
           .builtIn = 13,
           .eStart = 0.55,
           .eVertex = -0.15,
           .keywords = {{"E0_2", Text(e02)},
                        {"ks_1", "0.05"},
                        {"alpha_1", "0.4"},
                        {"kf_1", Text(kf1)},
                        {"kb_1", Text(kb1)},
                        {"kf_2", Text(kf2)},
                        {"kb_2", Text(kb2)},
                        {"C_C", "1e-4"},
                        {"D_B", "7e-6"},
                        {"D_C", "1.2e-5"},
                        {"D_D", "9e-6"}}};
  ReferenceScheme& r = s.reference;
  r.species = 4;
  r.d = {1e-5, 7e-6, 1.2e-5, 9e-6};
  r.bulk = {1e-3, 0, 1e-4, 0};
  r.couples = {Couple(0, 1, kE0, 0.05, 0.4), Couple(2, 3, e02, 1e4, 0.5)};
  r.steps = {FirstOrder(1, 3, kf1, kb1), FirstOrder(2, 0, kf2, kb2)};
  s.h = 2.5e-5;
  return s;
}

// A + e = B, 2 B = C at k 1e4 L/mol/s (k C(A) 10 /s) and C = 2 B at 1 /s.
Scheme Dimerisation() {
  Scheme s{.name = "dimer",
           .text = "A + e = B; 2 B = C",
           .what =
               "E0 0.1 V, ks 1e4 cm/s; 2 B = C kf 1e4 L/mol/s, kb 1 /s; A 1 mM; D(C) 5e-6 "
               "cm2/s",
           .builtIn = 8,
           .eStart = 0.4,
           .eVertex = -0.2,
           .keywords = {{"kb_1", "1"}, {"D_C", "5e-6"}}};
  s.kf2[0] = 1e4;
  ReferenceScheme& r = s.reference;
  r.species = 3;
  r.d = {1e-5, 1e-5, 5e-6};
  r.bulk = {1e-3, 0, 0};
  r.couples = {Couple(0, 1, kE0, 1e4, 0.5)};
  r.steps = {{{{1, 2}}, {{2, 1}}, 1e4, 1}};
  s.h = 4e-5;
  return s;
}

// A + e = B, 2 B = A at k 1e4 L/mol/s. The built-in mechanism 10 forms A at 2 kf c_B, first
// order, where 2 B = A forms kf c_B^2: different equations, so the text is checked here.
Scheme SecondOrderCatalytic() {
  Scheme s{.name = "catalytic2",
           .text = "A + e = B; 2 B = A",
           .what =
               "E0 0.1 V, ks 1e4 cm/s; 2 B = A kf 1e4 L/mol/s, kb 0; A 1 mM (mechanism 10 "
               "solves other equations: it forms A at 2 kf c_B, first order)",
           .builtIn = 10,
           .eStart = 0.4,
           .eVertex = -0.3,
           .keywords = {{"kb_1", "0"}}};
  s.kf2[0] = 1e4;
  ReferenceScheme& r = s.reference;
  r.species = 2;
  r.d = {1e-5, 1e-5};
  r.bulk = {1e-3, 0};
  r.couples = {Couple(0, 1, kE0, 1e4, 0.5)};
  r.steps = {{{{1, 2}}, {{0, 1}}, 1e4, 0}};
  s.h = 4e-5;
  s.anodic = false;
  return s;
}

ParameterSet Program(const Scheme& s) {
  Keywords k{{"technique", "cv"},         {"mechanism", std::to_string(s.builtIn)},
             {"E_start", Text(s.eStart)}, {"E_end", Text(s.eVertex)},
             {"E_step", "0.001"},         {"scan_rate", Text(kV)},
             {"steps_per_point", "4"}};
  k.insert(k.end(), s.keywords.begin(), s.keywords.end());
  ParameterSet p = AsWritten(KeywordParameters(k), s.text);
  for (int i = 0; i < 2; ++i) {
    if (s.kf2[i] > 0) p.Kf(i + 1) = s.kf2[i];
    if (s.kb2[i] > 0) p.Kb(i + 1) = s.kb2[i];
  }
  return p;
}

struct Peaks {
  Peak cathodic, anodic;
};

Peaks PeaksOf(const Curve& c, bool anodic) {
  return {CathodicPeak(c), anodic ? AnodicPeak(c) : Peak{}};
}

// The reference at the coarse and the fine resolution, made once per validation run.
const std::pair<Peaks, Peaks>& Reference(const Scheme& s) {
  static std::map<std::string, std::pair<Peaks, Peaks>> made;
  auto found = made.find(s.name);
  if (found != made.end()) return found->second;
  const ReferenceSweep sweep{s.eStart, s.eVertex, kV, 1, kFrt};
  const ReferenceResolution coarse{s.h, 0.002, 4};
  const Peaks a = PeaksOf(ReferenceCv(s.reference, sweep, coarse), s.anodic);
  const Peaks b = PeaksOf(ReferenceCv(s.reference, sweep, coarse.Halved()), s.anodic);
  return made.emplace(s.name, std::pair{a, b}).first->second;
}

double Extrapolated(double coarse, double fine) {
  return fine + (fine - coarse) / 3;
}

enum class Figure { CathodicCurrent, CathodicPotential, AnodicCurrent, AnodicPotential };

double Read(const Peaks& p, Figure f) {
  switch (f) {
    case Figure::CathodicCurrent:
      return p.cathodic.current;
    case Figure::CathodicPotential:
      return p.cathodic.potential;
    case Figure::AnodicCurrent:
      return p.anodic.current;
    case Figure::AnodicPotential:
      return p.anodic.potential;
  }
  return 0;
}

bool IsCurrent(Figure f) {
  return f == Figure::CathodicCurrent || f == Figure::AnodicCurrent;
}

// The program's figure against the extrapolated reference: relative for a current, in V for a
// potential.
double AgainstReference(const Scheme& s, Figure f) {
  const auto& [coarse, fine] = Reference(s);
  const double reference = Extrapolated(Read(coarse, f), Read(fine, f));
  const double program =
      Read(PeaksOf(CachedCurve("written.reference." + s.name, Program(s)), s.anodic), f);
  return IsCurrent(f) ? program / reference - 1 : program - reference;
}

// The reference's own change on halving its steps: the largest over the figures of a kind.
double ReferenceChange(const Scheme& s, bool currents) {
  const auto& [coarse, fine] = Reference(s);
  double largest = 0;
  for (Figure f : {Figure::CathodicCurrent, Figure::CathodicPotential, Figure::AnodicCurrent,
                   Figure::AnodicPotential}) {
    if (IsCurrent(f) != currents ||
        (!s.anodic && (f == Figure::AnodicCurrent || f == Figure::AnodicPotential)))
      continue;
    const double a = Read(coarse, f), b = Read(fine, f);
    largest = std::fmax(largest, IsCurrent(f) ? std::fabs(b / a - 1) : std::fabs(b - a));
  }
  return largest;
}

Case Row(const Scheme& s, std::string suffix, std::string setting, std::string merit, Unit unit,
         std::string source, double tolerance, Measure measure) {
  return WrittenRow(kGroup, "written.reference." + s.name + "." + std::move(suffix),
                    "\"" + s.text + "\", " + s.what + ": " + std::move(setting), std::move(merit),
                    unit, 0, std::move(source), tolerance, std::move(measure));
}

void AddScheme(std::vector<Case>& cases, const Scheme& s) {
  const std::string cycle = "CV " + Num(s.eStart) + " to " + Num(s.eVertex) +
                            " V at 0.1 V/s; the program at E step 1 mV in 4 steps per point";
  const std::string independent =
      "independent solver: uniform grid, BDF2, Newton (reference_cv.h), extrapolated from "
      "spacing " +
      Num(s.h * 1e4) + " and " + Num(s.h * 0.5e4) + " um, 2 and 1 mV per step";
  const std::string resolution =
      "reference at spacing " + Num(s.h * 1e4) + " um and 2 mV per step, then half of each";
  const char* order =
      "second order in both steps: the extrapolated reference is off by a fraction of this "
      "change, far below the rows' 0.1 % and 0.1 mV";
  cases.push_back(Row(s, "convergence.ip", resolution, "largest change of a peak current",
                      Unit::Relative, order, 0.0005,
                      DigitalOnly([s] { return ReferenceChange(s, true); }, kSolverAlone)));
  cases.push_back(Row(s, "convergence.ep", resolution, "largest change of a peak potential",
                      Unit::Potential, order, 0.00005,
                      DigitalOnly([s] { return ReferenceChange(s, false); }, kSolverAlone)));
  struct Item {
    Figure figure;
    const char* suffix;
    const char* merit;
  };
  const Item items[] = {{Figure::CathodicCurrent, "ipc", "ipc / ipc(reference) - 1"},
                        {Figure::CathodicPotential, "epc", "Epc - Epc(reference)"},
                        {Figure::AnodicCurrent, "ipa", "ipa / ipa(reference) - 1"},
                        {Figure::AnodicPotential, "epa", "Epa - Epa(reference)"}};
  for (const Item& item : items) {
    const bool anodic =
        item.figure == Figure::AnodicCurrent || item.figure == Figure::AnodicPotential;
    if (anodic && !s.anodic) continue;
    const bool current = IsCurrent(item.figure);
    // The program's own error in 4 sub-steps of a 1 mV point, which its reversible sweep rows
    // hold to 0.1 mV (sweep.steps8.*): 0.1 % and 0.1 mV, with the chemistry's layers.
    // A single step per point would not do: its peak wanders by some 0.5 % with the E step on
    // the grid tuned for it (see digital_simulation.cpp), the built-ins' as much.
    cases.push_back(Row(s, item.suffix, cycle, item.merit,
                        current ? Unit::Relative : Unit::Potential, independent,
                        current ? 0.001 : 0.0001,
                        DigitalOnly([s, f = item.figure] { return AgainstReference(s, f); })));
  }
}

// The independent solver itself on a reversible couple, against Randles-Sevcik and E1/2 -
// 1.109 RT/F: no program run, so the value stands in the digital column.
void AddSelfCheck(std::vector<Case>& cases) {
  Scheme s{.name = "reversible",
           .text = "A + e = B",
           .what = "",
           .builtIn = 1,
           .eStart = 0.4,
           .eVertex = -0.2,
           .keywords = {}};
  s.reference.species = 2;
  s.reference.d = {kD, kD};
  s.reference.bulk = {kC * 1e3, 0};
  s.reference.couples = {Couple(0, 1, kE0, 1e4, 0.5)};
  s.h = 4e-5;
  const auto solverAlone = [s](Figure f) -> Measure {
    return [s, f](Runs&, Mode mode) {
      if (mode == Mode::Analytical) return Measurement{std::nullopt, kSolverAlone};
      const auto& [coarse, fine] = Reference(s);
      return Measurement{Extrapolated(Read(coarse, f), Read(fine, f)), ""};
    };
  };
  const char* setting =
      "the independent solver alone: A + e = B, ks 1e4 cm/s, CV 0.4 to -0.2 V at 0.1 V/s, "
      "extrapolated from spacing 0.4 and 0.2 um, 2 and 1 mV per step";
  const auto row = [&](std::string suffix, std::string merit, Unit unit, double theory,
                       std::string source, double tolerance, Measure measure) {
    return WrittenRow(kGroup, "written.reference.selfcheck." + std::move(suffix), setting,
                      std::move(merit), unit, theory, std::move(source), tolerance,
                      std::move(measure));
  };
  cases.push_back(row("ip", "peak current", Unit::Current, RandlesSevcikPeak(1, 1, kC, kD, kV),
                      "Randles-Sevcik, 0.4463 (four digits)", 0.0002,
                      solverAlone(Figure::CathodicCurrent)));
  cases.push_back(row("ep", "peak potential", Unit::Potential, kE0 + ReversiblePeakOffset(1),
                      "E1/2 - 1.109 RT/F (Nicholson & Shain 1964)", 0.00005,
                      solverAlone(Figure::CathodicPotential)));
}

// The reference's fine grids take seconds a scheme (tens of seconds under the sanitizers): the
// quick check keeps the solver's own check and the dimerisation, the full report every scheme.
void AddFullReportOnly(std::vector<Case>& cases, const Scheme& s) {
  const std::size_t first = cases.size();
  AddScheme(cases, s);
  for (std::size_t i = first; i < cases.size(); ++i) cases[i].quick = false;
}

}  // namespace

void AddWrittenReferenceCases(std::vector<Case>& cases) {
  AddSelfCheck(cases);
  AddFullReportOnly(cases, SquareScheme());
  AddScheme(cases, Dimerisation());
  AddFullReportOnly(cases, SecondOrderCatalytic());
}

}  // namespace vorex::validation
