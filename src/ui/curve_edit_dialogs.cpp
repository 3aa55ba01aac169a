// The Cut dialog of the X Data menu and the Subtract Background dialog of the Y Data menu.
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/program.h"
#include "ui/dialogs.h"

namespace vorex::ui {
namespace {

constexpr int kNone = Control::kNoIndex;

// The line above the fields that says what the curves are: wrapped, at the dialog's width.
void Heading(ModelDialog& d, QBoxLayout* layout, const char* label) {
  auto* heading = static_cast<QLabel*>(d.W(label, kNone, &d));
  heading->setWordWrap(true);
  heading->setMinimumWidth(420);
  layout->addWidget(heading);
}

// OK and Cancel at the right below everything else.
void Buttons(ModelDialog& d, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(d.W("CmdOK", kNone, &d));
  row->addWidget(d.W("CmdCancel", kNone, &d));
  layout->addLayout(row);
}

// An option with its fields after it on one row of the grid, each field after its caption.
void OptionRow(ModelDialog& d, QGridLayout* grid, int row, const char* option,
               std::initializer_list<const char*> fields, QWidget* box) {
  grid->addWidget(d.W(option, kNone, box), row, 0);
  int column = 1;
  for (const char* name : fields) {
    Control* field = d.Binding().Model().Find(name);
    grid->addWidget(d.Binding().LabelOf(*field, box), row, column++, Qt::AlignRight);
    grid->addWidget(d.Binding().Widget(*field, box), row, column++);
  }
}

}  // namespace

std::unique_ptr<ModelDialog> MakeCutDialog(Program& program, QWidget* parent,
                                           std::function<void()> afterAction) {
  auto dialog = std::make_unique<ModelDialog>(program.formCut, program.desktop, parent,
                                              std::move(afterAction));
  ModelDialog& d = *dialog;
  auto* layout = new QVBoxLayout(&d);
  Heading(d, layout, "LabelSweeps");
  QGridLayout* grid = nullptr;
  QGroupBox* box = d.Frame("FrameKeep", kNone, &d, grid);
  OptionRow(d, grid, 0, "optCycle", {"txtCycle"}, box);
  OptionRow(d, grid, 1, "optSegments", {"txtFirst", "txtLast"}, box);
  OptionRow(d, grid, 2, "optWindow", {"txtLow", "txtHigh"}, box);
  layout->addWidget(box);
  Buttons(d, layout);
  d.Finish();
  return dialog;
}

std::unique_ptr<ModelDialog> MakeBackgroundDialog(Program& program, QWidget* parent,
                                                  std::function<void()> afterAction) {
  auto dialog = std::make_unique<ModelDialog>(program.formBackground, program.desktop, parent,
                                              std::move(afterAction));
  ModelDialog& d = *dialog;
  auto* layout = new QVBoxLayout(&d);
  Heading(d, layout, "LabelCurve");
  auto* grid = new QGridLayout;
  d.Pairs(grid, 0, {"txtRanges", "ComboDegree"}, &d);
  // Room for several pairs of potentials.
  static_cast<QLineEdit*>(d.W("txtRanges", kNone, &d))->setFixedWidth(300);
  grid->addWidget(d.W("CheckSegment", kNone, &d), 2, 0);
  grid->addWidget(d.W("txtSegment", kNone, &d), 2, 1, Qt::AlignLeft);
  layout->addLayout(grid);
  Buttons(d, layout);
  d.Finish();
  return dialog;
}

}  // namespace vorex::ui
