#pragma once

#include <functional>

#include <QTableView>

#include "ui/model_dialog.h"
#include "ui/set_plot_view.h"
#include "ui/set_table_model.h"

namespace vorex {
class Program;
}

namespace vorex::ui {

// The Fit Several Curves window of the Run menu over its model (shell/form_global_fit.h): the
// set's table, the buttons that fill it, the parameters ticked in the Experimental dialog with
// their "per curve" ticks, the weighting and Fit, beside the plot of the set. It stays open
// while the user works elsewhere, and follows the Experimental dialog.
class SetFitWindow : public ModelDialog {
 public:
  SetFitWindow(Program& program, QWidget* parent, std::function<void()> afterAction);

  // After every action of the user: the parameters, the table and the plot as they are now.
  void Refresh();

  QTableView& Table() const { return *table_; }
  SetPlotView& Plot() const { return *plot_; }

 private:
  QLayout* Buttons();
  QWidget* Parameters();

  Program& program_;
  SetTableModel* model_;
  QTableView* table_;
  SetPlotView* plot_;
};

}  // namespace vorex::ui
