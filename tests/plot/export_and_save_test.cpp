#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/started_program.h"

namespace vorex {
namespace {

using Files = testing::StartedProgram;

TEST_F(Files, ExportThenImportGivesTheCurveBackToFifteenDigits) {
  Analytical();
  Invoke("mnuSimulate");
  std::vector<double> x, y;
  for (int i = 1; i <= 121; ++i) {
    x.push_back(Curves().Abscissa(i));
    y.push_back(Curves().Ordinate(i, 1));
  }
  const auto file = Temp("curve.csv");
  host.fileAnswers.push_back(file.string());
  Invoke("mnuExport");
  ASSERT_TRUE(Import(file.string()));
  for (int i = 1; i <= 121; ++i) {
    EXPECT_NEAR(Curves().Abscissa(i), x[i - 1], 5e-15 * std::fabs(x[i - 1]) + 1e-300);
    EXPECT_NEAR(Curves().Ordinate(i, 1), y[i - 1], 5e-15 * std::fabs(y[i - 1]) + 1e-300);
  }
}

TEST_F(Files, AFileThatCannotBeWrittenSaysSoAndACancelDoesNot) {
  Invoke("mnuSimulate");  // a curve to export
  host.fileAnswers.push_back(std::nullopt);
  Invoke("mnuExport");
  Invoke("mnuSave");
  EXPECT_TRUE(host.messages.empty());
  host.fileAnswers.push_back(std::string("/nonexistent-folder/x.csv"));
  Invoke("mnuExport");
  host.fileAnswers.push_back(std::string("/nonexistent-folder/x.par"));
  Invoke("mnuSave");
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[0].find("/nonexistent-folder/x.csv"), std::string::npos);
  EXPECT_NE(host.messages[1].find("not saved"), std::string::npos);
}

}  // namespace
}  // namespace vorex
