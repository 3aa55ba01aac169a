#include "experiment/network_equilibrium.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "base/runtime_fault.h"
#include "experiment/initial_concentrations.h"

namespace vorex {
namespace {

constexpr double kF = 96484.6 / 8.31441 / 298.14;  // F/RT at 25 degrees C [1/V]

ReactionNetwork Network(std::string_view text) {
  auto parsed = ParseMechanism(text);
  if (auto* error = std::get_if<NetworkError>(&parsed)) ADD_FAILURE() << error->message;
  return std::get<ReactionNetwork>(parsed);
}

// A network at E start = 0.3 V with every couple one-electron at E0 = 0.1 V and every step's
// constants 1, the concentrations given from A on.
NetworkEquilibriumInputs Inputs(std::string_view text, std::initializer_list<double> c) {
  NetworkEquilibriumInputs in;
  in.network = Network(text);
  int s = 1;
  for (double v : c) in.c[static_cast<std::size_t>(s++)] = v;
  in.n.fill(1);
  in.e0.fill(0.1);
  in.kf.fill(1);
  in.kb.fill(1);
  in.startPotential = 0.3;
  in.fOverRT = kF;
  return in;
}

// red / ox of a couple at E start.
double Theta(const NetworkEquilibriumInputs& in, int couple) {
  return std::exp(in.n[couple] * kF * (in.e0[couple] - in.startPotential));
}

void ExpectRelative(double actual, double expected, double tolerance, const char* what) {
  EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

TEST(NetworkPreEquilibrate, OneCoupleTakesItsNernstRatio) {
  auto in = Inputs("A + 2e = B", {1e-3, 2e-4});
  in.n[1] = 2;
  in.startPotential = 0.05;
  // A + B = 1.2e-3 split as 1 : theta, theta = exp(2 f (0.1 - 0.05)) = 49.2.
  const double theta = std::exp(2 * kF * 0.05);
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[1], 1.2e-3 / (1 + theta), 1e-13, "A");
  ExpectRelative(c[2], 1.2e-3 * theta / (1 + theta), 1e-13, "B");
}

TEST(NetworkPreEquilibrate, FirstOrderStepTakesKfOverKb) {
  // C = D apart from the couple: D / C = kf / kb = 4, C + D = 1e-3.
  auto in = Inputs("A + e = B; C = D", {1e-3, 0, 6e-4, 4e-4});
  in.kf[1] = 2;
  in.kb[1] = 0.5;
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[3], 2e-4, 1e-13, "C");
  ExpectRelative(c[4], 8e-4, 1e-13, "D");
  ExpectRelative(c[1], 1e-3 / (1 + Theta(in, 1)), 1e-13, "A");
}

TEST(NetworkPreEquilibrate, DimerisationSolvesItsQuadratic) {
  // 2 C = D: kf C^2 = kb D with C + 2 D = 1e-3, so 2 kf C^2 + kb C - kb 1e-3 = 0; with kf = 1e3,
  // kb = 1: C = (-1 + sqrt(1 + 8)) / 4000 = 5e-4, D = 2.5e-4.
  auto in = Inputs("A + e = B; 2 C = D", {1e-3, 0, 1e-3, 0});
  in.kf[1] = 1e3;
  in.kb[1] = 1;
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[3], 5e-4, 1e-12, "C");
  ExpectRelative(c[4], 2.5e-4, 1e-12, "D");
}

TEST(NetworkPreEquilibrate, DimerOfTheReducedFormSharesItsPool) {
  // 2 B = C with B = theta A: A + B + 2 C = 1e-3 and kf B^2 = kb C give, for P = A + B and
  // b = theta / (1 + theta), 2 kf b^2 P^2 + kb P - kb 1e-3 = 0.
  auto in = Inputs("A + e = B; 2 B = C", {1e-3, 0, 0});
  in.startPotential = 0.1;  // theta = 1, b = 1/2
  in.kf[1] = 2e3;
  in.kb[1] = 1;
  // 1000 P^2 + P - 1e-3 = 0: P = (-1 + sqrt(1 + 4)) / 2000.
  const double p = (-1 + std::sqrt(5.0)) / 2000;
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[1], p / 2, 1e-12, "A");
  ExpectRelative(c[2], p / 2, 1e-12, "B");
  ExpectRelative(c[3], (1e-3 - p) / 2, 1e-12, "C");
}

