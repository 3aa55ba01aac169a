#include <gtest/gtest.h>

#include "support/started_program.h"

namespace vorex {
namespace {

struct Displayed : testing::StartedProgram {
  void Show(const char* quantity) {
    FormOption& o = program->plot.formOption;
    const auto& items = o.ComboY().Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == quantity) o.Choose(o.ComboY(), static_cast<int>(i));
    }
    o.Click(o.OK());
  }
};

TEST_F(Displayed, ResistanceAndConductanceOfTheBackgroundElectrolyte) {
  Analytical();
  Invoke("mnuSimulate");
  // No surface concentrations yet: R = d / (A B) with B = 100 x 0.01, d = 1 cm, A = 1 cm2.
  Show("resistance R");
  for (int i = 1; i <= 121; ++i) ASSERT_DOUBLE_EQ(Curves().Ordinate(i, 1), 1.0) << i;
  Type(Expr().TextDis(), "0.5");
  Show("conductance Cond");
  EXPECT_DOUBLE_EQ(Curves().Ordinate(7, 1), 2.0);  // (S + B) A / d
  EXPECT_FALSE(program->plot.formOption.Visible());
}

TEST_F(Displayed, AConversionThatCannotBeMadeKeepsTheCurve) {
  Analytical();
  Invoke("mnuSimulate");
  const double current = Curves().Ordinate(40, 1);
  Type(Expr().TextDis(), "one");
  Show("resistance R");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("\"one\""), std::string::npos);
  EXPECT_EQ(Curves().Ordinate(40, 1), current);
  Type(Expr().TextDis(), "1");
  Type(Expr().TextElectrolyteC(), "0");  // no conductivity at all
  const std::size_t said = host.messages.size();
  Show("conductance Cond");  // a conductance of 0 is a value, drawn as one
  EXPECT_EQ(Curves().Ordinate(40, 1), 0.0);
  EXPECT_EQ(host.messages.size(), said);
  Show("resistance R");  // a resistance is not
  EXPECT_NE(host.messages.back().find("cannot be formed"), std::string::npos);
  EXPECT_EQ(Curves().Ordinate(40, 1), 0.0);  // the conductance shown before
}

TEST_F(Displayed, SurfaceConcentrationShowsOneCurvePerSpeciesAndCurrentRestoresTheCount) {
  Analytical();
  Invoke("mnuSimulate");
  Show("surface concentration C");
  EXPECT_EQ(Curves().CurveCount, 2);
  Show("current I");
  EXPECT_EQ(Curves().CurveCount, 1);
  EXPECT_EQ(Curves().Ordinate(60, 1), Total(60));
}

}  // namespace
}  // namespace vorex
