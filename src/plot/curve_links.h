#pragma once

namespace vorex {

class Experiment;
class FormOption;
class FormPlot;
class FormResult;
class Host;
struct CurveStore;
struct PlotState;

// What the curve procedures reach across: the experiment (its settings, parameter set and dialogs),
// the curve store, the plot option dialog and plot state, the plot and result windows, the host and
// the fitting flag. The state object holds one, bound to its own members.
struct CurveLinks {
  Experiment& experiment;
  CurveStore& curves;
  FormOption& formOption;
  PlotState& plot;
  FormPlot& formPlot;
  FormResult& formResult;
  Host& host;
  const bool& fitting;
};

}  // namespace vorex
