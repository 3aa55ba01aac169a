#include "base/control.h"

#include "base/window.h"

namespace vorex {

Control::Control(Window& owner, ControlKind kind, std::string name, int index)
    : owner_(owner), kind_(kind), name_(std::move(name)), index_(index), group_(name_) {}

std::string Control::FullName() const {
  return index_ == kNoIndex ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Notify(ControlProperty property) {
  owner_.NotifyChanged(*this, property);
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Notify(ControlProperty::Text);
}

void Control::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Notify(ControlProperty::Caption);
  if (kind_ == ControlKind::Label && onChange) onChange();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(ControlProperty::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(ControlProperty::Enabled);
}

void Control::SetLocked(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  Notify(ControlProperty::Locked);
}

void Control::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Notify(ControlProperty::Checked);
}

void Control::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  listIndex_ = -1;
  Notify(ControlProperty::ListIndex);
}

void Control::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) return;
  listIndex_ = index;
  SetText(index < 0 ? std::string() : items_[static_cast<std::size_t>(index)]);
  Notify(ControlProperty::ListIndex);
}

bool Control::Shown() const {
  return visible_ && (frame_ == nullptr || frame_->Shown());
}

bool Control::Usable() const {
  return enabled_ && (frame_ == nullptr || frame_->Usable());
}

}  // namespace vorex
