#include "ui/window_binding.h"

#include <exception>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/option_keys.h"

namespace vorex::ui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void ShowCheck(QWidget* widget, bool checked) {
  auto* button = static_cast<QAbstractButton*>(widget);
  const QSignalBlocker quiet(button);
  button->setChecked(checked);
}

}  // namespace

void Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    QMessageBox::critical(QApplication::activeWindow(), "Vorex",
                          QString("The command stopped: ") + e.what());
  } catch (...) {
    QMessageBox::critical(QApplication::activeWindow(), "Vorex", "The command stopped.");
  }
}

QString HeaderText(const std::string& label) {
  if (label == "kf") return "k<sub>f</sub>";
  if (label == "kb") return "k<sub>b</sub>";
  return Q(label).toHtmlEscaped();
}

WindowBinding::WindowBinding(Window& model, QWidget& view, std::function<void()> afterAction)
    : model_(model), view_(view), afterAction_(std::move(afterAction)) {
  view_.setWindowTitle(Q(model.Caption()));
  model_.observer = [this](const Window&, const Control* control, ControlProperty property) {
    if (control == nullptr) {
      SyncVisibility();
    } else {
      Sync(*control, property);
    }
  };
}

void WindowBinding::Run(const std::function<void()>& action) const {
  Guarded(action);
  if (afterAction_) Guarded(afterAction_);
}

QWidget* WindowBinding::Widget(Control& control, QWidget* parent) {
  const auto found = widgets_.find(&control);
  if (found != widgets_.end()) return found->second;
  QWidget* widget = Make(control, parent);
  widget->setObjectName(Q(control.FullName()));
  widget->setToolTip(Q(control.ToolTip()));
  widgets_[&control] = widget;
  Connect(control, widget);
  return widget;
}

QWidget* WindowBinding::Widget(const std::string& name, int index, QWidget* parent) {
  Control* control = model_.Find(name, index);
  Q_ASSERT(control != nullptr);
  return Widget(*control, parent);
}

QWidget* WindowBinding::Make(Control& control, QWidget* parent) {
  switch (control.Kind()) {
    case ControlKind::Label: {
      auto* label = new QLabel(Q(control.Caption()), parent);
      label->setTextFormat(Qt::PlainText);
      label->setMinimumWidth(16);
      return label;
    }
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(parent);
      edit->setFixedWidth(84);  // a number's width, so the tables keep their columns
      return edit;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(Q(control.Caption()), parent);
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(Q(control.Caption()), parent);
      option->setAutoExclusive(false);  // the model keeps its options exclusive
      FollowArrowKeys(*option);
      return option;
    }
    case ControlKind::ComboBox: {
      auto* list = new QComboBox(parent);
      list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
      for (const std::string& item : control.Items()) list->addItem(Q(item));
      return list;
    }
    case ControlKind::Button:
      return new QPushButton(Q(control.Caption()), parent);
    case ControlKind::Frame:
      return new QGroupBox(Q(control.Caption()), parent);
    case ControlKind::MenuItem:
      break;
  }
  return new QWidget(parent);
}

void WindowBinding::Connect(Control& control, QWidget* widget) {
  Control* c = &control;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, c](const QString& text) {
      Run([&] { model_.Type(*c, text.toStdString()); });
    });
  } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
    QObject::connect(list, &QComboBox::activated, list, [this, c](int item) {
      Run([&] { model_.Choose(*c, item); });
      Sync(*c, ControlProperty::ListIndex);
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    QObject::connect(check, &QCheckBox::clicked, check, [this, c](bool checked) {
      Run([&] { model_.SetCheck(*c, checked); });
      Sync(*c, ControlProperty::Checked);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    // Options and buttons: a click selects the option or presses the button; an option shows
    // the model's state afterwards, since a second click does not unselect it.
    QObject::connect(button, &QAbstractButton::clicked, button, [this, c] {
      Run([&] { model_.Click(*c); });
      if (c->Kind() == ControlKind::OptionButton) Sync(*c, ControlProperty::Checked);
    });
  }
}

void WindowBinding::Sync(const Control& control, ControlProperty property) {
  const auto found = widgets_.find(&control);
  if (found == widgets_.end()) return;
  QWidget* widget = found->second;
  switch (property) {
    case ControlProperty::Text:
    case ControlProperty::ListIndex:
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text().toStdString() != control.Text()) edit->setText(Q(control.Text()));
      } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(control.ListIndex());
      }
      break;
    case ControlProperty::Caption:
      if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(Q(control.Caption()));
      if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(Q(control.Caption()));
      if (auto* box = qobject_cast<QGroupBox*>(widget)) box->setTitle(Q(control.Caption()));
      break;
    case ControlProperty::Visible:
      widget->setVisible(control.Visible());
      SyncLabels(control);
      break;
    case ControlProperty::Enabled:
      widget->setEnabled(control.Enabled());
      break;
    case ControlProperty::Locked:
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setReadOnly(control.Locked());
      break;
    case ControlProperty::Checked:
      if (qobject_cast<QAbstractButton*>(widget) != nullptr) ShowCheck(widget, control.Checked());
      break;
  }
  if (control.Kind() == ControlKind::OptionButton && widget->parentWidget() != nullptr) {
    UpdateTabStops(*widget->parentWidget());
  }
  if (property == ControlProperty::Text || property == ControlProperty::Caption ||
      property == ControlProperty::Visible) {
    for (const auto& [followed, follow] : follows_) {
      if (followed == &control) follow();
    }
  }
}

void WindowBinding::Follow(const Control& control, std::function<void()> follow) {
  follows_.emplace_back(&control, std::move(follow));
}

QLabel* WindowBinding::Label(const QString& text, std::vector<const Control*> owners,
                             QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::RichText);
  labels_.push_back({label, std::move(owners)});
  return label;
}

QLabel* WindowBinding::LabelOf(Control& control, QWidget* parent) {
  QLabel* label = Label(HeaderText(control.Label()), {&control}, parent);
  label->setToolTip(Q(control.ToolTip()));
  return label;
}

void WindowBinding::SyncLabels(const Control& control) {
  for (const Follower& f : labels_) {
    bool mine = false, shown = false;
    for (const Control* owner : f.owners) {
      mine = mine || owner == &control;
      shown = shown || owner->Visible();
    }
    if (mine) f.label->setVisible(shown);
  }
}

void WindowBinding::SyncAll() {
  for (const auto& [control, widget] : widgets_) {
    for (ControlProperty p :
         {ControlProperty::Text, ControlProperty::Caption, ControlProperty::Enabled,
          ControlProperty::Locked, ControlProperty::Checked, ControlProperty::Visible}) {
      Sync(*control, p);
    }
  }
  for (const auto& follow : follows_) follow.second();
  SyncVisibility();
}

void WindowBinding::SyncVisibility() {
  if (model_.Visible() == view_.isVisible()) return;
  if (model_.Visible()) {
    view_.show();
    view_.raise();
    // A window inside the main window would activate the main window, taking the keys from the
    // dialog the user works in (F5 there shows the plot for the first time).
    if (view_.isWindow()) view_.activateWindow();
  } else {
    view_.hide();
  }
}

}  // namespace vorex::ui
