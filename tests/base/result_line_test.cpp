#include "base/result_line.h"

#include <gtest/gtest.h>

namespace vorex {
namespace {

TEST(ResultLine, SemicolonJoinPutsItemsSideBySide) {
  EXPECT_EQ(ResultLine().Text("Curve Number is ").Number(1).str(), "Curve Number is  1 ");
  EXPECT_EQ(ResultLine().Number(-0.5).Number(2.0).str(), "-.5  2 ");
}

TEST(ResultLine, CommaJoinMovesToTheNextFourteenColumnZone) {
  // Zones start at columns 1, 15, 29: positions 0, 14, 28.
  EXPECT_EQ(ResultLine().Text("Ep").Zone().Number(0.25).str(),
            "Ep" + std::string(12, ' ') + " .25 ");
  EXPECT_EQ(ResultLine().Text("a").Zone().Text("b").Zone().Text("c").str(),
            std::string("a") + std::string(13, ' ') + "b" + std::string(13, ' ') + "c");
}

TEST(ResultLine, AnItemFillingItsZoneSendsTheNextOnePastTheFollowingBoundary) {
  const std::string fourteen(14, 'x');  // cursor at column 15, inside the second zone
  EXPECT_EQ(ResultLine().Text(fourteen).Zone().Text("y").str(),
            fourteen + std::string(14, ' ') + "y");
  const std::string long20(20, 'x');
  EXPECT_EQ(ResultLine().Text(long20).Zone().Text("y").str(), long20 + std::string(8, ' ') + "y");
}

TEST(ResultLine, ACharacterOfSeveralBytesTakesOneColumn) {
  // "\u03b1(1)" is four characters on the screen (five bytes): ten blanks reach column 15.
  EXPECT_EQ(ResultLine().Text("\u03b1(1)").Zone().Text("y").str(),
            "\u03b1(1)" + std::string(10, ' ') + "y");
}

TEST(ResultLine, AnEmptyItemTakesAZoneOfItsOwn) {
  EXPECT_EQ(ResultLine().Zone().Text("x").str(), std::string(14, ' ') + "x");
  EXPECT_EQ(ResultLine().Text("a").Zone().Number(std::optional<double>()).Zone().Text("b").str(),
            "a" + std::string(27, ' ') + "b");
}

}  // namespace
}  // namespace vorex
