#include "shell/project_session.h"

#include "experiment/capture.h"
#include "shell/program.h"
#include "shell/recent_files.h"

namespace vorex {
namespace {

// The parameter set the settings give, as a capture at start-up makes it; settings that give
// none leave the previous set, as a refused capture does.
void CaptureQuietly(Experiment& experiment) {
  Captured captured = MakeParameterSet(experiment.settings);
  if (captured.ok()) experiment.parameterSet = std::move(captured.parameters);
}

void RestorePlotOptions(Program& program, const std::vector<ControlState>& states) {
  FormOption& options = program.plot.formOption;
  RestoreControlStates(options, states);
  options.Xauto_Click();
  options.Yauto_Click();
}

void SetMenusForCurves(Program& program) {
  const bool curves = program.curves.PointCount > 0;
  program.mdiForm1.Find("mnuDisplay")->SetEnabled(curves);
  program.mdiForm1.Find("mnuData")->SetEnabled(curves);
}

void ShowResult(TextWindow& result, const std::vector<std::string>& lines) {
  result.Clear();
  for (const std::string& line : lines) result.Print(line);
}

// The state as it is now counts as saved.
void MarkSaved(Program& program) {
  program.project.savedText = ProjectTextOf(program).text;
}

// Everything of the content into the session; nothing here can fail.
void Commit(Program& program, ProjectContent& content) {
  program.experiment.Replace(content.settings);
  CaptureQuietly(program.experiment);
  program.curves = *content.curves;
  RestorePlotOptions(program, content.plotOptions);
  program.plot.state = content.plotState;
  program.globalFit = GlobalFitSet{};
  SavedFitSet& set = content.fitSet;
  program.globalFit.curves = std::move(set.curves);
  program.globalFit.perCurveSlots = std::move(set.perCurveSlots);
  program.globalFit.weighting = set.weighting;
  program.globalFit.threads = set.threads;
  program.globalFit.evaluationBudget = set.evaluationBudget;
  program.fit.residualCount = 0;
  program.peaks.PeakCount = 0;
  ShowResult(program.formResult, content.result);
  SetMenusForCurves(program);
  // The steps of the session before would restore another project's state into this one.
  program.undo.Clear();
}

}  // namespace

ProjectText ProjectTextOf(const Program& program) {
  return ProjectJson(ProjectParts{program.experiment.settings, program.curves,
                                  program.plot.formOption, program.plot.state, program.globalFit,
                                  program.formResult.Lines()});
}

void StartProject(Program& program) {
  program.project.freshPlotOptions = ControlStatesOf(program.plot.formOption);
  MarkSaved(program);
}

bool ProjectModified(const Program& program) {
  const ProjectText now = ProjectTextOf(program);
  return !now.error.empty() || now.text != program.project.savedText;
}

std::optional<std::string> SaveProject(Program& program, const std::string& path) {
  const ProjectText text = ProjectTextOf(program);
  if (!text.error.empty()) return text.error;
  if (auto error = WriteProjectFile(path, text.text)) return error;
  program.project.file = path;
  program.project.savedText = text.text;
  program.project.recent = WithRecent(program.project.recent, path);
  return std::nullopt;
}

std::optional<std::string> OpenProject(Program& program, const std::string& path,
                                       const std::function<void()>& draw) {
  ProjectRead read = ReadProjectFile(path, program.plot.formOption);
  if (!read.content) return read.error;
  ProjectContent& content = *read.content;
  Commit(program, content);
  if (draw && program.curves.PointCount > 0) {
    draw();
    program.plot.state = content.plotState;
    program.curves.YMax = content.curves->YMax;
    program.curves.YMin = content.curves->YMin;
  }
  program.project.file = path;
  program.project.recent = WithRecent(program.project.recent, path);
  MarkSaved(program);
  return std::nullopt;
}

void ResetProject(Program& program) {
  ProjectContent fresh;
  fresh.plotOptions = program.project.freshPlotOptions;
  Commit(program, fresh);
  program.plot.formPlot.picture.Clear();
  program.project.file.clear();
  MarkSaved(program);
}

std::string ProjectTitle(const std::string& caption, const std::string& file, bool modified) {
  std::string title = modified ? "*" : "";
  if (!file.empty()) {
    const std::size_t slash = file.find_last_of("/\\");
    title += (slash == std::string::npos ? file : file.substr(slash + 1)) + " - ";
  }
  return title + caption;
}

}  // namespace vorex
