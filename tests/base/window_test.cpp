#include "base/window.h"

#include <gtest/gtest.h>

#include "base/desktop.h"

namespace vorex {
namespace {

class CountingWindow : public Window {
 public:
  using Window::Window;
  void Activate() override { ++activations; }
  int activations = 0;
};

TEST(Window, OptionsOfOneGroupExcludeEachOther) {
  Window w("W", "");
  Control& a = w.Add(ControlKind::OptionButton, "opt", 1);
  Control& b = w.Add(ControlKind::OptionButton, "opt", 2);
  Control& other = w.Add(ControlKind::OptionButton, "style", 1);
  a.SetChecked(true);
  other.SetChecked(true);
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  w.Click(b);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(other.Checked());
  EXPECT_EQ(clicks, 1);
}

TEST(Window, TypingRunsTheChangeOperationAndObserversSeeIt) {
  Window w("W", "");
  Control& field = w.Add(ControlKind::TextBox, "Field");
  std::string seenInHandler;
  field.onChange = [&] { seenInHandler = field.Text(); };
  int notices = 0;
  w.observer = [&](const Window&, const Control* c, ControlProperty p) {
    if (c == &field && p == ControlProperty::Text) ++notices;
  };
  w.Type(field, "0.3V");
  EXPECT_EQ(seenInHandler, "0.3V");
  EXPECT_EQ(notices, 1);
}

TEST(Window, AHiddenFrameHidesWhatItHolds) {
  Window w("W", "");
  Control& frame = w.Add(ControlKind::Frame, "Frame");
  Control& field = w.Add(ControlKind::TextBox, "Field");
  field.SetFrame(&frame);
  frame.SetVisible(false);
  EXPECT_TRUE(field.Visible());
  EXPECT_FALSE(field.Shown());
  frame.SetEnabled(false);
  EXPECT_FALSE(field.Usable());
}

TEST(Desktop, ActivationRunsEachTimeAWindowIsTurnedTo) {
  Desktop desktop;
  CountingWindow main("Main", ""), dialog("Dialog", "");
  desktop.Register(main);
  desktop.Register(dialog);
  desktop.Show(dialog);
  desktop.Focus(dialog);  // already active
  EXPECT_EQ(dialog.activations, 1);
  desktop.Focus(main);
  desktop.Focus(dialog);
  EXPECT_EQ(dialog.activations, 2);
  dialog.Hide();
  EXPECT_EQ(desktop.Active(), nullptr);
  dialog.Show();
  EXPECT_EQ(dialog.activations, 3);
  EXPECT_EQ(desktop.Find("dialog"), &dialog);
}

}  // namespace
}  // namespace vorex
