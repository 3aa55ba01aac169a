#include "plot/form_option.h"

#include <string>

namespace vorex {
namespace {

Control& Make(Window& w, ControlKind kind, const char* name, const std::string& caption,
              const char* tip = "", int index = Control::kNoIndex) {
  Control& c = w.Add(kind, name, index);
  c.SetCaption(caption);
  c.SetToolTip(tip);
  return c;
}

Control& Field(Window& w, const char* name, const char* text) {
  Control& c = w.Add(ControlKind::TextBox, name);
  c.SetText(text);
  c.SetVisible(false);
  return c;
}

}  // namespace

FormOption::FormOption() : Window("formOption", "Option") {
  comboY_ = &Add(ControlKind::ComboBox, "ComboY");
  comboY_->SetItems({"current I", "resistance R", "conductance Cond", "surface concentration C"});
  checkGrid_ = &Make(*this, ControlKind::CheckBox, "CheckGrid", "Grid");
  overlap_ = &Make(*this, ControlKind::CheckBox, "overlap", "Overlap", "overlap plot");
  checkXdir_ = &Make(*this, ControlKind::CheckBox, "CheckXdir", "X direction: + -> -",
                     "X axis Direction from positive to negative");
  checkXdir_->SetChecked(true);
  checkLogY_ = &Make(*this, ControlKind::CheckBox, "CheckLogY", "Log |I|",
                     "the magnitude of the ordinate on a logarithmic axis");
  xauto_ = &Make(*this, ControlKind::CheckBox, "Xauto", "X auto", "auto scale of X axis");
  xauto_->SetChecked(true);
  xauto_->onClick = [this] { Xauto_Click(); };
  yauto_ = &Make(*this, ControlKind::CheckBox, "Yauto", "Y auto", "auto scale of Y axis ");
  yauto_->SetChecked(true);
  yauto_->onClick = [this] { Yauto_Click(); };
  label2_ = &Make(*this, ControlKind::Label, "Label2", "X min");
  label3_ = &Make(*this, ControlKind::Label, "Label3", "X max");
  label4_ = &Make(*this, ControlKind::Label, "Label4", "Y min");
  label5_ = &Make(*this, ControlKind::Label, "Label5", "Y max");
  for (Control* c : {label2_, label3_, label4_, label5_}) c->SetVisible(false);
  xminText_ = &Field(*this, "XminText", "-0.3");
  xmaxText_ = &Field(*this, "XmaxText", "0.3");
  yminText_ = &Field(*this, "YminText", "-1e-3");
  ymaxText_ = &Field(*this, "YmaxText", "1e-3");
  Make(*this, ControlKind::Label, "LabelXTitle", "X title");
  xTitle_ = &Make(*this, ControlKind::TextBox, "XTitle", "", "empty: the automatic title");
  Make(*this, ControlKind::Label, "LabelYTitle", "Y title");
  yTitle_ = &Make(*this, ControlKind::TextBox, "YTitle", "", "empty: the automatic title");
  for (int c = 0; c <= 4; ++c) {
    Control& frame =
        Make(*this, ControlKind::Frame, "FrameCurve", "Curve " + std::to_string(c + 1), "", c);
    const std::string group = "linestyle" + std::to_string(c);
    linestyle1_(c) = &Make(*this, ControlKind::OptionButton, "linestyle1", "...........", "", c);
    linestyle2_(c) = &Make(*this, ControlKind::OptionButton, "linestyle2", "oooooo", "", c);
    linestyle3_(c) = &Make(*this, ControlKind::OptionButton, "linestyle3", "______", "", c);
    for (Control* option : {linestyle1_(c), linestyle2_(c), linestyle3_(c)}) {
      option->SetGroup(group);
      option->SetFrame(&frame);
    }
    (c == 0 ? linestyle2_(c) : c == 1 ? linestyle3_(c) : linestyle1_(c))->SetChecked(true);
  }
  ok_ = &Make(*this, ControlKind::Button, "OK", "OK");
}

void FormOption::Xauto_Click() {
  const bool manual = !Xauto().Checked();
  for (Control* c : {label2_, xminText_, label3_, xmaxText_}) c->SetVisible(manual);
}

void FormOption::Yauto_Click() {
  const bool manual = !Yauto().Checked();
  for (Control* c : {label4_, yminText_, label5_, ymaxText_}) c->SetVisible(manual);
}

}  // namespace vorex
