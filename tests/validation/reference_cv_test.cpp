// The independent solver of the validation suite against closed forms of its own terms.
#include "validation/reference_cv.h"

#include <gtest/gtest.h>

#include "validation/closed_forms.h"
#include "validation/figures_of_merit.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

ReferenceScheme Couple() {
  ReferenceScheme s;
  s.species = 2;
  s.d = {kD, kD};
  s.bulk = {kC * 1e3, 0};  // 1 mM
  s.couples = {{0, 1, 1, kE0, 1e4, 0.5}};
  return s;
}

TEST(ReferenceCv, ReversibleSweepIsRandlesSevcik) {
  // 0.4463 F C sqrt(F v D / RT) (four digits), 28.49 mV below E1/2 (Nicholson & Shain 1964).
  const Curve c = ReferenceCv(Couple(), {0.4, -0.2, 0.1, 1, kFrt}, {4e-5, 0.001, 4});
  EXPECT_NEAR(CathodicPeak(c).current / RandlesSevcikPeak(1, 1, kC, kD, 0.1), 1, 3e-4);
  EXPECT_NEAR(CathodicPeak(c).potential, kE0 + ReversiblePeakOffset(1), 2e-5);
}

TEST(ReferenceCv, CatalyticPlateauIsSaveantVianello) {
  // B = A at 1000 /s, kRT/Fv = 257: the pure kinetic plateau F A C sqrt(D k), reached to well
  // within the 1 % the program's own catalytic row allows.
  ReferenceScheme s = Couple();
  s.steps = {{{{1, 1}}, {{0, 1}}, 1000, 0}};
  const Curve c = ReferenceCv(s, {0.3, -0.3, 0.1, 1, kFrt}, {1e-5, 0.002, 4});
  EXPECT_NEAR(
      c.i[static_cast<std::size_t>(c.pointsPerSweep - 1)] / CatalyticPlateau(1, 1, kC, kD, 1000), 1,
      0.01);
}

TEST(ReferenceCv, SecondOrderStepInExcessIsPseudoFirstOrder) {
  // B + C = A + D with C at 1 M and A at 10 uM: C stays at its bulk value, so the step is B = A
  // at k' = k C(C) = 1000 /s and the plateau Saveant and Vianello's F A C(A) sqrt(D k').
  ReferenceScheme s;
  s.species = 4;
  s.d = {kD, kD, kD, kD};
  s.bulk = {1e-5, 0, 1, 0};
  s.couples = {{0, 1, 1, kE0, 1e4, 0.5}};
  s.steps = {{{{1, 1}, {2, 1}}, {{0, 1}, {3, 1}}, 1000, 0}};
  const Curve c = ReferenceCv(s, {0.3, -0.3, 0.1, 1, kFrt}, {2e-5, 0.002, 4});
  EXPECT_NEAR(
      c.i[static_cast<std::size_t>(c.pointsPerSweep - 1)] / CatalyticPlateau(1, 1, 1e-8, kD, 1000),
      1, 0.01);
}

TEST(ReferenceCv, RefusesAMalformedScheme) {
  ReferenceScheme s = Couple();
  s.couples.clear();
  EXPECT_THROW(ReferenceCv(s, {0.4, -0.2, 0.1, 1, kFrt}, {4e-5, 0.001, 4}), std::runtime_error);
  EXPECT_THROW(ReferenceCv(Couple(), {0.4, 0.4, 0.1, 1, kFrt}, {4e-5, 0.001, 4}),
               std::runtime_error);
}

}  // namespace
}  // namespace vorex::validation
