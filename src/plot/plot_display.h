#pragma once

#include "plot/form_option.h"
#include "plot/form_plot.h"
#include "plot/plot_state.h"

namespace vorex {

// The plot of the program: its window, its option dialog and the settings they draw with.
struct PlotDisplay {
  FormOption formOption;
  FormPlot formPlot;
  PlotState state;
};

}  // namespace vorex
