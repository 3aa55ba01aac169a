// Each built-in mechanism written as text and run as a written mechanism on the built-in's own
// parameter set: where the built-in solves the same equations, its curve to 1e-9 of its peak.
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"
#include "validation/written_runs.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Built-in mechanisms written as text (digital mode)";
// Nothing but rounding may tell the two runs apart: the same equations on the same grid.
constexpr double kSame = 1e-9;

// A cycle from 0.4 to -0.55 V at 0.1 V/s in 2 mV steps, the first couple quasi-reversible
// (ks 0.02 cm/s, alpha 0.4) and B slower than A, so that every term of the curve shows.
Keywords Cycle(Keywords more) {
  Keywords k{{"technique", "cv"},  {"E_start", "0.4"}, {"E_end", "-0.55"}, {"E_step", "0.002"},
             {"scan_rate", "0.1"}, {"ks_1", "0.02"},   {"alpha_1", "0.4"}, {"D_B", "7e-6"}};
  k.insert(k.end(), more.begin(), more.end());
  return k;
}

double Deviation(MechanismCode code, const Keywords& keywords) {
  const BuiltInAndText runs = BuiltInAsText(code, keywords);
  return LargestDeviation(SimulatedCurve(runs.written), SimulatedCurve(runs.builtIn));
}

struct Same {
  MechanismCode code;
  std::string what;  // the parameters beyond those of Cycle
  Keywords keywords;
};

