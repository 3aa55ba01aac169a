// The main window's commands on project files.
#include "shell/mdi_form1.h"
#include "shell/program.h"
#include "shell/project_session.h"

namespace vorex {

bool MDIForm1::SaveProjectTo(const std::string& file) {
  if (const auto error = SaveProject(program_, file)) {
    program_.host.Message("Save Project Error: " + *error + ". The project was not saved.",
                          MessageKind::Critical);
    return false;
  }
  program_.host.StatusLine("Project saved to " + file);
  return true;
}

bool MDIForm1::MayLeaveProject() {
  if (!ProjectModified(program_)) return true;
  switch (program_.host.AskYesNoCancel("Save changes to the project?")) {
    case Host::Answer::Yes: {
      if (!program_.project.file.empty()) return SaveProjectTo(program_.project.file);
      const std::optional<std::string> file = program_.host.SaveFileName(kProjectFilter);
      return file && SaveProjectTo(*file);
    }
    case Host::Answer::No:
      return true;
    case Host::Answer::Cancel:
      break;
  }
  return false;
}

void MDIForm1::mnuNewProject_Click() {
  if (!MayLeaveProject()) return;
  ResetProject(program_);
}

void MDIForm1::mnuOpenProject_Click() {
  if (!MayLeaveProject()) return;
  const std::optional<std::string> file = program_.host.OpenFileName(kProjectFilter);
  if (!file) return;
  if (const auto error = OpenProject(program_, *file, [this] { Plot(); })) {
    program_.host.Message(
        "Open Project Error: " + *file + ": " + *error + ". The session is as it was.",
        MessageKind::Critical);
    return;
  }
  program_.host.StatusLine("Project opened from " + *file);
}

void MDIForm1::mnuSaveProject_Click() {
  if (program_.project.file.empty()) {
    mnuSaveProjectAs_Click();
    return;
  }
  SaveProjectTo(program_.project.file);
}

void MDIForm1::mnuSaveProjectAs_Click() {
  const std::optional<std::string> file = program_.host.SaveFileName(kProjectFilter);
  if (file) SaveProjectTo(*file);
}

}  // namespace vorex
