// The Techniques and Option dialogs.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/program.h"
#include "ui/dialogs.h"

namespace vorex::ui {
namespace {

// The OK button of a dialog, at the right below everything else.
void OkRow(ModelDialog& d, QBoxLayout* layout, const char* ok) {
  layout->addWidget(d.W(ok, Control::kNoIndex, &d), 0, Qt::AlignRight);
}

// Options of one frame in a column, then the dialog's own controls (a check box, a captioned
// field) and its OK button.
std::unique_ptr<ModelDialog> OptionList(Window& model, Program& program, QWidget* parent,
                                        std::function<void()> afterAction, const char* frame,
                                        const char* option, int count, const char* check,
                                        const char* ok, const char* field = nullptr) {
  auto dialog =
      std::make_unique<ModelDialog>(model, program.desktop, parent, std::move(afterAction));
  auto* layout = new QVBoxLayout(dialog.get());
  QGridLayout* grid = nullptr;
  layout->addWidget(dialog->Frame(frame, Control::kNoIndex, dialog.get(), grid));
  QWidget* box = grid->parentWidget();
  for (int i = 1; i <= count; ++i) grid->addWidget(dialog->W(option, i, box), i - 1, 0);
  if (check != nullptr) layout->addWidget(dialog->W(check, Control::kNoIndex, dialog.get()));
  if (field != nullptr) {
    auto* row = new QGridLayout;
    dialog->Pairs(row, 0, {field}, dialog.get());
    row->setColumnStretch(2, 1);
    layout->addLayout(row);
  }
  OkRow(*dialog, layout, ok);
  dialog->Finish();
  return dialog;
}

}  // namespace

std::unique_ptr<ModelDialog> MakeTechniquesDialog(Program& program, QWidget* parent,
                                                  std::function<void()> afterAction) {
  return OptionList(program.experiment.formTech, program, parent, std::move(afterAction),
                    "FrameTech", "optTech", 5, "CheckDigital", "CmdOK", "TextSteps");
}

std::unique_ptr<ModelDialog> MakeOptionDialog(Program& program, QWidget* parent,
                                              std::function<void()> afterAction) {
  auto dialog = std::make_unique<ModelDialog>(program.plot.formOption, program.desktop, parent,
                                              std::move(afterAction));
  ModelDialog& d = *dialog;
  QWidget* self = dialog.get();
  constexpr int none = Control::kNoIndex;
  auto* layout = new QVBoxLayout(self);
  auto* top = new QGridLayout;
  top->addWidget(d.W("ComboY", none, self), 0, 0, 1, 2);
  top->addWidget(d.W("CheckGrid", none, self), 1, 0);
  top->addWidget(d.W("overlap", none, self), 1, 1);
  top->addWidget(d.W("CheckXdir", none, self), 2, 0, 1, 2);
  top->addWidget(d.W("CheckLogY", none, self), 2, 2, 1, 2);
  // Each axis: the automatic box, then the manual range it hides.
  const char* axes[2][5] = {{"Xauto", "Label2", "XminText", "Label3", "XmaxText"},
                            {"Yauto", "Label4", "YminText", "Label5", "YmaxText"}};
  for (int a = 0; a < 2; ++a) {
    for (int k = 0; k < 5; ++k) top->addWidget(d.W(axes[a][k], none, self), 3 + a, k);
  }
  layout->addLayout(top);
  auto* titles = new QGridLayout;
  d.LabelledField(titles, 0, "LabelXTitle", "XTitle", self);
  d.LabelledField(titles, 1, "LabelYTitle", "YTitle", self);
  titles->setColumnStretch(1, 1);
  layout->addLayout(titles);
  auto* curves = new QHBoxLayout;
  for (int c = 0; c <= 4; ++c) {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = d.Frame("FrameCurve", c, self, grid);
    auto* styles = new QGroupBox("Line style", frame);
    auto* column = new QVBoxLayout(styles);
    for (const char* name : {"linestyle1", "linestyle2", "linestyle3"}) {
      column->addWidget(d.W(name, c, styles));
    }
    grid->addWidget(styles, 0, 0);
    curves->addWidget(frame);
  }
  layout->addLayout(curves);
  OkRow(d, layout, "OK");
  d.Finish();
  return dialog;
}

}  // namespace vorex::ui
