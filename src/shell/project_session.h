#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/project_file.h"

namespace vorex {

class Program;

// The project the session belongs to: its file, what the state was when it was last saved,
// opened or begun, and the projects opened or saved lately (most recent first).
struct ProjectSession {
  std::string file;  // empty until the project is saved or opened
  std::string savedText;
  std::vector<std::string> recent;
  std::vector<ControlState> freshPlotOptions;  // the option dialog as the program starts
};

// The session's state as a project file writes it.
ProjectText ProjectTextOf(const Program& program);

// Begins the first project: the start-up state counts as saved.
void StartProject(Program& program);

// Anything of the settings, the curves, the plot options, the fitted set or the result window
// changed since the project was saved, opened or begun.
bool ProjectModified(const Program& program);

// The whole state to a file; why not, and the project's file and state stay as they were.
std::optional<std::string> SaveProject(Program& program, const std::string& path);

// The whole state from a file; why not, and nothing of the session changed. `draw` draws the
// curves opened; the ranges it finds do not replace those of the file.
std::optional<std::string> OpenProject(Program& program, const std::string& path,
                                       const std::function<void()>& draw = {});

// A new project: the state as the program starts, without a file.
void ResetProject(Program& program);

// The main window's title: the project's file name after the caption's, "*" first while the
// project has changes that are not saved.
std::string ProjectTitle(const std::string& caption, const std::string& file, bool modified);

}  // namespace vorex
