// Homogeneous chemistry and two-electron schemes: the catalytic EC' plateau, the EC peak shift
// in the kinetic zone, a following reaction too slow to matter, and two well-separated waves.
#include <cmath>
#include <utility>

#include "validation/case_helpers.h"
#include "validation/closed_forms.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

constexpr char kGroupCatalytic[] = "Catalytic EC' (mechanisms 9 and 16 at the same k')";
constexpr char kGroupFollowing[] = "Following reaction EC (mechanism 7)";
constexpr char kGroupTwoWaves[] = "Two electron transfers (mechanisms 2 and 4)";

Setup WithReaction(Setup s, int mechanism, double kf) {
  s.mechanism = mechanism;
  return s.Set("kf(1)", Text(kf)).Set("kb(1)", "0");
}

// Mechanism 16 beside mechanism 9: C at 1 M is the largest concentration, so kf (k Cmax in 1/s) is
// the pseudo-first-order k' = k C(C) itself. Each A turns over some sqrt(k t) times in the
// reaction layer (77 in the sweep), so A is at 10 uM for C to stay in excess.
Setup WithExcessSubstrate(Setup s) {
  return s.Set("C(1)", "1e-5").Set("C(3)", "1");
}

constexpr double kDiluteC = kC / 100;  // 10 uM [mol/cm3]

void AddCatalytic(std::vector<Case>& cases) {
  const double k = 100, td = 1;
  const Setup dc = WithReaction(Programme(2, 0.3, -0.3, 0.005, 0.005 / td), 9, k);
  Case c{.name = "catalytic.dc",
         .group = kGroupCatalytic,
         .setting = "DC voltammetry, B = A with kf 100 /s, kb 0, td 1 s, plateau at -0.3 V",
         .merit = "plateau current",
         .unit = Unit::Current,
         .theory = CatalyticStep(1, 1, kC, kD, k, td),
         .source = "Delahay & Stiehl 1952: nFAC sqrt(Dk)[erf sqrt(kt) + exp(-kt)/sqrt(pi kt)]",
         .tolerance = 0.01,
         .measure = Read(dc, LastCurrent),
         .required = kDigital,
         .quick = true};
  cases.push_back(c);
  c.name = "catalytic16.dc";
  c.setting =
      "DC voltammetry, B + C = A + D with A 10 uM, C 1 M (Cmax) and kf = k Cmax 100 /s, "
      "kb 0, td 1 s, plateau at -0.3 V";
  c.theory = CatalyticStep(1, 1, kDiluteC, kD, k, td);
  c.measure = Read(WithExcessSubstrate(WithReaction(dc, 16, k)), LastCurrent);
  cases.push_back(c);
  // kRT/(Fv) = 257: deep in the pure kinetic zone, an S-shaped wave.
  const double kSweep = 1000, v = 0.1;
  const Setup sweep = WithReaction(Programme(1, 0.3, -0.3, 0.001, v), 9, kSweep);
  c = {.name = "catalytic.sweep",
       .group = kGroupCatalytic,
       .setting = "linear sweep, B = A with kf 1000 /s, kb 0, v 0.1 V/s, E step 1 mV",
       .merit = "plateau current",
       .unit = Unit::Current,
       .theory = CatalyticPlateau(1, 1, kC, kD, kSweep),
       .source = "Saveant & Vianello 1965: nFAC sqrt(Dk)",
       .tolerance = 0.01,
       .measure = Read(sweep, LastCurrent),
       .required = kDigital,
       .quick = true};
  cases.push_back(c);
  c.name = "catalytic16.sweep";
  c.setting =
      "linear sweep, B + C = A + D with A 10 uM, C 1 M (Cmax) and kf = k Cmax 1000 /s, kb "
      "0, v 0.1 V/s, E step 1 mV";
  c.theory = CatalyticPlateau(1, 1, kDiluteC, kD, kSweep);
  c.measure = Read(WithExcessSubstrate(WithReaction(sweep, 16, kSweep)), LastCurrent);
  cases.push_back(c);
}

