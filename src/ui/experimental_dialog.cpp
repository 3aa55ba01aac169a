// The Experimental dialog: species, reactions and fit slots as tables, the instrument, electrode,
// electrolyte and pre-treatment as captioned fields.
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "experiment/fit_slot_quantity.h"
#include "shell/program.h"
#include "ui/dialogs.h"
#include "ui/window_placement.h"

namespace vorex::ui {
namespace {

constexpr int kNone = Control::kNoIndex;

// The fit slot of a quantity in a row: slots 1..25 hold the built-in mechanisms' rows, 26..38 the
// rows only a written mechanism has, so a column's slots do not run on from row to row.
int SlotOf(FitQuantity quantity, int row) {
  for (int slot = 1; slot <= kFitSlots; ++slot) {
    const FitSlotQuantity q = FitSlotQuantityOf(slot);
    if (q.quantity == quantity && q.row == row) return slot;
  }
  return kNone;
}

// One column of a table: the control array and the index of its control in a row (the row
// itself, the row less one for Cond, or the fit slot of a quantity).
struct Column {
  Column(const char* name, int offset = 0) : name(name), offset(offset) {}
  Column(const char* name, FitQuantity quantity) : name(name), fitted(quantity) {}

  const char* name;
  int offset = 0;
  std::optional<FitQuantity> fitted;

