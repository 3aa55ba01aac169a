#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "experiment/settings_table.h"
#include "shell/program_snapshot.h"

namespace vorex {

// One step that can be taken back: what it is called ("Clear", "Experimental edit") and the
// state on the other side of it. A field edit keeps its field, so that the next keystrokes in
// the same field join it rather than making a step each.
struct UndoStep {
  std::string label;
  ProgramSnapshot state;
  std::optional<FieldId> field;
};

// The steps that can be undone and redone, newest last. The undo side keeps at most `levels`
// steps and about `bytes` of snapshots (a curve state shared by several steps counted once);
// beyond either the oldest go. A new step clears the redo side.
class UndoHistory {
 public:
  static constexpr std::size_t kLevels = 30;
  static constexpr std::size_t kBytes = std::size_t{64} << 20;

  explicit UndoHistory(std::size_t levels = kLevels, std::size_t bytes = kBytes);

  void Record(UndoStep step);
  const UndoStep* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
  const UndoStep* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
  // Undo: the newest step leaves the undo side, and `back` (the state it is taken back from)
  // goes onto the redo side; Redo the other way round. Neither clears anything.
  UndoStep TakeUndo();
  UndoStep TakeRedo();
  void PushRedo(UndoStep back);
  void PushUndo(UndoStep forward);
  // Both sides emptied: a project opened or started anew begins its own history.
  void Clear();
  // The newest step stops taking further keystrokes of its field.
  void Seal();
  // The newest step is dropped (a field typed back to what it was).
  void DropNewest();
  UndoStep* Open() { return undo_.empty() || !undo_.back().field ? nullptr : &undo_.back(); }

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  std::size_t Bytes() const;
  // The curve state taken or restored last, for the next snapshot to share if it still holds.
  std::shared_ptr<const CurveState> recent;
  // Told after every change of either side, for the menu's captions.
  std::function<void()> onChanged;
  // A step is being recorded or restored: the edits it makes are part of it, not steps of their
  // own.
  int busy = 0;

 private:
  void Trim();
  void Changed() const;

  std::size_t levels_;
  std::size_t bytes_;
  std::deque<UndoStep> undo_;
  std::deque<UndoStep> redo_;
};

}  // namespace vorex
