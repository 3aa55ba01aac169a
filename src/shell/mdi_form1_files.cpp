// The main window's commands on files and the analysis commands that print results.
#include "plot/export_curve.h"
#include "plot/plot_renderer.h"
#include "plot/save_parameter_report.h"
#include "shell/analysis_reports.h"
#include "shell/mdi_form1.h"
#include "shell/vorex24a1.h"

namespace vorex {
namespace {

// The analysis commands read the curve store within its bounds; a fault there (curves left
// inconsistent by scaling, say) is reported rather than ending the program.
template <class Command>
void Reporting(Host& host, const char* label, Command&& command) {
  try {
    command();
  } catch (const RuntimeFault& fault) {
    host.MessageBox(std::string(label) + " Error: " + fault.Description());
  }
}

}  // namespace

void MDIForm1::mnuSave_Click() {
  SaveParameterReport(state_.links);
}

void MDIForm1::mnuImport_Click() {
  const ImportRequest request = state_.importRequest;
  state_.importRequest = ImportRequest{};
  if (!ImportCurve(state_.links, request)) return;
  Plot();
  state_.formResult.Show();
  EnableCurveMenus();
}

void MDIForm1::mnuExport_Click() {
  ExportCurve(state_.links);
}

void MDIForm1::mnuFindPeak_Click() {
  state_.formResult.Show();
  Reporting(state_.host, "Find Peak", [&] {
    FindPeaks(state_.links, state_.peaks, state_.curves.FirstPoint + 2,
              state_.curves.LastPoint - 2);
  });
}

void MDIForm1::mnuFindHalfwaveE_Click() {
  state_.formResult.Show();
  Reporting(state_.host, "Find Halfwave E", [&] { FindHalfWave(state_.links); });
}

void MDIForm1::mnuCompId_Click() {
  Reporting(state_.host, "Theoretical Peak", [&] { TheoreticalPeaks(state_.links); });
}

}  // namespace vorex
