// Each built-in mechanism written as text and run as a written mechanism on the built-in's own
// parameter set: where the built-in solves the same equations, its curve to 1e-9 of its peak.
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
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

// The first-order mechanisms, each with its second couple, steps and species in play.
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
      {M::EEE, "E0(2) -0.2, E0(3) -0.35 V, ks(3) 0.1, D(D) 8e-6",
       with(second, {{"E0_3", "-0.35"}, {"ks_3", "0.1"}, {"D_D", "8e-6"}})},
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
       "C 0.1 mM, kf(1) 3, kb(1) 0.2, kf(2) 1, kb(2) 10 /s, E0(2) -0.05 V",
       {{"C_C", "1e-4"},
        {"E0_2", "-0.05"},
        {"kf_1", "3"},
        {"kb_1", "0.2"},
        {"kf_2", "1"},
        {"kb_2", "10"}}},
      {M::EEC, "E0(2) -0.2 V, kf 3, kb 0.2 /s", with(second, {{"kf_1", "3"}, {"kb_1", "0.2"}})},
      {M::EEIntermediateC, "E0(2) -0.2 V, kf 3, kb 0.2 /s",
       with(second, {{"kf_1", "3"}, {"kb_1", "0.2"}})},
  };
}

Case SameCase(std::string name, std::string setting, Measure measure) {
  return {.name = std::move(name),
          .group = kGroup,
          .setting = std::move(setting),
          .merit = "max |i(text) - i(built-in)| / peak",
          .unit = Unit::Relative,
          .theory = 0,
          .source = "the same equations on the same grid: equal but for rounding",
          .tolerance = kSame,
          .measure = std::move(measure),
          .required = kDigital,
          .quick = true};
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

void AddVariants(std::vector<Case>& cases) {
  using M = MechanismCode;
  const Keywords ec{{"kf_1", "3"}, {"kb_1", "0.5"}};
  const Keywords square{{"C_C", "1e-4"}, {"E0_2", "-0.05"}, {"kf_1", "3"},
                        {"kb_1", "0.2"}, {"kf_2", "1"},     {"kb_2", "10"}};
  for (const Variant& v : Variants()) {
    const auto with = [&v](const Keywords& chemistry) {
      Keywords k = v.keywords;
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

}  // namespace

void AddWrittenBuiltInCases(std::vector<Case>& cases) {
  AddFirstOrder(cases);
  AddVariants(cases);
}

}  // namespace vorex::validation
