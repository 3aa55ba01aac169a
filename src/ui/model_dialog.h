#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>

#include "base/desktop.h"
#include "ui/window_binding.h"

namespace vorex::ui {

// A modeless dialog that shows a window model. Turning to it makes the model the active window
// (running its activation, as the command interface does); closing it hides the model, which
// keeps every entry for the next time it is shown.
class ModelDialog : public QDialog {
 public:
  ModelDialog(Window& model, Desktop& desktop, QWidget* parent, std::function<void()> afterAction);

  WindowBinding& Binding() { return binding_; }
  // Call once the layout is built: the widgets take the model's state.
  void Finish();

  // Layout helpers. The widget of a control inside a frame's group box.
  QWidget* W(const std::string& name, int index, QWidget* parent) {
    return binding_.Widget(name, index, parent);
  }
  // A frame of the model as a group box with a grid.
  QGroupBox* Frame(const std::string& name, int index, QWidget* parent, QGridLayout*& grid);
  // Fields with their captions in two columns, from `row` on; returns the next free row.
  int Pairs(QGridLayout* grid, int row, std::initializer_list<const char*> names, QWidget* parent,
            int column = 0);
  // A label control beside its field (the model shows and hides both).
  void LabelledField(QGridLayout* grid, int row, const char* label, const char* field,
                     QWidget* parent);

  // Escape, the title bar's close button and the about box's OK hide the dialog.
  void reject() override;

 protected:
  bool event(QEvent* e) override;

 private:
  Window& model_;
  Desktop& desktop_;
  WindowBinding binding_;
};

}  // namespace vorex::ui
