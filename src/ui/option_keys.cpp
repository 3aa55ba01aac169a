#include "ui/option_keys.h"

#include <QKeyEvent>
#include <QList>

namespace vorex::ui {
namespace {

QList<QRadioButton*> Options(QWidget& frame) {
  QList<QRadioButton*> shown;
  for (QRadioButton* o : frame.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    if (o->isVisibleTo(&frame) && o->isEnabled()) shown << o;
  }
  return shown;
}

// +1 for the next option, -1 for the previous, 0 for another key.
int Step(int key) {
  if (key == Qt::Key_Down || key == Qt::Key_Right) return 1;
  if (key == Qt::Key_Up || key == Qt::Key_Left) return -1;
  return 0;
}

class ArrowKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int step = Step(key.key());
    auto* option = static_cast<QRadioButton*>(watched);
    if (step == 0 || key.modifiers() != Qt::NoModifier || option->parentWidget() == nullptr) {
      return false;
    }
    const QList<QRadioButton*> options = Options(*option->parentWidget());
    const qsizetype here = options.indexOf(option);
    if (here < 0 || options.size() < 2) return true;
    QRadioButton* next = options[(here + step + options.size()) % options.size()];
    next->setFocus(Qt::TabFocusReason);
    next->click();
    return true;
  }
};

}  // namespace

void FollowArrowKeys(QRadioButton& option) {
  option.installEventFilter(new ArrowKeys(&option));
}

void UpdateTabStops(QWidget& frame) {
  const QList<QRadioButton*> options = Options(frame);
  bool anyChecked = false;
  for (const QRadioButton* o : options) anyChecked = anyChecked || o->isChecked();
  for (qsizetype i = 0; i < options.size(); ++i) {
    const bool stop = anyChecked ? options[i]->isChecked() : i == 0;
    options[i]->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

}  // namespace vorex::ui
