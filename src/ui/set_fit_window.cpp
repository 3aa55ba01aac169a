#include "ui/set_fit_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "plot/form_option.h"
#include "shell/program.h"

namespace vorex::ui {
namespace {

constexpr int kNone = Control::kNoIndex;

// Room for a name and for each number as the dialog types it [px].
constexpr int kColumnWidths[SetTableModel::kColumns] = {30, 160, 52, 100, 106, 96,
                                                        84, 70,  70, 120, 64};

}  // namespace

SetFitWindow::SetFitWindow(Program& program, QWidget* parent, std::function<void()> afterAction)
    : ModelDialog(program.formGlobalFit, program.desktop, parent, std::move(afterAction)),
      program_(program) {
  model_ = new SetTableModel(
      program, [this](const std::function<void()>& edit) { Binding().Run(edit); }, this);
  table_ = new QTableView(this);
  table_->setObjectName("SetTable");
  table_->setModel(model_);
  table_->setItemDelegateForColumn(SetTableModel::kBackground, new BackgroundDelegate(table_));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  for (int c = 0; c < SetTableModel::kColumns; ++c) table_->setColumnWidth(c, kColumnWidths[c]);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->setMinimumHeight(150);
  QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                   [this](const QModelIndex& current) {
                     program_.formGlobalFit.Select(current.isValid() ? current.row() + 1 : 0);
                   });
  plot_ = new SetPlotView(program.globalFit, this);

  auto* summary = static_cast<QLabel*>(W("LabelSet", kNone, this));
  summary->setWordWrap(true);
  // Room for the two lines it takes after a fit, so that the table does not move then.
  summary->setMinimumHeight(2 * summary->fontMetrics().lineSpacing());
  summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* lower = new QHBoxLayout;
  lower->addWidget(Parameters());
  lower->addWidget(plot_, 1);
  auto* close = new QHBoxLayout;
  close->addStretch();
  close->addWidget(W("CmdClose", kNone, this));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  layout->addWidget(table_, 2);
  layout->addLayout(Buttons());
  layout->addLayout(lower, 5);
  layout->addLayout(close);
  Binding().SyncAll();
  setSizeGripEnabled(true);
  resize(1040, 720);
}

QLayout* SetFitWindow::Buttons() {
  auto* row = new QHBoxLayout;
  for (const char* name : {"CmdAddFiles", "CmdAddCycles", "CmdRemove", "CmdClear"}) {
    row->addWidget(W(name, kNone, this));
  }
  row->addStretch();
  return row;
}

// The ticked parameters, scrolled when there are many, then the weighting and Fit.
QWidget* SetFitWindow::Parameters() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  QGridLayout* grid = nullptr;
  auto* scroll = new QScrollArea(panel);
  QGroupBox* box = Frame("FrameParameters", kNone, scroll, grid);
  auto* none = static_cast<QLabel*>(W("LabelNoParameter", kNone, box));
  none->setWordWrap(true);
  grid->addWidget(none, 0, 0, 1, 2);
  for (int k = 1; k <= kFitSlots; ++k) {
    grid->addWidget(W("LabelParameter", k, box), k, 0);
    grid->addWidget(W("CheckPerCurve", k, box), k, 1);
  }
  grid->setRowStretch(kFitSlots + 1, 1);
  scroll->setWidget(box);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFixedWidth(210);
  column->addWidget(scroll, 1);
  auto* weighting = new QHBoxLayout;
  Control& combo = *program_.formGlobalFit.Find("ComboWeighting");
  weighting->addWidget(Binding().LabelOf(combo, panel));
  weighting->addWidget(W("ComboWeighting", kNone, panel));
  weighting->addStretch();
  column->addLayout(weighting);
  QWidget* fit = W("CmdFit", kNone, panel);
  fit->setMinimumHeight(fit->sizeHint().height() + 6);
  column->addWidget(fit);
  panel->setFixedWidth(210);
  return panel;
}

void SetFitWindow::Refresh() {
  if (!program_.formGlobalFit.Visible()) return;
  Guarded([this] { program_.formGlobalFit.Follow(); });
  // A new row count resets the table, and with it the selection the buttons act on.
  const int selected = program_.formGlobalFit.Selected();
  model_->Refresh();
  plot_->SetFalling(program_.plot.formOption.CheckXdir().Checked());
  if (selected > 0 && selected <= model_->rowCount() && !table_->selectionModel()->hasSelection())
    table_->selectRow(selected - 1);
  plot_->update();
}

}  // namespace vorex::ui