Setup FollowingSweep(double lambda) {
  const double v = 0.1;
  return WithReaction(Programme(1, 0.3, -0.3, 0.001, v), 7, lambda * v * kFrt);
}

void AddFollowing(std::vector<Case>& cases) {
  const double v = 0.1;
  const char* source =
      "Nicholson & Shain 1964, kinetic zone: Ep = E1/2 - (RT/nF)(0.780 - ln sqrt(lambda))";
  for (double lambda : {100.0, 1000.0}) {
    cases.push_back({.name = "ec.shift.lambda" + Num(lambda),
                     .group = kGroupFollowing,
                     .setting = "linear sweep, B = C with lambda = kRT/Fv = " + Num(lambda) +
                                " (kf " + Num(lambda * v * kFrt) +
                                " /s), kb 0, v 0.1 V/s, E step 1 mV",
                     .merit = "peak potential",
                     .unit = Unit::Potential,
                     .theory = kE0 + FollowingReactionPeakOffset(1, lambda * v * kFrt, v),
                     .source = source,
                     .tolerance = 0.002,
                     .measure = Read(FollowingSweep(lambda), CathodicPeakPotential),
                     .required = kDigital,
                     .quick = true});
  }
  const Measure decade = [](Runs& runs, Mode mode) {
    const Measurement low = FromRun(runs, FollowingSweep(100), mode, CathodicPeakPotential);
    const Measurement high = FromRun(runs, FollowingSweep(1000), mode, CathodicPeakPotential);
    if (!low.value || !high.value) return low.value ? high : low;
    return Measurement{*high.value - *low.value, ""};
  };
  cases.push_back({.name = "ec.shift.decade",
                   .group = kGroupFollowing,
                   .setting = "the two sweeps above: Ep(lambda 1000) - Ep(lambda 100)",
                   .merit = "shift per decade",
                   .unit = Unit::Potential,
                   .theory = kRtf * std::log(10.0) / 2,
                   .source = "Nicholson & Shain 1964: (RT/2F) ln 10",
                   .tolerance = 0.001,
                   .measure = decade,
                   .required = kDigital,
                   .quick = true});
}

// kf 1e-4 /s over the 60 s of the sweep: k t = 0.006, nothing to see. Against Randles-Sevcik
// at the 1 mV step of the sweep target; against mechanism 1 at the start-up 5 mV step.
Case SlowCase(std::string name, std::string merit, Unit unit, double theory, const char* source,
              double tolerance, Measure measure, std::string setting) {
  return {.name = std::move(name),
          .group = kGroupFollowing,
          .setting = std::move(setting),
          .merit = std::move(merit),
          .unit = unit,
          .theory = theory,
          .source = source,
          .tolerance = tolerance,
          .measure = std::move(measure),
          .required = kDigital,
          .quick = true};
}

