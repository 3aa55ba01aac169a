// The main window's commands on files and the analysis commands that print results.
#include "experiment/settings_file.h"
#include "plot/export_curve.h"
#include "plot/plot_renderer.h"
#include "plot/save_parameter_report.h"
#include "shell/analysis_reports.h"
#include "shell/mdi_form1.h"
#include "shell/program.h"

namespace vorex {
namespace {

// The analysis commands read the curve store within its bounds; a fault there (curves left
// inconsistent by scaling, say) is reported rather than ending the program.
template <class Command>
void Reporting(Host& host, const char* label, Command&& command) {
  try {
    command();
  } catch (const RuntimeFault& fault) {
    host.Message(std::string(label) + " Error: " + fault.Description(), MessageKind::Critical);
  }
}

}  // namespace

void MDIForm1::mnuSave_Click() {
  SaveParameterReport(program_.links);
}

void MDIForm1::mnuOpenSettings_Click() {
  const std::optional<std::string> file = program_.host.OpenFileName(kSettingsFilter);
  if (!file) return;
  const SettingsRead read = ReadSettingsFile(*file);
  if (!read.settings) {
    program_.host.Message(
        "Open Settings Error: " + *file + ": " + read.error + ". The settings are as they were.",
        MessageKind::Critical);
    return;
  }
  program_.experiment.Replace(*read.settings);
  program_.formResult.Show();
  program_.formResult.Print("Settings opened from " + *file + ".");
}

void MDIForm1::mnuSaveSettings_Click() {
  const std::optional<std::string> file = program_.host.SaveFileName(kSettingsFilter);
  if (!file) return;
  if (const auto error = WriteSettingsFile(*file, program_.experiment.settings)) {
    program_.host.Message("Save Settings Error: " + *error + ". The settings were not saved.",
                          MessageKind::Critical);
    return;
  }
  program_.formResult.Show();
  program_.formResult.Print("Settings saved to " + *file + ".");
  program_.host.StatusLine("Settings saved to " + *file);
}

void MDIForm1::mnuImport_Click() {
  const ImportRequest request = program_.importRequest;
  program_.importRequest = ImportRequest{};
  if (!ImportCurve(program_.links, request)) return;
  Plot();
  program_.formResult.Show();
  EnableCurveMenus();
}

void MDIForm1::mnuExport_Click() {
  if (!HasCurves("Export Data")) return;
  ExportCurve(program_.links);
}

void MDIForm1::mnuFindPeak_Click() {
  if (!HasCurves("Find Peak")) return;
  program_.formResult.Show();
  Reporting(program_.host, "Find Peak", [&] {
    FindPeaks(program_.links, program_.peaks, program_.curves.FirstPoint + 2,
              program_.curves.LastPoint - 2);
  });
  // The peaks found are marked on the curves.
  Plot();
}

void MDIForm1::mnuFindHalfwaveE_Click() {
  if (!HasCurves("Find Halfwave E")) return;
  program_.formResult.Show();
  Reporting(program_.host, "Find Halfwave E", [&] { FindHalfWave(program_.links); });
}

void MDIForm1::mnuCompId_Click() {
  Reporting(program_.host, "Theoretical Peak", [&] { TheoreticalPeaks(program_.links); });
}

}  // namespace vorex