// The first-order mechanisms, each with its second couple, steps and species in play. Reaction 1
// is the fastest (kf + kb) of each: the built-ins size the grid of the sweep at a plane by
// reaction 1 alone where a text takes its fastest step, so only then is the grid the same. The
// couples are slower than reversible (ks <= 0.1 cm/s): at ks 1e4 cm/s the surface rows hold
// entries some 1e6 times the others, and the two solvers' different order of elimination then
// parts the curves by some 1e-9 of the peak, rounding amplified by that conditioning.
std::vector<Same> FirstOrder() {
  using M = MechanismCode;
  const Keywords second{{"E0_2", "-0.2"}, {"ks_2", "0.05"}, {"alpha_2", "0.6"}};
  const auto with = [](Keywords a, const Keywords& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  return {
      {M::E, "", {}},
      {M::EE, "E0(2) -0.2 V, ks(2) 0.05, alpha(2) 0.6, D(C) 1.2e-5",
       with(second, {{"D_C", "1.2e-5"}})},
      {M::TwoCouples, "C 0.5 mM, E0(2) -0.2 V", with(second, {{"C_C", "5e-4"}, {"D_C", "1.2e-5"}})},
      {M::CE,
       "C 1 mM, A 0.5 mM (at rest), kf 5, kb 10 /s",
       {{"C_A", "5e-4"}, {"C_C", "1e-3"}, {"kf_1", "5"}, {"kb_1", "10"}}},
      {M::CEC,
       "as CE, then B = D with kf(2) 3, kb(2) 0.1 /s",
       {{"C_A", "5e-4"},
        {"C_C", "1e-3"},
        {"kf_1", "5"},
        {"kb_1", "10"},
        {"kf_2", "3"},
        {"kb_2", "0.1"}}},
      {M::EC, "kf 3, kb 0.5 /s", {{"kf_1", "3"}, {"kb_1", "0.5"}}},
      {M::Catalytic, "kf 2, kb 0.1 /s", {{"kf_1", "2"}, {"kb_1", "0.1"}}},
      {M::ECE, "kf 3, kb 0.2 /s, E0(2) -0.2 V", with(second, {{"kf_1", "3"}, {"kb_1", "0.2"}})},
      {M::ECOntoSecondCouple,
       "kf 3, kb 0.2 /s, E0(2) -0.05 V",
       {{"E0_2", "-0.05"}, {"ks_2", "0.05"}, {"kf_1", "3"}, {"kb_1", "0.2"}}},
      {M::SquareScheme,
       "C 0.1 mM, kf(1) 3, kb(1) 0.2, kf(2) 0.3, kb(2) 2 /s, E0(2) -0.05 V, ks(2) 0.05",
       {{"C_C", "1e-4"},
        {"ks_2", "0.05"},
        {"E0_2", "-0.05"},
        {"kf_1", "3"},
        {"kb_1", "0.2"},
        {"kf_2", "0.3"},
        {"kb_2", "2"}}},
      {M::EEC, "E0(2) -0.2 V, kf 3, kb 0.2 /s", with(second, {{"kf_1", "3"}, {"kb_1", "0.2"}})},
      {M::EEIntermediateC, "E0(2) -0.2 V, kf 3, kb 0.2 /s",
       with(second, {{"kf_1", "3"}, {"kb_1", "0.2"}})},
  };
}

Case SameCase(std::string name, std::string setting, Measure measure) {
  return WrittenRow(kGroup, std::move(name), std::move(setting),
                    "max |i(text) - i(built-in)| / peak", Unit::Relative, 0,
                    "the same equations on the same grid: equal but for rounding", kSame,
                    std::move(measure));
}

void AddFirstOrder(std::vector<Case>& cases) {
  for (const Same& s : FirstOrder()) {
    const std::string text = BuiltInMechanismText(s.code);
    const int number = CodeNumber(s.code);
    cases.push_back(SameCase(
        "written.builtin" + std::to_string(number),
        "mechanism " + std::to_string(number) + " and \"" + text +
            "\": CV 0.4 to -0.55 V, 0.1 V/s, E step 2 mV, ks(1) 0.02 cm/s, alpha(1) 0.4, D(B) "
            "7e-6" +
            (s.what.empty() ? "" : ", " + s.what),
        DigitalOnly([s] { return Deviation(s.code, Cycle(s.keywords)); })));
  }
}

// Techniques, electrodes and options beside the cycle at a plane, each for EC and the square
// scheme: the largest deviation of the two.
struct Variant {
  std::string name, what;
  Keywords keywords;
};

std::vector<Variant> Variants() {
  const Keywords dc{{"technique", "dc"}, {"E_start", "0.4"}, {"E_end", "-0.55"},
                    {"E_step", "0.005"}, {"ks_1", "0.02"},   {"alpha_1", "0.4"}};
  const auto with = [](Keywords a, const Keywords& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  return {
      {"dc", "DC voltammetry, E step 5 mV", dc},
      {"np", "normal pulse, E step 5 mV", with(dc, {{"technique", "np"}})},
      {"dp", "differential pulse, E step 5 mV", with(dc, {{"technique", "dp"}})},
      {"sw", "square wave, E step 5 mV", with(dc, {{"technique", "sw"}})},
      {"sphere", "CV at a sphere of radius 5 um",
       Cycle({{"electrode", "sphere"}, {"radius", "5e-4"}})},
      {"microdisc", "CV at a microdisc of radius 10 um",
       Cycle({{"electrode", "microdisc"}, {"radius", "1e-3"}})},
      {"ohmic", "CV behind Ru 200 ohm with Cdl 20 uF", Cycle({{"Ru", "200"}, {"Cdl", "2e-5"}})},
      {"substeps", "CV in 4 steps per point", Cycle({{"steps_per_point", "4"}})},
  };
}

// At the microdisc the built-ins' conservation rows put entries off the diagonal of the surface
// system (D(B) differs from D(A)), which the written rows do not: both must solve the same system.
void AddVariants(std::vector<Case>& cases) {
  using M = MechanismCode;
  const Keywords ec{{"kf_1", "3"}, {"kb_1", "0.5"}};
  const Keywords square{{"C_C", "1e-4"}, {"ks_2", "0.05"}, {"E0_2", "-0.05"}, {"kf_1", "3"},
                        {"kb_1", "0.2"}, {"kf_2", "0.3"},  {"kb_2", "2"}};
  for (const Variant& v : Variants()) {
    const auto with = [keywords = v.keywords](const Keywords& chemistry) {
      Keywords k = keywords;
      k.insert(k.end(), chemistry.begin(), chemistry.end());
      return k;
    };
    cases.push_back(SameCase("written.builtin.variant." + v.name,
                             "mechanisms 7 (EC, kf 3, kb 0.5 /s) and 13 (square scheme as above) "
                             "against their texts: " +
                                 v.what + "; the larger deviation of the two",
                             DigitalOnly([=] {
                               return std::fmax(Deviation(M::EC, with(ec)),
                                                Deviation(M::SquareScheme, with(square)));
                             })));
  }
}

// Mechanism 3 has no digital curve to compare with: the dialog offers it in the analytical mode
// alone, and the digital terms a settings file could still reach give no meaningful curve. Its
// text is held to the closed form instead: DC voltammetry at a new drop, three reversible
// couples of equal D, where the current is Cottrell's times the electrons each molecule has
// taken at the surface, x_B + 2 x_C + 3 x_D under the three Nernst equations.
double ThreeStepElectrons(double e, double e1, double e2, double e3) {
  const double b = std::exp(-kFrt * (e - e1)), c = b * std::exp(-kFrt * (e - e2)),
               d = c * std::exp(-kFrt * (e - e3));
  return (b + 2 * c + 3 * d) / (1 + b + c + d);
}

void AddThreeSteps(std::vector<Case>& cases) {
  const double td = 1, e2 = -0.2, e3 = -0.45;
  const Keywords dc{{"technique", "dc"}, {"mechanism", "3"},  {"E_start", "0.3"},
                    {"E_end", "-0.75"},  {"E_step", "0.005"}, {"scan_rate", Text(0.005 / td)},
                    {"E0_2", Text(e2)},  {"E0_3", Text(e3)}};
  const std::string text = BuiltInMechanismText(MechanismCode::EEE);
  for (double e : {-0.05, -0.32, -0.7}) {
    cases.push_back(
        {.name = "written.builtin3.dc" + Num(e),
         .group = kGroup,
         .setting = "\"" + text +
                    "\" (mechanism 3 has no digital mode to compare with): DC voltammetry td 1 s, "
                    "E0 0.1, -0.2, -0.45 V, ks 1e4 cm/s, equal D; current at " +
                    Num(e) + " V",
         .merit = "current",
         .unit = Unit::Current,
         .theory = Cottrell(1, 1, kC, kD, td) * ThreeStepElectrons(e, kE0, e2, e3),
         .source = "Cottrell times the electrons taken at the surface (Nernst, equal D)",
         .tolerance = 0.005,
         .measure = DigitalOnly([dc, text, e] {
           return CurrentAt(SimulatedCurve(AsWritten(KeywordParameters(dc, true), text)), e);
         }),
         .required = kDigital,
         .quick = true});
  }
}

}  // namespace

void AddWrittenBuiltInCases(std::vector<Case>& cases) {
  AddFirstOrder(cases);
  AddThreeSteps(cases);
  AddVariants(cases);
}

}  // namespace vorex::validation
