#pragma once

#include "analysis/peak_search.h"
#include "base/desktop.h"
#include "base/host.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "experiment/experiment.h"
#include "fitting/fit_driver.h"
#include "plot/curve_links.h"
#include "plot/form_option.h"
#include "plot/form_plot.h"
#include "plot/plot_state.h"
#include "shell/import_command.h"
#include "shell/mdi_form1.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// The whole state of one run: every window model, the parameter set, the curve store and the
// fitting flag. Created once by a main or a test and passed by reference; it is large, so it
// lives on the heap (see Create).
class VOREX24A1 {
 public:
  // Builds the windows and runs the main window's start-up.
  explicit VOREX24A1(Host& host);
  VOREX24A1(const VOREX24A1&) = delete;
  VOREX24A1& operator=(const VOREX24A1&) = delete;

  Host& host;
  Desktop desktop;
  Experiment experiment;
  ParameterSet& parameterSet = experiment.parameterSet;
  FormTech& formTech = experiment.formTech;
  FormMech& formMech = experiment.formMech;
  FormExpr& formExpr = experiment.formExpr;
  FormOption formOption;
  FormResult formResult;
  TextWindow formAbout{"FormAbout", "About"};
  MDIForm1 mdiForm1{*this};
  FormPlot formPlot;
  CurveStore curves;
  PlotState plot;
  PeakTables peaks;
  SimulationWorkspace simulationWork;
  FitRun fit;
  PointVector measured;         // the ordinates an Auto Fit fits to
  ImportRequest importRequest;  // what the command interface said after mnuImport's file name

  bool fitting = false;        // true while a fit command runs
  bool exitRequested = false;  // Exit was chosen: the program ends now

  CurveLinks links{experiment, curves, formOption, plot, formPlot, formResult, host, fitting};
};

}  // namespace vorex
