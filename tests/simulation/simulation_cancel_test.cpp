// A run the user cancels ends as a failed one: the curves and the plot stay as they were.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "experiment/capture.h"
#include "simulation/simulation_run.h"
#include "support/started_program.h"

namespace vorex {
namespace {

// Counts the questions; says stop from the `stopAt`-th on (never when 0).
struct Counter {
  int asked = 0;
  int stopAt = 0;
  static bool Ask(void* context) {
    auto* self = static_cast<Counter*>(context);
    ++self->asked;
    return self->stopAt > 0 && self->asked >= self->stopAt;
  }
  CancelCheck Check() { return {Ask, this}; }
};

class DigitalRun : public testing::StartedProgram {
 protected:
  // The digital mode with the technique given, captured.
  void Digital(int technique) {
    Analytical(technique);
    program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
    ASSERT_TRUE(CaptureParameters(program->experiment));
  }
  SimulationOutcome Run(CancelCheck cancel) {
    return RunSimulation(program->experiment.parameterSet, program->simulationWork, false, cancel);
  }
};

TEST_F(DigitalRun, ACancelEndsTheRunCancelledAndNotFaulted) {
  Digital(3);  // normal pulse: asked at every point
  Counter counter{0, 3};
  const SimulationOutcome run = Run(counter.Check());
  EXPECT_TRUE(run.cancelled);
  EXPECT_FALSE(run.fault);
  EXPECT_EQ(counter.asked, 3);  // nothing more was computed, so nothing more was asked
}

TEST_F(DigitalRun, AskingChangesNoCurrentAndCostsAQuestionPer256SweepSteps) {
  Type(Expr().Estep(), "0.001");  // 0.6 V in 1 mV steps: 601 points, one step each
  Digital(1);
  const SimulationOutcome plain = Run({});
  ASSERT_FALSE(plain.fault);
  ASSERT_EQ(plain.programme.pointCount, 601);
  const int total = program->experiment.parameterSet.ChargeReactionCount + 1;
  std::vector<double> current;
  for (int i = 1; i <= 601; ++i)
    current.push_back(program->simulationWork.SimulatedCurrent(i, total));
  Counter counter;
  const SimulationOutcome asked = Run(counter.Check());
  EXPECT_FALSE(asked.cancelled);
  EXPECT_EQ(counter.asked, 2);  // before points 256 and 512
  for (int i = 1; i <= 601; ++i) {
    EXPECT_EQ(program->simulationWork.SimulatedCurrent(i, total), current[i - 1]) << i;
  }
}

// A host whose user presses Cancel as soon as a computation asks, once told to.
class CancellingHost : public testing::RecordingHost {
 public:
  void BeginCancellable(std::string_view what) override { begun.emplace_back(what); }
  bool CancelRequested() override { return cancel; }
  void EndCancellable() override { ++ended; }

  bool cancel = false;
  std::vector<std::string> begun;
  int ended = 0;
};

TEST(SimulateCommand, ACancelledSimulateLeavesTheCurvesAndThePlot) {
  CancellingHost host;
  auto program = std::make_unique<Program>(host);
  program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
  program->experiment.formTech.Click(
      program->experiment.formTech.optTech(3));  // normal pulse: asked at every point
  Control& simulate = *program->mdiForm1.Find("mnuSimulate");
  ASSERT_TRUE(program->mdiForm1.Invoke(simulate));
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  const auto stored = std::make_unique<CurveStore>(program->curves);
  const CurveStore& before = *stored;
  const std::size_t drawn = program->plot.formPlot.picture.Items().size();
  ASSERT_GT(drawn, 0u);

  program->experiment.formExpr.Type(program->experiment.formExpr.C(1), "2e-3");
  host.cancel = true;
  ASSERT_TRUE(program->mdiForm1.Invoke(simulate));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "The simulation was cancelled; the curves are as they were.");
  EXPECT_EQ(host.begun, (std::vector<std::string>{"Simulating…", "Simulating…"}));
  EXPECT_EQ(host.ended, 2);
  const CurveStore& after = program->curves;
  EXPECT_EQ(after.PointCount, before.PointCount);
  EXPECT_EQ(after.CurveCount, before.CurveCount);
  EXPECT_EQ(after.CurrentCurve, before.CurrentCurve);
  EXPECT_EQ(after.YMax, before.YMax);
  for (int i = 1; i <= before.PointCount; ++i) {
    EXPECT_EQ(after.Abscissa(i), before.Abscissa(i));
    EXPECT_EQ(after.Ordinate(i, 1), before.Ordinate(i, 1));
    EXPECT_EQ(after.SimulatedCurrent(i, 2), before.SimulatedCurrent(i, 2));
  }
  EXPECT_EQ(program->plot.formPlot.picture.Items().size(), drawn);
}

}  // namespace
}  // namespace vorex
