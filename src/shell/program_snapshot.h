#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "analysis/peak_search.h"
#include "curves/curve_store.h"
#include "experiment/settings.h"
#include "plot/plot_state.h"

namespace vorex {

class Program;

// What the user sees of one control of the plot option dialog.
struct ControlValue {
  std::string text;
  bool checked = false;
  int listIndex = -1;
  bool operator==(const ControlValue&) const = default;
};

// Everything that goes with the curves: the store, how the plot draws it, the peaks and the fit's
// residual found on it, and whether the plot window shows a drawing at all.
struct CurveState {
  CurveStore store;
  PlotState plot;
  std::vector<ControlValue> options;  // the option dialog's controls, in their order
  PeakTables peaks;
  int residualCount = 0;
  bool pictureShown = false;
};

// The state a command may change, as it was at one moment: the settings always, the curves only
// for the commands that work on them (a field edit does not copy the large store). Copies of the
// curve state are shared between moments that hold the same one.
struct ProgramSnapshot {
  Settings settings;
  std::shared_ptr<const CurveState> curves;
  // Roughly what the settings take in memory; the curve state is counted by whoever shares it.
  std::size_t SettingsBytes() const;
};

// The program's state now; `withCurves` false takes the settings alone. `reuse`, when it holds
// the same curve state, is shared instead of copied.
ProgramSnapshot Snapshot(const Program& program, bool withCurves,
                         const std::shared_ptr<const CurveState>& reuse = nullptr);
// Whether the program still holds what the snapshot holds (the parts it took).
bool Unchanged(const ProgramSnapshot& snapshot, const Program& program);
bool SameCurveState(const CurveState& state, const Program& program);
// Puts the program back as the snapshot holds it: the dialogs show the settings, the option dialog
// its values, and the plot is drawn again from the curves (or left empty, as it was).
void Restore(Program& program, const ProgramSnapshot& snapshot);

}  // namespace vorex
