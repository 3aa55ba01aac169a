// The Mechanism dialog: the seventeen built-in mechanisms and the written one, whose text sits
// beside its option with the parser's message under it and, above, the table of the species,
// electron transfers and chemical steps the text writes.
#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QTableWidget>
#include <QVBoxLayout>

#include "experiment/form_mech.h"
#include "shell/program.h"
#include "ui/dialogs.h"

namespace vorex::ui {
namespace {

constexpr int kNone = Control::kNoIndex;
// Room for a text that writes four transfers and four steps without scrolling sideways.
constexpr int kTextWidth = 380;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A read-only table the size of its rows, so that the dialog grows with the mechanism and never
// scrolls; it takes no focus, the keys go from the options to the text and on to OK.
QTableWidget* NewSchemeTable(QWidget* parent) {
  auto* table = new QTableWidget(0, 3, parent);
  table->setObjectName("TableScheme");
  table->setHorizontalHeaderLabels({"", "Reaction", "Parameters"});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setToolTip(
      "The species, electron transfers and chemical steps the text writes, with "
      "the parameters the Experimental dialog gives them");
  return table;
}

// The rows of the text as the settings hold it; the table shows while the text is shown and
// parses.
void ShowScheme(QTableWidget& table, FormMech& form) {
  const Scheme scheme = form.SchemeRows();
  table.setRowCount(static_cast<int>(scheme.rows.size()));
  int r = 0;
  for (const SchemeRow& row : scheme.rows) {
    const std::string caption = row.kind + " " + row.name;
    int c = 0;
    for (const std::string& cell : {caption, row.equation, row.parameters}) {
      auto* item = new QTableWidgetItem(Q(cell));
      item->setFlags(Qt::ItemIsEnabled);
      table.setItem(r, c++, item);
    }
    ++r;
  }
  // The reaction and parameter columns as wide as their texts, the parameters taking the rest.
  table.resizeColumnsToContents();
  table.resizeRowsToContents();
  const int rest =
      kTextWidth - 2 * table.frameWidth() - table.columnWidth(0) - table.columnWidth(1);
  table.setColumnWidth(2, std::max(rest, table.columnWidth(2)));
  int height = table.horizontalHeader()->height() + 2 * table.frameWidth();
  for (int i = 0; i < table.rowCount(); ++i) height += table.rowHeight(i);
  table.setFixedSize(kTextWidth, height);
  table.setVisible(form.TextMechanism().Visible() && !scheme.rows.empty());
}

// The written mechanism's column: the table at the top, then the text level with option 18 and
// the parser's message under the text in the colour of an error.
void WrittenColumn(ModelDialog& d, FormMech& form, QGridLayout* grid, QWidget* box) {
  auto* table = NewSchemeTable(box);
  auto* top = new QVBoxLayout;
  top->addWidget(table);
  top->addStretch();
  grid->addLayout(top, 0, 1, kMechanismCount, 1);
  auto* text = static_cast<QLineEdit*>(d.W("TextMechanism", kNone, box));
  text->setFixedWidth(kTextWidth);
  text->setPlaceholderText("A + e = B; B = C");
  grid->addWidget(text, kMechanismCount, 1);
  auto* message = static_cast<QLabel*>(d.W("LabelMechanismError", kNone, box));
  message->setStyleSheet("color: #b00000;");
  message->setWordWrap(true);
  message->setFixedWidth(kTextWidth);
  grid->addWidget(message, kMechanismCount + 1, 1);
  // The text reaches the settings after its control changed (Window::Type sets the text, then
  // runs the change): the table takes the settings' rows once the event is done.
  const auto follow = [table, &form] {
    if (!form.TextMechanism().Visible()) table->hide();
    QMetaObject::invokeMethod(
        table, [table, &form] { ShowScheme(*table, form); }, Qt::QueuedConnection);
  };
  d.Binding().Follow(form.TextMechanism(), follow);
  d.Binding().Follow(form.LabelMechanismError(), follow);
}

}  // namespace

std::unique_ptr<ModelDialog> MakeMechanismDialog(Program& program, QWidget* parent,
                                                 std::function<void()> afterAction) {
  FormMech& form = program.experiment.formMech;
  auto dialog =
      std::make_unique<ModelDialog>(form, program.desktop, parent, std::move(afterAction));
  ModelDialog& d = *dialog;
  auto* layout = new QVBoxLayout(&d);
  QGridLayout* grid = nullptr;
  layout->addWidget(d.Frame("FrameMech", kNone, &d, grid));
  QWidget* box = grid->parentWidget();
  for (int i = 1; i <= kWrittenMechanismNumber; ++i) {
    grid->addWidget(d.W("mech", i, box), i - 1, 0, Qt::AlignLeft);
  }
  WrittenColumn(d, form, grid, box);
  layout->addWidget(d.W("Command1", kNone, &d), 0, Qt::AlignRight);
  d.Finish();
  return dialog;
}

}  // namespace vorex::ui
