// The undo history as a container: its bound in steps and in memory, and what clears redo.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "shell/undo_history.h"

namespace vorex {
namespace {

// A step whose settings carry `number` as their E start, with or without a curve state.
UndoStep Step(int number, bool withCurves = false) {
  UndoStep step{"step " + std::to_string(number), {}, std::nullopt};
  EXPECT_FALSE(step.state.settings.Set(FieldId::EStart, std::to_string(number)));
  if (withCurves) step.state.curves = std::make_shared<CurveState>();
  return step;
}

TEST(UndoHistory, KeepsTheNewestLevelsAndANewStepClearsRedo) {
  UndoHistory history(3);
  for (int k = 1; k <= 5; ++k) history.Record(Step(k));
  ASSERT_EQ(history.UndoCount(), 3u);  // steps 1 and 2 were dropped, oldest first
  EXPECT_EQ(history.NextUndo()->label, "step 5");
  history.PushRedo(history.TakeUndo());
  history.PushRedo(history.TakeUndo());
  EXPECT_EQ(history.NextUndo()->label, "step 3");
  EXPECT_EQ(history.NextRedo()->label, "step 4");
  history.PushUndo(history.TakeRedo());
  EXPECT_EQ(history.RedoCount(), 1u);  // redoing keeps the rest of redo
  history.Record(Step(6));
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_EQ(history.UndoCount(), 3u);
  EXPECT_EQ(history.TakeUndo().state.settings.Value(FieldId::EStart), "6");
}

TEST(UndoHistory, AMemoryBoundDropsTheOldestCurveStatesButKeepsTheNewest) {
  // Room for two curve states and the settings, not three.
  UndoHistory history(30, 2 * sizeof(CurveState) + 4 * sizeof(Settings) + 4096);
  for (int k = 1; k <= 4; ++k) history.Record(Step(k, true));
  EXPECT_EQ(history.UndoCount(), 2u);
  EXPECT_EQ(history.NextUndo()->label, "step 4");
  // One step is kept however large it is.
  UndoHistory tiny(30, 1);
  tiny.Record(Step(1, true));
  tiny.Record(Step(2, true));
  EXPECT_EQ(tiny.UndoCount(), 1u);
  EXPECT_EQ(tiny.NextUndo()->label, "step 2");
}

TEST(UndoHistory, AStateSharedBetweenStepsIsCountedOnce) {
  UndoHistory history;
  UndoStep first = Step(1, true);
  UndoStep second = Step(2);
  second.state.curves = first.state.curves;
  history.Record(std::move(first));
  const std::size_t one = history.Bytes();
  history.Record(std::move(second));
  EXPECT_LT(history.Bytes(), one + sizeof(CurveState));
  EXPECT_GT(one, sizeof(CurveState));
}

TEST(UndoHistory, OnlyTheNewestFieldStepStaysOpen) {
  UndoHistory history;
  UndoStep edit = Step(1);
  edit.field = FieldId::ScanRate;
  history.Record(std::move(edit));
  ASSERT_NE(history.Open(), nullptr);
  history.Seal();
  EXPECT_EQ(history.Open(), nullptr);
  UndoStep again = Step(2);
  again.field = FieldId::ScanRate;
  history.Record(std::move(again));
  history.Record(Step(3));  // any other step closes it
  EXPECT_EQ(history.Open(), nullptr);
}

}  // namespace
}  // namespace vorex
