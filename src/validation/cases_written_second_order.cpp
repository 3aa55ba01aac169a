// The built-in mechanisms with a second-order step written as text. The built-ins multiply
// concentrations relative to the largest initial one, Cmax, and take k Cmax [1/s] for a
// second-order constant; a text's constant is k itself [L mol^-1 s^-1]. Beyond that, each
// built-in linearises its second-order term its own way, once per step on the profile the step
// starts from, where a written mechanism solves its step to convergence: the curves differ by
// the built-in's time error, which halves as the step halves.
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
  return {.name = "written.builtin" + std::to_string(CodeNumber(s.code)) + "." + std::move(suffix),
          .group = kGroup,
          .setting = "mechanism " + std::to_string(CodeNumber(s.code)) + " and \"" +
                     BuiltInMechanismText(s.code) + "\", " + s.what + ": " + std::move(setting),
          .merit = std::move(merit),
          .unit = Unit::Relative,
          .theory = theory,
          .source = std::move(source),
          .tolerance = tolerance,
          .measure = std::move(measure),
          .required = kDigital,
          .quick = true};
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
      "the same equations for A and B (C only leaves); the built-in lags B in 2 kf c_B^2 by a "
      "step, the text solves it within the step: both first order, within 1 % at these steps");
  // C 5 mM is Cmax: kf 50 and kb 1 /s are k 1e4 and 200 L/mol/s.
  AddConverging(cases,
                {M::CatalyticSubstrate,
                 "substrate",
                 "C 5 mM (Cmax), kf 50 /s (k 1e4 L/mol/s), kb 1 /s (200 L/mol/s), D(C) 8e-6",
                 {{"C_C", "5e-3"}, {"kf_1", "50"}, {"kb_1", "1"}, {"D_C", "8e-6"}}},
                "the same equations; the built-in takes one Newton step of B + C = A + D per time "
                "step, the text solves it to convergence: both first order, within 1 %");
}

}  // namespace vorex::validation
