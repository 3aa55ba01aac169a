// The Experimental dialog: species, reactions and fit slots as tables, the instrument, electrode,
// electrolyte and pre-treatment as captioned fields.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/program.h"
#include "ui/dialogs.h"

namespace vorex::ui {
namespace {

constexpr int kNone = Control::kNoIndex;

// One column of a table: the control array and the offset from the row to its index.
struct Column {
  const char* name;
  int offset;
};

// A table of rows first..last under column headers taken from the first row's labels; a header
// shows while any cell below it does.
void Table(ModelDialog& d, const char* frame, int first, int last,
           std::initializer_list<Column> columns, QGroupBox*& box) {
  QGridLayout* grid = nullptr;
  box = d.Frame(frame, kNone, &d, grid);
  Window& model = d.Binding().Model();
  int c = 0;
  for (const Column& column : columns) {
    std::vector<const Control*> cells;
    for (int row = first; row <= last; ++row) {
      Control* cell = model.Find(column.name, row + column.offset);
      cells.push_back(cell);
      grid->addWidget(d.Binding().Widget(*cell, box), row - first + 1, c);
    }
    const std::string& header = cells.front()->Label();
    if (!header.empty()) {
      QLabel* label = d.Binding().Label(HeaderText(header), cells, box);
      label->setToolTip(QString::fromStdString(cells.front()->ToolTip()));
      grid->addWidget(label, 0, c);
    }
    ++c;
  }
  grid->setRowStretch(last - first + 2, 1);
}

QGroupBox* Species(ModelDialog& d) {
  QGroupBox* box = nullptr;
  Table(d, "FrameSpecies", 1, 4,
        {{"specie", 0},
         {"D", 0},
         {"C", 0},
         {"Cinit", 0},
         {"Cond", -1},
         {"CheckFitted", 0},
         {"TextCmin", 0},
         {"TextCmax", 0},
         {"CheckFitted", 19},
         {"TextCmin", 19},
         {"TextCmax", 19}},
        box);
  return box;
}

QGroupBox* Heterogeneous(ModelDialog& d) {
  QGroupBox* box = nullptr;
  Table(d, "FrameHeter", 1, 3,
        {{"heter", 0},
         {"NEL", 0},
         {"Eze", 0},
         {"alph", 0},
         {"ks", 0},
         {"CheckFitted", 4},
         {"TextCmin", 4},
         {"TextCmax", 4},
         {"CheckFitted", 7},
         {"TextCmin", 7},
         {"TextCmax", 7},
         {"CheckFitted", 10},
         {"TextCmin", 10},
         {"TextCmax", 10}},
        box);
  return box;
}

QGroupBox* Homogeneous(ModelDialog& d) {
  QGroupBox* box = nullptr;
  Table(d, "FrameHomo", 1, 3,
        {{"homo", 0},
         {"pl", 0},
         {"kf", 0},
         {"kb", 0},
         {"LabelKeq", 0},
         {"CheckFitted", 13},
         {"TextCmin", 13},
         {"TextCmax", 13},
         {"CheckFitted", 16},
         {"TextCmin", 16},
         {"TextCmax", 16}},
        box);
  return box;
}

QGroupBox* Instrument(ModelDialog& d) {
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame("FrameInstrument", kNone, &d, grid);
  d.Pairs(grid, 0, {"Estart", "Eend", "Estep", "V", "td", "tp", "Epulse", "txtTRest"}, box, 0);
  d.Pairs(grid, 0, {"TextF", "ComboScan", "txttemp", "Noise", "Cdl", "Ru", "ComboBackground"}, box,
          2);
  // Cd and Ru are fitted beside their fields (rows 4 and 5 of the second column).
  for (int slot = 24; slot <= 25; ++slot) {
    const int row = slot - 20;
    grid->addWidget(d.W("CheckFitted", slot, box), row, 4);
    grid->addWidget(d.W("TextCmin", slot, box), row, 5);
    grid->addWidget(d.W("TextCmax", slot, box), row, 6);
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
  return dialog;
}

}  // namespace vorex::ui
