// The Techniques dialog's steps per point as vorex-cli scripts set it: typed like any field,
// refused where the dialog greys it, and a value the run cannot take named in the message.
#include <gtest/gtest.h>

#include "support/script_session.h"

namespace vorex {
namespace {

using testing::ScriptSession;

constexpr const char* kSweep = "mnuTech\nFormTech.optTech(1) = 1\nFormTech.CheckDigital = 1\n";

TEST(StepsPerPointStatements, AScriptTypesItAndTheRunTakesIt) {
  ScriptSession s;
  ASSERT_EQ(s.Run(std::string(kSweep) + "FormTech.TextSteps = 8\nclick FormTech.CmdOK\n" +
                  "mnuSimulate\n"),
            0);
  EXPECT_EQ(s.TakeMessages(), "");
  EXPECT_EQ(s.program->experiment.settings.Value(FieldId::StepsPerPoint), "8");
  EXPECT_EQ(s.program->experiment.parameterSet.StepsPerPoint, 8);
}

TEST(StepsPerPointStatements, IsNotEnabledForAPulseTechniqueNorInTheClosedForms) {
  for (const char* choice : {"FormTech.optTech(4) = 1\n", "FormTech.CheckDigital = 0\n"}) {
    ScriptSession s;
    s.Run(std::string(kSweep) + choice + "FormTech.TextSteps = 8\n");
    EXPECT_EQ(s.TakeMessages(), "message: FormTech.TextSteps is not enabled.\n") << choice;
    EXPECT_EQ(s.program->experiment.settings.Value(FieldId::StepsPerPoint), "1");
  }
}

TEST(StepsPerPointStatements, ABadValueStopsTheRunWithTheFieldNamed) {
  ScriptSession s;
  s.Run(std::string(kSweep) + "FormTech.TextSteps = 0.5\nclick FormTech.CmdOK\nmnuSimulate\n");
  EXPECT_NE(s.TakeMessages().find("steps per point: \"0.5\" must be a whole number from 1 to 100"),
            std::string::npos);
}

}  // namespace
}  // namespace vorex
