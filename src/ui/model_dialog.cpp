#include "ui/model_dialog.h"

#include <QEvent>

namespace vorex::ui {

ModelDialog::ModelDialog(Window& model, Desktop& desktop, QWidget* parent,
                         std::function<void()> afterAction)
    : QDialog(parent),
      model_(model),
      desktop_(desktop),
      binding_(model, *this, std::move(afterAction)) {
  setObjectName(QString::fromStdString(model.Name()));
  setModal(false);
}

void ModelDialog::Finish() {
  binding_.SyncAll();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool ModelDialog::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && model_.Visible()) {
    binding_.Run([this] { desktop_.Focus(model_); });
  }
  return QDialog::event(e);
}

// Escape and the title bar's close button hide the dialog through its model.
void ModelDialog::reject() {
  binding_.Run([this] { model_.Hide(); });
  QDialog::reject();
}

QGroupBox* ModelDialog::Frame(const std::string& name, int index, QWidget* parent,
                              QGridLayout*& grid) {
  auto* box = static_cast<QGroupBox*>(W(name, index, parent));
  grid = new QGridLayout(box);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  return box;
}

int ModelDialog::Pairs(QGridLayout* grid, int row, std::initializer_list<const char*> names,
                       QWidget* parent, int column) {
  for (const char* name : names) {
    Control* field = binding_.Model().Find(name);
    grid->addWidget(binding_.LabelOf(*field, parent), row, column);
    grid->addWidget(binding_.Widget(*field, parent), row, column + 1);
    ++row;
  }
  return row;
}

void ModelDialog::LabelledField(QGridLayout* grid, int row, const char* label, const char* field,
                                QWidget* parent) {
  grid->addWidget(W(label, Control::kNoIndex, parent), row, 0);
  grid->addWidget(W(field, Control::kNoIndex, parent), row, 1);
}

}  // namespace vorex::ui
