// The built-in mechanisms with a second-order step written as text. The built-ins multiply
// concentrations relative to the largest initial one, Cmax, and take k Cmax [1/s] for a
// second-order constant; a text's constant is k itself [L mol^-1 s^-1]. A text's second-order
// step enters each time step as one Newton step from the profile the step starts from (its
// whole Jacobian, see network_terms.h). B + C = A + D (16) does the same: equal to rounding.
// 2 B = C (8) lags c_B in kf c_B^2 by a step instead: the same equations (with kb 0), each run
// first order in the time step, so the difference halves as the step halves. C = A + D (17)
// forms C at kb c_A, without c_D: the text's equations only where D is in such excess that c_D
// stays at its bulk value. 2 B = A (10) forms A at 2 kf c_B, first order, where the text forms
// kf c_B^2: other equations, so the text is checked against the independent solver instead
// (cases_written_reference.cpp).
#include <cmath>
#include <string>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/written_runs.h"

namespace vorex::validation {
namespace {

constexpr char kGroup[] = "Built-in mechanisms with a second-order step written as text";

// The built-in's k Cmax as the text's k: divided by Cmax [mol/L] on each second-order side.
void TextRateConstants(ParameterSet& p) {
  double cMax = 0;
  for (int s = 1; s <= p.SpeciesCount; ++s) cMax = std::fmax(cMax, p.CInit(s));
  const auto order = [](const auto& terms, int count) {
    int sum = 0;
    for (int t = 0; t < count; ++t) sum += terms[static_cast<std::size_t>(t)].count;
    return sum;
  };
  for (int i = 1; i <= p.Network.stepCount; ++i) {
    const NetworkStep& step = p.Network.steps[static_cast<std::size_t>(i - 1)];
    if (order(step.reactants, step.reactantTerms) == 2) p.Kf(i) /= cMax;
    if (order(step.products, step.productTerms) == 2) p.Kb(i) /= cMax;
  }
}

struct SecondOrder {
  MechanismCode code;
  std::string name;  // of the cases
  std::string what;  // the setting beyond the cycle's
  Keywords keywords;
};

Keywords Cycle(double eStep, const Keywords& more) {
  Keywords k{{"technique", "cv"},  {"E_start", "0.4"}, {"E_end", "-0.5"},  {"E_step", Text(eStep)},
             {"scan_rate", "0.1"}, {"ks_1", "0.02"},   {"alpha_1", "0.4"}, {"D_B", "7e-6"}};
  k.insert(k.end(), more.begin(), more.end());
  return k;
}

// The largest deviation of the text's curve from the built-in's at E step eStep.
double DeviationAt(const SecondOrder& s, double eStep) {
  BuiltInAndText runs = BuiltInAsText(s.code, Cycle(eStep, s.keywords));
  TextRateConstants(runs.written);
  const std::string key = "written.second." + s.name + "." + Text(eStep);
  return LargestDeviation(CachedCurve(key + ".text", runs.written),
                          CachedCurve(key + ".builtin", runs.builtIn));
}

Case Row(const SecondOrder& s, std::string suffix, std::string setting, std::string merit,
         double theory, std::string source, double tolerance, Measure measure) {
  return WrittenRow(
      kGroup, "written.builtin" + std::to_string(CodeNumber(s.code)) + "." + std::move(suffix),
      "mechanism " + std::to_string(CodeNumber(s.code)) + " and \"" + BuiltInMechanismText(s.code) +
          "\", " + s.what + ": " + std::move(setting),
      std::move(merit), Unit::Relative, theory, std::move(source), tolerance, std::move(measure));
}

// Two rows of the deviation at E steps of 2 and 1 mV (time steps of 20 and 10 ms), and their
// ratio: both runs are first order in the time step, so the ratio is 1/2 when the difference
// is the linearisation's alone and would stay near 1 for different equations.
void AddConverging(std::vector<Case>& cases, const SecondOrder& s, const std::string& why) {
  const char* merit = "max |i(text) - i(built-in)| / peak";
  for (double step : {0.002, 0.001}) {
    cases.push_back(Row(s, "step" + Num(step * 1e3),
                        "CV 0.4 to -0.5 V, 0.1 V/s, E step " + Num(step * 1e3) + " mV", merit, 0,
                        why, 0.01, DigitalOnly([s, step] { return DeviationAt(s, step); })));
  }
  cases.push_back(Row(s, "order", "the deviation at 1 mV over that at 2 mV", "ratio", 0.5,
                      "backward Euler in both, first order in the step: the difference halves", 0.1,
                      DigitalOnly([s] { return DeviationAt(s, 0.001) / DeviationAt(s, 0.002); })));
}

}  // namespace

void AddWrittenSecondOrderCases(std::vector<Case>& cases) {
  using M = MechanismCode;
  // kf 10 /s at Cmax 1 mM is k = 1e4 L/mol/s; kb 0, for with a back reaction the equations
  // differ (see the setting).
  AddConverging(
      cases,
      {M::EC2,
       "ec2",
       "kf 10 /s (Cmax 1 mM: k 1e4 L/mol/s), kb 0; with kb > 0 the built-in gives B back at kb "
       "c_C where 2 B = C gives 2 kb c_C, and forms C at 2 kf c_B (first order) where 2 B = C "
       "forms kf c_B^2: different equations, so not compared",
       {{"kf_1", "10"}, {"kb_1", "0"}}},
      "the same equations for A and B (C only leaves); the built-in lags c_B in 2 kf c_B^2 by a "
      "step, the text takes a Newton step: both first order, within 1 % at these steps");
  const char* merit = "max |i(text) - i(built-in)| / peak";
  const char* cycle = "CV 0.4 to -0.5 V, 0.1 V/s, E step 2 mV";
  // C 5 mM is Cmax: kf 50 and kb 1 /s are k 1e4 and 200 L/mol/s.
  const SecondOrder substrate{
      M::CatalyticSubstrate,
      "substrate",
      "C 5 mM (Cmax), kf 50 /s (k 1e4 L/mol/s), kb 1 /s (200 L/mol/s), D(C) 8e-6",
      {{"C_C", "5e-3"}, {"kf_1", "50"}, {"kb_1", "1"}, {"D_C", "8e-6"}}};
  cases.push_back(Row(substrate, "step2", cycle, merit, 0,
                      "the same equations and the same Newton step: equal but for rounding", 1e-9,
                      DigitalOnly([substrate] { return DeviationAt(substrate, 0.002); })));
  // D 0.5 M is Cmax: kb 10 /s is k 20 L/mol/s; A 0.1 mM at rest with C 1 mM.
  const SecondOrder complex{
      M::ComplexCE,
      "complex",
      "C 1 mM, A 0.1 mM (at rest), D 0.5 M (Cmax), kf 1 /s, kb 10 /s (k 20 L/mol/s), p 1",
      {{"C_A", "1e-4"}, {"C_C", "1e-3"}, {"C_D", "0.5"}, {"kf_1", "1"}, {"kb_1", "10"}}};
  cases.push_back(Row(complex, "step2", cycle, merit, 0,
                      "D in excess: c_D moves by at most (C(A) + C(C))/C(D) = 0.22 % of itself, "
                      "so the built-in's kb c_A and the text's kb c_A c_D part by less",
                      0.0022, DigitalOnly([complex] { return DeviationAt(complex, 0.002); })));
  // Ten times the excess: the difference falls tenfold, as c_D's share of it says.
  SecondOrder excess = complex;
  excess.name = "complex.excess";
  excess.what = "as above with D 5 M (Cmax; k 2 L/mol/s)";
  for (auto& [name, value] : excess.keywords) {
    if (name == "C_D") value = '5';
  }
  cases.push_back(Row(excess, "excess", cycle, merit, 0,
                      "D in excess: c_D moves by at most 0.022 % of itself", 0.00022,
                      DigitalOnly([excess] { return DeviationAt(excess, 0.002); })));
}

}  // namespace vorex::validation
