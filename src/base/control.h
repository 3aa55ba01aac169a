#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vorex {

class Window;

enum class ControlKind {
  Label,
  TextBox,
  CheckBox,
  OptionButton,
  ComboBox,
  Button,
  Frame,
  MenuItem
};

// Which property of a control changed, for the observers that mirror the model in widgets.
enum class ControlProperty { Text, Caption, Visible, Enabled, Locked, Checked, ListIndex };

// One control of a window model: the state a widget shows, without the widget. Setters change
// the state and tell the window's observer; they never run an event operation. The user's own
// actions (typing, clicking, choosing) go through Window, which then runs the event operation.
class Control {
 public:
  static constexpr int kNoIndex = -1;

  Control(Window& owner, ControlKind kind, std::string name, int index);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Window& Owner() const { return owner_; }
  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }  // kNoIndex outside a control array
  std::string FullName() const;         // "D(2)", "Estart"

  // Content of a text box or the selected item of a list.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // Caption of a label, check box, option, button, frame or menu item. Changing it runs the
  // caption-change operation when the control has one (a label's Change event).
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The static text that names the control in its dialog (its label or column header).
  const std::string& Label() const { return label_; }
  void SetLabel(std::string label) { label_ = std::move(label); }
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(std::string tip) { toolTip_ = std::move(tip); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // A locked text box shows its text but takes no typing.
  bool Locked() const { return locked_; }
  void SetLocked(bool locked);
  // Check box ticked, or option selected.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int ListIndex() const { return listIndex_; }  // -1 when nothing is selected
  void SetListIndex(int index);                 // also sets Text to the item

  // Options sharing a group (within one window) exclude each other.
  const std::string& Group() const { return group_; }
  void SetGroup(std::string group) { group_ = std::move(group); }
  // The frame that holds the control: a hidden or disabled frame hides or disables its content.
  Control* Frame() const { return frame_; }
  void SetFrame(Control* frame) { frame_ = frame; }

  // Visible itself and inside visible frames; enabled itself and inside enabled frames.
  bool Shown() const;
  bool Usable() const;

  // Event operations: OnChange for a typed text, a chosen list item or a changed caption;
  // OnClick for a check box, an option, a button or a menu item.
  std::function<void()> onChange;
  std::function<void()> onClick;

 private:
  void Notify(ControlProperty property);

  Window& owner_;
  ControlKind kind_;
  std::string name_;
  int index_;
  std::string text_;
  std::string caption_;
  std::string label_;
  std::string toolTip_;
  bool visible_ = true;
  bool enabled_ = true;
  bool locked_ = false;
  bool checked_ = false;
  std::vector<std::string> items_;
  int listIndex_ = -1;
  std::string group_;
  Control* frame_ = nullptr;
};

}  // namespace vorex
