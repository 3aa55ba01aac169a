#pragma once

#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include "shell/set_table.h"

namespace vorex {
class Program;
}

namespace vorex::ui {

// The curves of the set as a table (set_table.h): number, name, points, potential range, the
// curve's own settings and its R² in the last fit. An own cell the curve leaves empty shows the
// Experimental dialog's value in grey italics; editing it gives the curve a value of its own,
// and emptying it gives the dialog's back. A refused edit is told, and the cell shows what the
// curve has.
class SetTableModel : public QAbstractTableModel {
 public:
  static constexpr int kFirstOwn = 4;
  static constexpr int kBackground = kFirstOwn + 5;
  static constexpr int kColumns = kFirstOwn + static_cast<int>(kSetOwnColumns) + 1;
  // The Experimental dialog's value that stands in an own cell the curve leaves empty.
  static constexpr int kDialogRole = Qt::UserRole;

  // `run` runs a user's edit as the window runs its actions.
  SetTableModel(Program& program, std::function<void(const std::function<void()>&)> run,
                QObject* parent);

  // The rows again from the set and the settings, where they changed.
  void Refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  QVariant Display(const SetTableRow& row, int column) const;

  Program& program_;
  std::function<void(const std::function<void()>&)> run_;
  std::vector<SetTableRow> rows_;
};

// The background cell's editor: the list of the Experimental dialog's backgrounds, with the
// dialog's own choice first.
class BackgroundDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

}  // namespace vorex::ui
