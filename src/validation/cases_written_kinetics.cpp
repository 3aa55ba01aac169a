// ECE and DISP1 written as text against the working curves' limits (Nicholson & Shain 1965;
// Amatore & Saveant 1977-1978). With the second couple far easier to reduce than the first, an
// ECE sweep goes from the one-electron reversible wave (k -> 0) to a two-electron wave in the
// pure kinetic zone. There B decays in a layer sqrt(D/k) thin, so A meets the electrode under
// the boundary condition of an irreversible wave of transfer coefficient 1 and rate constant
// sqrt(kD): the current is twice that wave, 2 x 0.4958 FAC sqrt(DFv/RT), and it peaks at
// E0 - (RT/F)(0.780 - ln sqrt(lambda)), lambda = kRT/Fv, moving (RT/2F) ln 10 = 29.6 mV per
// decade. In DISP1 the C that B forms takes its electron from a second B in the solution
// (B + C -> A + D) before it reaches the electrode: B decays at 2k and half of it comes back as
// A, so the net flux of A is that of the irreversible wave of rate sqrt(kD/2), each A counting
// two electrons: the same peak current, at (RT/2F) ln 2 = 8.9 mV more negative than ECE's.
#include <cmath>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/written_runs.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "ECE and DISP1 written as text: the working curves' limits";
constexpr char kEce[] = "A + e = B; B = C; C + e = D";
constexpr char kDisp[] = "A + e = B; B = C; C + e = D; B + C = A + D";
constexpr double kV = 0.1;       // scan rate [V/s]
constexpr double kE02 = 0.7;     // the second couple, 0.6 V easier to reduce than the first
constexpr double kDispKC = 1e8;  // k(B + C) C(A): the electron transfer in the solution [1/s]

double RateOf(double lambda) {
  return lambda * kV * kFrt;
}

// A single sweep from 0.55 to -0.05 V in 1 mV steps of 4 sub-steps each, both couples reversible
// (ks 1e4 cm/s).
ParameterSet Sweep(double k, bool disp) {
  ParameterSet p = KeywordParameters({{"technique", "lsv"},
                                      {"mechanism", "11"},
                                      {"E_start", "0.55"},
                                      {"E_end", "-0.05"},
                                      {"E_step", "0.001"},
                                      {"steps_per_point", "4"},
                                      {"scan_rate", Text(kV)},
                                      {"E0_2", Text(kE02)},
                                      {"kf_1", Text(k)},
                                      {"kb_1", "0"}});
  p = AsWritten(p, disp ? kDisp : kEce);
  if (disp) {
    // The text's second-order constant, in L/mol/s, on C(A) in mol/L.
    p.Kf(2) = kDispKC / p.CInit(1);
    p.Kb(2) = 0;
  }
  return p;
}

const Curve& Run(double lambda, bool disp) {
  return CachedCurve(std::string(disp ? "written.disp1." : "written.ece.") + Num(lambda),
                     Sweep(RateOf(lambda), disp));
}

// The pure kinetic zone's peak potential at rate constant k (k/2 for DISP1).
double KineticPeak(double k) {
  return kE0 + FollowingReactionPeakOffset(1, k, kV);
}

Case Row(std::string name, std::string setting, std::string merit, Unit unit, double theory,
         std::string source, double tolerance, Measure measure) {
  return WrittenRow(kGroup, std::move(name), std::move(setting), std::move(merit), unit, theory,
                    std::move(source), tolerance, std::move(measure));
}

std::string Setting(const char* text, double lambda) {
  return std::string("\"") + text +
         "\", LSV 0.55 to -0.05 V, 0.1 V/s, E step 1 mV in 4 steps per point, E0 0.1 and " +
         Num(kE02) + " V, ks 1e4 cm/s, kb 0, lambda = kRT/Fv " + Num(lambda) + " (k " +
         Num(RateOf(lambda)) + " /s)";
}

void AddEce(std::vector<Case>& cases) {
  const double twoElectrons = 2 * IrreversiblePeak(1, 1, kC, kD, kV);
  const double slow = 1e-5;
  cases.push_back(Row("written.ece.slow.ip", Setting(kEce, slow), "peak current", Unit::Current,
                      RandlesSevcikPeak(1, 1, kC, kD, kV),
                      "k -> 0: one-electron reversible wave, Randles-Sevcik 0.4463", 0.005,
                      DigitalOnly([=] { return CathodicPeakCurrent(Run(slow, false)); })));
  cases.push_back(
      Row("written.ece.kinetic.ip", Setting(kEce, 1e4), "peak current", Unit::Current, twoElectrons,
          "pure kinetic limit: 2 x 0.4958 FAC sqrt(DFv/RT); C escaping into the solution lowers it "
          "as lambda^-1/2 (0.23 % at 1e4, 0.73 % at 1e3 by the independent solver of reference_cv)",
          0.006, DigitalOnly([] { return CathodicPeakCurrent(Run(1e4, false)); })));
  for (double lambda : {1e3, 1e4}) {
    cases.push_back(Row("written.ece.kinetic.ep.lambda" + Num(lambda), Setting(kEce, lambda),
                        "peak potential", Unit::Potential, KineticPeak(RateOf(lambda)),
                        "pure kinetic limit: E0 - (RT/F)(0.780 - ln sqrt(lambda))", 0.001,
                        DigitalOnly([=] { return CathodicPeakPotential(Run(lambda, false)); })));
  }
  cases.push_back(Row("written.ece.decade", "the two sweeps above: Ep(lambda 1e4) - Ep(lambda 1e3)",
                      "shift per decade", Unit::Potential, kRtf * std::log(10.0) / 2,
                      "(RT/2F) ln 10 = 29.6 mV per decade of k/v", 0.001, DigitalOnly([] {
                        return CathodicPeakPotential(Run(1e4, false)) -
                               CathodicPeakPotential(Run(1e3, false));
                      })));
}

void AddDisp(std::vector<Case>& cases) {
  const std::string setting = Setting(kDisp, 1e3) + ", k(B + C) C(A) " + Num(kDispKC) + " /s";
  const double lambda = 1e3;
  cases.push_back(Row("written.disp1.ip", setting, "peak current", Unit::Current,
                      2 * IrreversiblePeak(1, 1, kC, kD, kV),
                      "pure kinetic DISP1: 2 x 0.4958 FAC sqrt(DFv/RT), as ECE; approached as "
                      "lambda^-1/2 (-1.3 % at lambda 1e3 and k(B + C) C(A) 1e8 /s by the "
                      "independent solver of reference_cv)",
                      0.02, DigitalOnly([=] { return CathodicPeakCurrent(Run(lambda, true)); })));
  cases.push_back(Row("written.disp1.ep", setting, "peak potential", Unit::Potential,
                      KineticPeak(RateOf(lambda) / 2),
                      "pure kinetic DISP1: E0 - (RT/F)(0.780 - ln sqrt(lambda/2))", 0.001,
                      DigitalOnly([=] { return CathodicPeakPotential(Run(lambda, true)); })));
  cases.push_back(Row("written.disp1.vs.ece", setting + "; against the ECE sweep at the same k",
                      "Ep(DISP1) - Ep(ECE)", Unit::Potential, -kRtf * std::log(2.0) / 2,
                      "-(RT/2F) ln 2 = -8.9 mV", 0.001, DigitalOnly([=] {
                        return CathodicPeakPotential(Run(lambda, true)) -
                               CathodicPeakPotential(Run(lambda, false));
                      })));
}

}  // namespace

void AddWrittenKineticCases(std::vector<Case>& cases) {
  AddEce(cases);
  AddDisp(cases);
}

}  // namespace vorex::validation
