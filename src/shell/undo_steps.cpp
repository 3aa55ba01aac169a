#include "shell/undo_steps.h"

#include "shell/program.h"

namespace vorex {
namespace {

constexpr const char* kUndoItem = "mnuUndo";
constexpr const char* kRedoItem = "mnuRedo";

void Keep(Program& p, std::string label, ProgramSnapshot before) {
  if (!Unchanged(before, p)) p.undo.Record({std::move(label), std::move(before), std::nullopt});
}

// The dialog a field belongs to, by its caption: the step is "Experimental edit" and the like.
std::string DialogOf(const Program& p, FieldId id) {
  switch (id) {
    case FieldId::Technique:
    case FieldId::Digital:
    case FieldId::StepsPerPoint:
      return p.experiment.formTech.Caption();
    case FieldId::Mechanism:
    case FieldId::MechanismText:
      return p.experiment.formMech.Caption();
    default:
      return p.experiment.formExpr.Caption();
  }
}

// The state the step leads to replaces the program's, which goes onto the other side.
UndoStep Cross(Program& p, UndoStep step) {
  UndoHistory& h = p.undo;
  UndoStep back{step.label, Snapshot(p, step.state.curves != nullptr, h.recent), std::nullopt};
  ++h.busy;
  try {
    Restore(p, step.state);
  } catch (...) {
    --h.busy;
    throw;
  }
  --h.busy;
  if (step.state.curves) h.recent = step.state.curves;
  return back;
}

bool MayCross(Program& p, const UndoStep* step, const char* command) {
  if (step == nullptr) {
    p.host.Message(*NothingToTakeBack(*p.mdiForm1.Find(command)), MessageKind::Warning);
    return false;
  }
  if (p.fit.running) {
    p.host.Message(
        std::string(command == kUndoItem ? "Undo" : "Redo") + " waits until the fit has ended.",
        MessageKind::Warning);
    return false;
  }
  return true;
}

void ShowItem(Control& item, const char* caption, const UndoStep* step) {
  item.SetCaption(step == nullptr ? caption : std::string(caption) + " " + step->label);
  item.SetEnabled(step != nullptr);
}

}  // namespace

void RecordStep(Program& p, std::string label, bool withCurves,
                const std::function<void()>& command) {
  UndoHistory& h = p.undo;
  if (h.busy > 0) {
    command();
    return;
  }
  ProgramSnapshot before = Snapshot(p, withCurves, h.recent);
  if (before.curves) h.recent = before.curves;
  ++h.busy;
  try {
    command();
  } catch (...) {
    --h.busy;
    Keep(p, std::move(label), std::move(before));
    throw;
  }
  --h.busy;
  Keep(p, std::move(label), std::move(before));
}

void RecordFieldEdit(Program& p, FieldId id, const Settings& before) {
  UndoHistory& h = p.undo;
  if (h.busy > 0) return;
  if (UndoStep* open = h.Open(); open != nullptr && open->field == id) {
    if (open->state.settings == p.experiment.settings) h.DropNewest();
    return;
  }
  h.Record({DialogOf(p, id) + " edit", ProgramSnapshot{before, nullptr}, id});
}

bool UndoStepBack(Program& p) {
  if (!MayCross(p, p.undo.NextUndo(), kUndoItem)) return false;
  p.undo.PushRedo(Cross(p, p.undo.TakeUndo()));
  return true;
}

bool RedoStepForward(Program& p) {
  if (!MayCross(p, p.undo.NextRedo(), kRedoItem)) return false;
  p.undo.PushUndo(Cross(p, p.undo.TakeRedo()));
  return true;
}

void ShowUndoCaptions(Program& p) {
  ShowItem(*p.mdiForm1.Find(kUndoItem), "&Undo", p.undo.NextUndo());
  ShowItem(*p.mdiForm1.Find(kRedoItem), "&Redo", p.undo.NextRedo());
}

std::optional<std::string> NothingToTakeBack(const Control& item) {
  if (SameName(item.Name(), kUndoItem)) return "There is nothing to undo.";
  if (SameName(item.Name(), kRedoItem)) return "There is nothing to redo.";
  return std::nullopt;
}

}  // namespace vorex