void AddSlowFollowing(std::vector<Case>& cases) {
  const char* what = "linear sweep, B = C with kf 1e-4 /s, kb 0, v 10 mV/s, E step ";
  const Setup fine = WithReaction(Programme(1, 0.3, -0.3, 0.001, 0.01), 7, 1e-4);
  const char* rs = "Nicholson & Shain 1964 (Randles-Sevcik)";
  cases.push_back(SlowCase("ec.slow.ip", "peak current", Unit::Current,
                           RandlesSevcikPeak(1, 1, kC, kD, 0.01), rs, 0.005,
                           Read(fine, CathodicPeakCurrent), std::string(what) + "1 mV"));
  cases.push_back(SlowCase("ec.slow.ep", "peak potential", Unit::Potential,
                           kE0 + ReversiblePeakOffset(1), rs, 0.001,
                           Read(fine, CathodicPeakPotential), std::string(what) + "1 mV"));
  const Setup plain = Programme(1, 0.3, -0.3, 0.005, 0.01);
  const Setup slow = WithReaction(plain, 7, 1e-4);
  const auto against = [plain, slow](auto merit, bool relative) {
    return [=](Runs& runs, Mode mode) {
      const Measurement a = FromRun(runs, slow, mode, merit);
      const Measurement b = FromRun(runs, plain, mode, merit);
      if (!a.value || !b.value) return a.value ? b : a;
      return Measurement{relative ? *a.value / *b.value - 1 : *a.value - *b.value, ""};
    };
  };
  const char* nothing = "a reaction that slow changes nothing: the curve of mechanism 1";
  const std::string setting = std::string(what) + "5 mV, against mechanism 1 in the same mode";
  cases.push_back(SlowCase("ec.slow.vs.mechanism1.ip", "ip / ip(mech. 1) - 1", Unit::Relative, 0,
                           nothing, 0.005, against(CathodicPeakCurrent, true), setting));
  cases.push_back(SlowCase("ec.slow.vs.mechanism1.ep", "Ep - Ep(mech. 1)", Unit::Potential, 0,
                           nothing, 0.001, against(CathodicPeakPotential, false), setting));
}

// Surface fractions of A, B, C under two Nernst equations with equal D: the DC current at a
// new drop is Cottrell times the electrons each molecule has taken, x_B + 2 x_C.
double TwoStepElectrons(double e, double e1, double e2) {
  const double b = std::exp(-kFrt * (e - e1)), c = b * std::exp(-kFrt * (e - e2));
  return (b + 2 * c) / (1 + b + c);
}

// Two independent couples of equal concentration: the fractions add.
double TwoCoupleElectrons(double e, double e1, double e2) {
  return 1 / (1 + std::exp(kFrt * (e - e1))) + 1 / (1 + std::exp(kFrt * (e - e2)));
}

void AddTwoWaves(std::vector<Case>& cases, int mechanism) {
  const double td = 1, e1 = kE0, e2 = -0.3;
  Setup s = Programme(2, 0.3, -0.7, 0.005, 0.005 / td);
  s.mechanism = mechanism;
  s.Set("Eze(2)", Text(e2));
  if (mechanism == 4) s.Set("C(3)", Text(kC * 1e3));
  const double cottrell = Cottrell(1, 1, kC, kD, td);
  const std::string name = mechanism == 2 ? "ee" : "two.couples";
  const std::string what = mechanism == 2 ? "A + e = B, B + e = C (E0 0.1, -0.3 V)"
                                          : "A + e = B, C + e = D, 1 mM each (E0 0.1, -0.3 V)";
  for (auto [e, label] : {std::pair{-0.1, "first"}, std::pair{-0.7, "second"}}) {
    const double electrons =
        mechanism == 2 ? TwoStepElectrons(e, e1, e2) : TwoCoupleElectrons(e, e1, e2);
    cases.push_back(
        {.name = name + "." + label,
         .group = kGroupTwoWaves,
         .setting = "DC voltammetry td 1 s, " + what + ", current at " + Num(e) + " V",
         .merit = std::string(label) + " plateau",
         .unit = Unit::Current,
         .theory = cottrell * electrons,
         .source = "Cottrell times the electrons taken at the surface (Nernst, equal D)",
         .tolerance = 0.005,
         // Named again: clang 14 (the fuzzing build's) cannot capture a structured binding.
         .measure = Read(s, [at = e](const Curve& c) { return CurrentAt(c, at); }),
         .required = mechanism == 4 ? kBoth : kDigital,
         .quick = true});
  }
}

}  // namespace

void AddChemistryCases(std::vector<Case>& cases) {
  AddCatalytic(cases);
  AddFollowing(cases);
  AddSlowFollowing(cases);
  AddTwoWaves(cases, 2);
  AddTwoWaves(cases, 4);
}

}  // namespace vorex::validation
