#include "curves/parameter_report.h"

#include <gtest/gtest.h>

#include <string>

#include "experiment/capture.h"
#include "support/started_program.h"

namespace vorex {
namespace {

struct Report : testing::StartedProgram {};

TEST_F(Report, HoldsTheLastCapture) {
  program->experiment.formMech.Click(program->experiment.formMech.mech(13));
  ASSERT_TRUE(CaptureParameters(program->experiment));
  Type(Expr().Estart(), "0.7");  // not captured yet
  const std::string report = ParameterReport(program->experiment.parameterSet, 0);
  EXPECT_EQ(report.find("Technique :\r\n 1 \r\nMechisim :\r\n 13 \r\nElectorde\r\n"), 0u);
  EXPECT_NE(report.find("Electorde\r\n 1 \r\nE start :\r\n .3 \r\n"), std::string::npos);
  EXPECT_NE(report.find("NUMBER OF SPECIES :\r\n 4 \r\n"), std::string::npos);
  EXPECT_NE(report.find("Species \r\n 4 \r\nD :\r\n 1E-05 \r\n"), std::string::npos);
  EXPECT_EQ(report.find("Species \r\n 5 "), std::string::npos);
  EXPECT_NE(report.find("E' :\r\n-.2 \r\nConductivity :\r\n 300 \r\n"), std::string::npos);
}

}  // namespace
}  // namespace vorex
