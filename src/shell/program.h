#pragma once

#include <optional>

#include "analysis/peak_search.h"
#include "base/desktop.h"
#include "base/host.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "experiment/experiment.h"
#include "fitting/fit_driver.h"
#include "plot/curve_links.h"
#include "plot/plot_display.h"
#include "shell/form_background.h"
#include "shell/form_cut.h"
#include "shell/form_global_fit.h"
#include "shell/global_fit_set.h"
#include "shell/import_command.h"
#include "shell/mdi_form1.h"
#include "shell/project_session.h"
#include "shell/simulation_name.h"
#include "shell/undo_history.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// The state of one run of the program, by what it holds: the experiment (its settings, the
// parameter set made from them and their dialogs), the curve store, the plot, the peaks found,
// the simulation's workspace, the fit state, the undo history, and the main, result, About, Cut,
// Subtract Background and Fit Several Curves windows. Created once by a main or a test and passed
// by reference; it is large, so it lives on the heap.
class Program {
 public:
  // Builds the windows and runs the main window's start-up.
  explicit Program(Host& host);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Host& host;
  Desktop desktop;
  Experiment experiment;
  CurveStore curves;
  PlotDisplay plot;
  PeakTables peaks;
  SimulationWorkspace simulationWork;
  FitRun fit;
  std::optional<SimulationSignature> lastSimulation;  // what the last Simulate ran with
  GlobalFitSet globalFit;                             // the measured curves fitted together
  UndoHistory undo;  // the steps Edit > Undo and Redo take back and forth
  FormResult formResult;
  TextWindow formAbout{"FormAbout", "About"};
  FormCut formCut{curves};
  FormBackground formBackground{curves};
  FormGlobalFit formGlobalFit{*this};  // the window over globalFit
  MDIForm1 mdiForm1{*this};
  ImportRequest importRequest;  // what the command interface said after mnuImport's file name
  bool exitRequested = false;   // Exit was chosen: the program ends now
  ProjectSession project;       // the file the session is saved in, and whether it changed since

  CurveLinks links{experiment, curves, plot.formOption, plot.state, plot.formPlot,
                   formResult, host,   fit.fitting};
};

}  // namespace vorex
