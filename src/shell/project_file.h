#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/window.h"
#include "curves/curve_store.h"
#include "experiment/settings.h"
#include "plot/plot_state.h"
#include "shell/global_fit_set.h"

// Project files: a whole session in one JSON document (docs/project-format.md), the settings as a
// settings file writes them, the curve store, the plot options, the set of curves fitted
// together and the result window's lines. Numbers are written so that they read back bit for bit.
namespace vorex {

inline constexpr const char* kProjectFilter = "project (*.vorex)|*.vorex|all|*.*";
inline constexpr int kProjectFormatVersion = 1;
// Far more than a full store and a large set of fitted curves need; a longer file is refused by
// its size before it is read [bytes].
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{64} << 20;

// What a control of the plot option dialog holds as the user left it: a text box's text, a check
// box's or option's state, a list's selected item. Labels, frames and buttons hold nothing.
struct ControlState {
  std::string name;  // the control's full name, "XminText", "linestyle1(2)"
  std::string text;
  bool checked = false;
  int listIndex = -1;
};

// The controls of a window that hold something, in the window's order.
std::vector<ControlState> ControlStatesOf(const Window& window);
// Gives each named control back its state, through the setters (no event runs); a name the
// window does not have is passed over.
void RestoreControlStates(Window& window, const std::vector<ControlState>& states);

// The set of curves fitted together, as far as the user made it (its last fit is not kept).
struct SavedFitSet {
  std::vector<SetCurve> curves;
  std::vector<int> perCurveSlots;
  CurveWeighting weighting = CurveWeighting::Noise;
  int threads = 0;
  int evaluationBudget = 0;
};

// The parts of a session a project holds, as they are read from a file.
struct ProjectContent {
  Settings settings;
  std::unique_ptr<CurveStore> curves = std::make_unique<CurveStore>();
  std::vector<ControlState> plotOptions;
  PlotState plotState;
  SavedFitSet fitSet;
  std::vector<std::string> result;
};

// The parts of a session as the program holds them, for writing.
struct ProjectParts {
  const Settings& settings;
  const CurveStore& curves;
  const Window& plotOptions;
  const PlotState& plotState;
  const GlobalFitSet& fitSet;
  const std::vector<std::string>& result;
};

// The file's text; why not when a number to be written is not finite (a curve that holds one).
struct ProjectText {
  std::string text;
  std::string error;
};
ProjectText ProjectJson(const ProjectParts& parts);

// The content of a file's text, read completely before anything is given back: why not, naming
// the member at fault, when the text is not a project of this or an older version. The plot
// options are checked against the dialog's controls (a text for a text box, true or false for a
// check box, an item of a list).
struct ProjectRead {
  std::optional<ProjectContent> content;
  std::string error;
};
ProjectRead ParseProjectJson(std::string_view text, const Window& plotOptions);

// The same from a file; the writing goes through a scratch file, so a failure leaves the old file
// as it was.
ProjectRead ReadProjectFile(const std::string& path, const Window& plotOptions);
std::optional<std::string> WriteProjectFile(const std::string& path, const std::string& text);

}  // namespace vorex