TEST(NetworkPreEquilibrate, ChainsHoldEveryRatioAtOnce) {
  // A : B : C : D = 1 : theta : theta K1 : theta K1 K2 for the couple and two following steps.
  auto in = Inputs("A + e = B; B = C; C = D", {1e-3, 0, 0, 0});
  in.startPotential = 0.12;
  in.kf[1] = 3, in.kb[1] = 1;
  in.kf[2] = 1, in.kb[2] = 5;
  const double t = Theta(in, 1), k1 = 3, k2 = 0.2;
  const double a = 1e-3 / (1 + t + t * k1 + t * k1 * k2);
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[1], a, 1e-12, "A");
  ExpectRelative(c[2], a * t, 1e-12, "B");
  ExpectRelative(c[3], a * t * k1, 1e-12, "C");
  ExpectRelative(c[4], a * t * k1 * k2, 1e-12, "D");
  // Two couples in a row: A : B : C = 1 : theta1 : theta1 theta2.
  auto ee = Inputs("A + e = B; B + e = C", {1e-3, 0, 0});
  ee.startPotential = 0.1;
  ee.e0[2] = 0.05;
  const double t1 = 1, t2 = Theta(ee, 2);
  const auto c2 = NetworkPreEquilibrate(ee);
  ExpectRelative(c2[1], 1e-3 / (1 + t1 + t1 * t2), 1e-12, "A of EE");
  ExpectRelative(c2[3], 1e-3 * t1 * t2 / (1 + t1 + t1 * t2), 1e-12, "C of EE");
}

TEST(NetworkPreEquilibrate, ConservesMatterAndMeetsEachEquilibrium) {
  // Units of A (in A, B, D, 2 in E) and of C (in C, F, D, 2 in E) are conserved.
  auto in = Inputs("A + e = B; B + C = D; 2 D = E; C + e = F", {1e-3, 2e-4, 5e-4, 0, 1e-4, 3e-4});
  in.startPotential = 0.08;
  in.e0[2] = 0.02;
  in.kf[1] = 5e3, in.kb[1] = 2;
  in.kf[2] = 1e4, in.kb[2] = 3;
  const auto c = NetworkPreEquilibrate(in);
  const double unitsA = 1e-3 + 2e-4 + 0 + 2 * 1e-4, unitsC = 5e-4 + 3e-4 + 0 + 2 * 1e-4;
  ExpectRelative(c[1] + c[2] + c[4] + 2 * c[5], unitsA, 1e-12, "units of A");
  ExpectRelative(c[3] + c[6] + c[4] + 2 * c[5], unitsC, 1e-12, "units of C");
  ExpectRelative(c[2] / c[1], Theta(in, 1), 1e-11, "couple 1");
  ExpectRelative(c[6] / c[3], Theta(in, 2), 1e-11, "couple 2");
  ExpectRelative(5e3 * c[2] * c[3], 2 * c[4], 1e-11, "step 1");
  ExpectRelative(1e4 * c[4] * c[4], 3 * c[5], 1e-11, "step 2");
  for (int s = 1; s <= 6; ++s) EXPECT_GT(c[s], 0) << s;
}

TEST(NetworkPreEquilibrate, ZeroConcentrationsStayFinite) {
  const auto none = NetworkPreEquilibrate(Inputs("A + e = B; B + C = D", {0, 0, 0, 0}));
  for (double v : none) EXPECT_EQ(v, 0);
  // Nothing to react with: B + C = D cannot run without C, and D is absent.
  const auto c = NetworkPreEquilibrate(Inputs("A + e = B; B + C = D", {1e-3, 0, 0, 0}));
  for (double v : c) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(c[3], 0);
  EXPECT_EQ(c[4], 0);
  EXPECT_NEAR(c[1] + c[2], 1e-3, 1e-18);
}

TEST(NetworkPreEquilibrate, IrreversibleStepsRunToTheEnd) {
  // B = C with kb = 0 empties the couple: everything ends as C.
  auto in = Inputs("A + e = B; B = C", {1e-3, 0, 0});
  in.kb[1] = 0;
  const auto c = NetworkPreEquilibrate(in);
  EXPECT_NEAR(c[1], 0, 1e-18);
  EXPECT_NEAR(c[3], 1e-3, 1e-15);
  // 2 C = D irreversible: C falls as 1 / (kf t), to rounding of the total.
  auto dimer = Inputs("A + e = B; 2 C = D", {0, 0, 1e-3, 0});
  dimer.kb[1] = 0;
  const auto d = NetworkPreEquilibrate(dimer);
  EXPECT_NEAR(d[3], 0, 1e-15);
  EXPECT_NEAR(d[4], 5e-4, 1e-15);
}

