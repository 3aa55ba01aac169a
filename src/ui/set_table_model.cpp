#include "ui/set_table_model.h"

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QTimer>

#include "shell/program.h"

namespace vorex::ui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

const char* const kHeaders[] = {"#", "Name", "Points", "E range [V]"};

}  // namespace

SetTableModel::SetTableModel(Program& program,
                             std::function<void(const std::function<void()>&)> run, QObject* parent)
    : QAbstractTableModel(parent), program_(program), run_(std::move(run)) {
  Refresh();
}

void SetTableModel::Refresh() {
  std::vector<SetTableRow> rows = SetTableRows(program_.globalFit, program_.experiment.settings);
  if (rows.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  } else if (rows != rows_) {
    rows_ = std::move(rows);
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
  }
}

int SetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant SetTableModel::Display(const SetTableRow& row, int column) const {
  switch (column) {
    case 0:
      return row.number;
    case 1:
      return Q(row.name);
    case 2:
      return Q(row.points);
    case 3:
      return Q(row.range);
    case kColumns - 1:
      return Q(row.rSquared);
  }
  const auto k = static_cast<std::size_t>(column - kFirstOwn);
  return Q(row.own[k].empty() ? row.dialog[k] : row.own[k]);
}

QVariant SetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const SetTableRow& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  const bool own = column >= kFirstOwn && column < kColumns - 1;
  const bool inherited = own && row.own[static_cast<std::size_t>(column - kFirstOwn)].empty();
  switch (role) {
    case Qt::DisplayRole:
      return Display(row, column);
    case Qt::EditRole:
      return own ? Q(row.own[static_cast<std::size_t>(column - kFirstOwn)]) : Display(row, column);
    case Qt::ForegroundRole:
      if (inherited) return QColor(128, 128, 128);
      break;
    case Qt::FontRole:
      if (inherited) {
        QFont italic;
        italic.setItalic(true);
        return italic;
      }
      break;
    case kDialogRole:
      if (own) return Q(row.dialog[static_cast<std::size_t>(column - kFirstOwn)]);
      break;
    case Qt::TextAlignmentRole:
      if (column != 1 && column != 3 && column != kBackground)
        return int(Qt::AlignRight | Qt::AlignVCenter);
      break;
    case Qt::ToolTipRole:
      if (own) {
        const QString dialog = Q(row.dialog[static_cast<std::size_t>(column - kFirstOwn)]);
        return inherited ? "As in the Experimental dialog (" + dialog +
                               "); type a value for this curve alone"
                         : "This curve's own value; empty the cell for the Experimental "
                           "dialog's (" +
                               dialog + ")";
      }
      if (column == kColumns - 1) return "R\u00b2 of this curve in the last fit";
      break;
  }
  return {};
}

QVariant SetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  const bool own = section >= kFirstOwn && section < kColumns - 1;
  if (role == Qt::DisplayRole) {
    if (section < kFirstOwn) return kHeaders[section];
    if (!own) return "R\u00b2";
    const std::string_view header =
        kSetOwnColumn[static_cast<std::size_t>(section - kFirstOwn)].header;
    return QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()));
  }
  if (role == Qt::ToolTipRole && own) {
    return "The curve's own value; an empty (grey) cell takes the Experimental dialog's";
  }
  return {};
}

Qt::ItemFlags SetTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() >= kFirstOwn && index.column() < kColumns - 1) flags |= Qt::ItemIsEditable;
  return flags;
}

// The edit is made once the editor has closed: its message box must not open while the view is
// still committing the editor's text.
bool SetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const int curve = index.row() + 1;
  const auto column = static_cast<std::size_t>(index.column() - kFirstOwn);
  const std::string text = value.toString().toStdString();
  if (text == rows_[static_cast<std::size_t>(index.row())].own[column]) return false;
  QTimer::singleShot(0, this, [this, curve, column, text] {
    run_([&] {
      if (auto why =
              EditSetCell(program_.globalFit, program_.experiment.settings, curve, column, text)) {
        program_.host.Message(*why, MessageKind::Warning);
      }
    });
  });
  return false;
}

QWidget* BackgroundDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
  auto* list = new QComboBox(parent);
  list->addItem("as dialog (" + index.data(SetTableModel::kDialogRole).toString() + ")",
                QString(""));
  for (const std::string& word : TableField(FieldId::Background).items) {
    list->addItem(Q(word), Q(word));
  }
  // A choice is the edit: the list closes and the curve takes it at once.
  QObject::connect(list, &QComboBox::activated, list, [this, list] {
    emit const_cast<BackgroundDelegate*>(this)->commitData(list);
    emit const_cast<BackgroundDelegate*>(this)->closeEditor(list);
  });
  return list;
}

void BackgroundDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* list = static_cast<QComboBox*>(editor);
  list->setCurrentIndex(std::max(0, list->findData(index.data(Qt::EditRole).toString())));
}

void BackgroundDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  model->setData(index, static_cast<QComboBox*>(editor)->currentData(), Qt::EditRole);
}

}  // namespace vorex::ui