  int Index(int row) const { return fitted ? SlotOf(*fitted, row) : row + offset; }
};

// The three columns that fit a quantity: its flag and its bounds.
std::array<Column, 3> Fit(FitQuantity quantity) {
  return {Column("CheckFitted", quantity), Column("TextCmin", quantity),
          Column("TextCmax", quantity)};
}

// A bound is typed short ("1e-4"): its fields are narrower than the others, so that the dialog
// holds every quantity's bounds within a screen's width.
constexpr int kBoundWidth = 64;

// The bound columns keep their width from the start: ticking a fitted box shows its bounds, which
// must not widen the dialog and move the next box from under the mouse. The first row's field and
// the header keep their place while hidden (that row is always shown, beside fields as high).
void ReserveBoundColumn(const std::string& name, std::initializer_list<QWidget*> kept) {
  if (name != "TextCmin" && name != "TextCmax") return;
  for (QWidget* widget : kept) {
    if (widget == nullptr) continue;
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
  }
}

// A table of rows 1..last under column headers taken from the first row's labels; a header
// shows while any cell below it does, and a row while the model shows it.
QGroupBox* Table(ModelDialog& d, const char* frame, int last, std::vector<Column> columns) {
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame(frame, kNone, &d, grid);
  Window& model = d.Binding().Model();
  int c = 0;
  for (const Column& column : columns) {
    std::vector<const Control*> cells;
    for (int row = 1; row <= last; ++row) {
      Control* cell = model.Find(column.name, column.Index(row));
      cells.push_back(cell);
      QWidget* widget = d.Binding().Widget(*cell, box);
      if (column.fitted && column.name != std::string("CheckFitted")) {
        widget->setFixedWidth(kBoundWidth);
      }
      grid->addWidget(widget, row, c);
    }
    const std::string& header = cells.front()->Label();
    QLabel* label = nullptr;
    if (!header.empty()) {
      label = d.Binding().Label(HeaderText(header), cells, box);
      label->setToolTip(QString::fromStdString(cells.front()->ToolTip()));
      grid->addWidget(label, 0, c);
    }
    ReserveBoundColumn(column.name,
                       {d.Binding().Widget(*model.Find(column.name, column.Index(1)), box), label});
    ++c;
  }
  grid->setRowStretch(last + 1, 1);
  return box;
}

// The columns, then the fit columns of each quantity.
std::vector<Column> Columns(std::initializer_list<Column> fields,
                            std::initializer_list<FitQuantity> fitted) {
  std::vector<Column> columns(fields);
  for (FitQuantity q : fitted) {
    for (const Column& column : Fit(q)) columns.push_back(column);
  }
  return columns;
}

QGroupBox* Species(ModelDialog& d) {
  return Table(d, "FrameSpecies", kSpeciesRows,
               Columns({{"specie"}, {"D"}, {"C"}, {"Cinit"}, {"Cond", -1}},
                       {FitQuantity::C, FitQuantity::D}));
}

QGroupBox* Heterogeneous(ModelDialog& d) {
  return Table(d, "FrameHeter", kChargeRows,
               Columns({{"heter"}, {"NEL"}, {"Eze"}, {"alph"}, {"ks"}},
                       {FitQuantity::Ks, FitQuantity::Alpha, FitQuantity::E0}));
}

QGroupBox* Homogeneous(ModelDialog& d) {
  return Table(d, "FrameHomo", kChemicalRows,
               Columns({{"homo"}, {"pl"}, {"kf"}, {"kb"}, {"LabelKeq"}},
                       {FitQuantity::Kf, FitQuantity::Kb}));
}

QGroupBox* Instrument(ModelDialog& d) {
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame("FrameInstrument", kNone, &d, grid);
  d.Pairs(grid, 0, {"Estart", "Eend", "Estep", "V", "td", "tp", "Epulse", "txtTRest"}, box, 0);
  d.Pairs(grid, 0, {"TextF", "ComboScan", "txttemp", "Noise", "Cdl", "Ru", "ComboBackground"}, box,
          2);
  // Cd and Ru are fitted beside their fields (rows 4 and 5 of the second column).
  int column = 4;
  for (const char* name : {"CheckFitted", "TextCmin", "TextCmax"}) {
    for (int slot = 24; slot <= 25; ++slot) {
      QWidget* widget = d.W(name, slot, box);
      if (name != std::string("CheckFitted")) widget->setFixedWidth(kBoundWidth);
      grid->addWidget(widget, slot - 20, column);
    }
    ReserveBoundColumn(name, {d.W(name, 24, box)});
    ++column;
  }
  return box;
}

QGroupBox* Electrode(ModelDialog& d) {
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame("FrameElectrode", kNone, &d, grid);
  auto* options = new QVBoxLayout;
  for (int i = 1; i <= 8; ++i) options->addWidget(d.W("optElectrode", i, box));
  grid->addLayout(options, 0, 0, 6, 1);
  auto* fields = new QGridLayout;
  d.LabelledField(fields, 0, "LabelRadius", "radius", box);
  d.LabelledField(fields, 1, "LabelLength", "leng", box);
  d.Pairs(fields, 2, {"ARE"}, box);
  d.LabelledField(fields, 3, "LabelRrate", "TextRrate", box);
  d.Pairs(fields, 4, {"TextDis"}, box);
  fields->setRowStretch(5, 1);
  grid->addLayout(fields, 0, 1, 6, 1);
  return box;
}

QGroupBox* Electrolyte(ModelDialog& d) {
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame("FrameElectrolyte", kNone, &d, grid);
  d.LabelledField(grid, 0, "LabelVis", "TextVis", box);
  d.Pairs(grid, 1, {"TextElectrolyteCond", "TextElectrolyteC"}, box);
  grid->setRowStretch(3, 1);
  return box;
}

// The pre-treatment check boxes, with the preconcentration inputs that the second one shows.
QGroupBox* PreTreatment(ModelDialog& d) {
  auto* box = new QGroupBox("Pre-treatment", &d);
  auto* column = new QVBoxLayout(box);
  column->addWidget(d.W("CheckPreEqu", kNone, box));
  column->addWidget(d.W("CheckPreCon", kNone, box));
  QGridLayout* grid = nullptr;
  QGroupBox* pre = d.Frame("FramePre", kNone, box, grid);
  d.Pairs(grid, 0, {"txtEPre", "txtTPre", "txtPconst", "txtRStir", "txtTpreconst"}, pre);
  column->addWidget(pre);
  column->addStretch();
  return box;
}

}  // namespace

std::unique_ptr<ModelDialog> MakeExperimentalDialog(Program& program, QWidget* parent,
                                                    std::function<void()> afterAction) {
  auto dialog = std::make_unique<ModelDialog>(program.experiment.formExpr, program.desktop, parent,
                                              std::move(afterAction));
  ModelDialog& d = *dialog;
  auto* layout = new QGridLayout(&d);
  layout->addWidget(Species(d), 0, 0, 1, 2);
  layout->addWidget(Instrument(d), 0, 2, 1, 2);
  layout->addWidget(Heterogeneous(d), 1, 0, 1, 4);
  layout->addWidget(Homogeneous(d), 2, 0, 1, 4);
  layout->addWidget(Electrode(d), 3, 0);
  layout->addWidget(Electrolyte(d), 3, 1);
  layout->addWidget(PreTreatment(d), 3, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  buttons->addWidget(d.W("CmdOK", kNone, &d));
  layout->addLayout(buttons, 3, 3);
  d.Finish();
  PlaceBesidePlot(d, program.plot.formPlot.Name());
  return dialog;
}

}  // namespace vorex::ui