TEST(NetworkPreEquilibrate, CycleWithDisagreeingConstantsComesToItsSteadyState) {
  // C -> D -> E -> C one way at 1, 2 and 4 per second carry one flux: C = 2 D = 4 E, so
  // C : D : E = 4 : 2 : 1 of 7e-4.
  auto in = Inputs("A + e = B; C = D; D = E; E = C", {1e-3, 0, 7e-4, 0, 0});
  in.kf[1] = 1, in.kf[2] = 2, in.kf[3] = 4;
  in.kb.fill(0);
  const auto c = NetworkPreEquilibrate(in);
  ExpectRelative(c[3], 4e-4, 1e-12, "C");
  ExpectRelative(c[4], 2e-4, 1e-12, "D");
  ExpectRelative(c[5], 1e-4, 1e-12, "E");
  // A step inside one couple moves nothing the electrode does not move back.
  auto catalytic = Inputs("A + e = B; B = A", {1e-3, 0});
  catalytic.kf[1] = 100;
  const auto k = NetworkPreEquilibrate(catalytic);
  ExpectRelative(k[2] / k[1], Theta(catalytic, 1), 1e-13, "catalytic");
  // 2 A = B with A + e = B makes and unmakes matter: the couple (A = B at E0) settles where
  // kf A^2 = kb B, A = B = kb / kf = 1e-3, whatever it started from.
  auto loop = Inputs("A + e = B; 2 A = B", {1e-4, 0});
  loop.startPotential = 0.1;
  loop.kf[1] = 1e3;
  const auto l = NetworkPreEquilibrate(loop);
  ExpectRelative(l[1], 1e-3, 1e-12, "A of the loop");
  ExpectRelative(l[2], 1e-3, 1e-12, "B of the loop");
}

TEST(NetworkPreEquilibrate, FarFromE0NothingOverflows) {
  // 40 V from E0: theta = exp(-1557), all of the couple is A.
  auto in = Inputs("A + e = B", {1e-3, 1e-3});
  in.startPotential = 40;
  const auto c = NetworkPreEquilibrate(in);
  EXPECT_DOUBLE_EQ(c[1], 2e-3);
  EXPECT_EQ(c[2], 0);
}

TEST(NetworkPreEquilibrate, NoStateAtRestIsAFault) {
  // A negative rate constant drives C below zero.
  auto in = Inputs("A + e = B; B = C", {1e-3, 0, 1e-3});
  in.kf[1] = -1;
  EXPECT_THROW(NetworkPreEquilibrate(in), RuntimeFault);
  // B = 2 A alone doubles the couple without end.
  auto growing = Inputs("A + e = B; 2 A = B", {1e-3, 0});
  growing.kf[1] = 0;
  EXPECT_THROW(NetworkPreEquilibrate(growing), RuntimeFault);
  auto bad = Inputs("A + e = B", {1e-3, 0});
  bad.e0[1] = std::nan("");
  EXPECT_THROW(NetworkPreEquilibrate(bad), RuntimeFault);
}

// Where the built-in brings each couple to its Nernst ratio with nothing after it (E,
// TwoCouples, the built-ins whose chemical steps are switched off), and where its step lies
// inside one couple (Catalytic), the written text gives the same numbers.
TEST(NetworkPreEquilibrate, AgreesWithTheBuiltInsWhereTheyMeanTheSame) {
  using M = MechanismCode;
  for (M code :
       {M::E, M::TwoCouples, M::Catalytic, M::ECE, M::ECOntoSecondCouple, M::SquareScheme}) {
    const bool stepsOff =
        code == M::ECE || code == M::ECOntoSecondCouple || code == M::SquareScheme;
    auto in = Inputs(BuiltInMechanismText(code), {1e-3, 2e-4, 5e-4, 1e-4});
    in.e0[2] = 0.25;
    in.startPotential = 0.17;
    if (stepsOff) {
      in.kf.fill(0);
      in.kb.fill(0);
    }
    EquilibriumInputs builtIn;
    builtIn.mechanism = code;
    builtIn.chargeReactions = in.network.transferCount;
    for (int i = 1; i <= 4; ++i) builtIn.c[i] = in.c[i];
    for (int j = 1; j <= 3; ++j) builtIn.n[j] = in.n[j], builtIn.e0[j] = in.e0[j];
    builtIn.startPotential = in.startPotential;
    builtIn.fOverRT = kF;
    builtIn.k1 = 1;
    const auto expected = PreEquilibrate(builtIn);
    const auto c = NetworkPreEquilibrate(in);
    for (int s = 1; s <= in.network.species; ++s) {
      const double want = expected[s] ? *expected[s] : in.c[s];
      EXPECT_NEAR(c[s], want, 1e-12 * 1.8e-3) << CodeNumber(code) << " species " << s;
    }
  }
}

}  // namespace
}  // namespace vorex
