#include "shell/undo_history.h"

#include <set>

namespace vorex {

UndoHistory::UndoHistory(std::size_t levels, std::size_t bytes) : levels_(levels), bytes_(bytes) {}

void UndoHistory::Record(UndoStep step) {
  Seal();
  redo_.clear();
  undo_.push_back(std::move(step));
  Trim();
  Changed();
}

UndoStep UndoHistory::TakeUndo() {
  UndoStep step = std::move(undo_.back());
  undo_.pop_back();
  step.field.reset();
  return step;
}

UndoStep UndoHistory::TakeRedo() {
  UndoStep step = std::move(redo_.back());
  redo_.pop_back();
  return step;
}

void UndoHistory::PushRedo(UndoStep back) {
  redo_.push_back(std::move(back));
  Changed();
}

void UndoHistory::PushUndo(UndoStep forward) {
  Seal();
  forward.field.reset();
  undo_.push_back(std::move(forward));
  Trim();
  Changed();
}

void UndoHistory::Seal() {
  if (!undo_.empty()) undo_.back().field.reset();
}

void UndoHistory::DropNewest() {
  if (undo_.empty()) return;
  undo_.pop_back();
  Changed();
}

std::size_t UndoHistory::Bytes() const {
  std::set<const CurveState*> counted;
  std::size_t bytes = 0;
  for (const auto* side : {&undo_, &redo_}) {
    for (const UndoStep& step : *side) {
      bytes += step.state.SettingsBytes() + step.label.size();
      if (step.state.curves && counted.insert(step.state.curves.get()).second) {
        bytes += sizeof(CurveState);
      }
    }
  }
  return bytes;
}

// The newest step always stays, however large: it is the one the user is most likely to want.
void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  recent.reset();
  Changed();
}

void UndoHistory::Trim() {
  while (undo_.size() > levels_ || (undo_.size() > 1 && Bytes() > bytes_)) undo_.pop_front();
}

void UndoHistory::Changed() const {
  if (onChanged) onChanged();
}

}  // namespace vorex
