#include "shell/form_cut.h"

#include <algorithm>
#include <span>

#include "base/number_format.h"
#include "base/number_text.h"
#include "curves/curve_store.h"
#include "shell/typed_numbers.h"

namespace vorex {
namespace {

Control& Option(Window& w, const char* name, const char* caption, Control& frame) {
  Control& c = w.Add(ControlKind::OptionButton, name);
  c.SetCaption(caption);
  c.SetGroup("keep");
  c.SetFrame(&frame);
  return c;
}

Control& Field(Window& w, const char* name, const char* label, const char* text, Control& frame) {
  Control& c = w.Add(ControlKind::TextBox, name);
  c.SetLabel(label);
  c.SetText(text);
  c.SetFrame(&frame);
  return c;
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

FormCut::FormCut(const CurveStore& curves) : Window("FormCut", "Cut"), curves_(curves) {
  labelSweeps_ = &Add(ControlKind::Label, "LabelSweeps");
  Control& frame = Add(ControlKind::Frame, "FrameKeep");
  frame.SetCaption("Keep");
  optCycle_ = &Option(*this, "optCycle", "Cycle", frame);
  txtCycle_ = &Field(*this, "txtCycle", "number", "1", frame);
  optSegments_ = &Option(*this, "optSegments", "Segments", frame);
  txtFirst_ = &Field(*this, "txtFirst", "from", "1", frame);
  txtLast_ = &Field(*this, "txtLast", "to", "", frame);
  txtLast_->SetToolTip("blank for one segment");
  optWindow_ = &Option(*this, "optWindow", "Potential window", frame);
  txtLow_ = &Field(*this, "txtLow", "from E [V]", "", frame);
  txtHigh_ = &Field(*this, "txtHigh", "to E [V]", "", frame);
  for (Control* option : {optCycle_, optSegments_, optWindow_}) {
    option->onClick = [this] { FollowKind(); };
  }
  optCycle_->SetChecked(true);
  FollowKind();
  cmdOK_ = &Add(ControlKind::Button, "CmdOK");
  cmdOK_->SetCaption("OK");
  cmdCancel_ = &Add(ControlKind::Button, "CmdCancel");
  cmdCancel_->SetCaption("Cancel");
  cmdCancel_->onClick = [this] { Hide(); };
}

void FormCut::FollowKind() {
  txtCycle_->SetEnabled(optCycle_->Checked());
  txtFirst_->SetEnabled(optSegments_->Checked());
  txtLast_->SetEnabled(optSegments_->Checked());
  txtLow_->SetEnabled(optWindow_->Checked());
  txtHigh_->SetEnabled(optWindow_->Checked());
}

void FormCut::Activate() {
  const CurveStore& c = curves_;
  if (c.PointCount < 2) {
    labelSweeps_->SetCaption("There is no curve to cut.");
    return;
  }
  const std::span<const double> e(c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount));
  const auto [low, high] = std::minmax_element(e.begin(), e.end());
  labelSweeps_->SetCaption("The curves have " + Counted(CycleRanges(e).size(), "cycle") + " and " +
                           Counted(SweepSegments(e).size(), "segment") + ", " +
                           std::to_string(e.size()) + " points between " + FormatShortest(*low) +
                           " V and " + FormatShortest(*high) + " V.");
  if (txtLow_->Text().empty()) txtLow_->SetText(FormatShortest(*low));
  if (txtHigh_->Text().empty()) txtHigh_->SetText(FormatShortest(*high));
}

std::variant<CutChoice, std::string> FormCut::Choice() const {
  CutChoice choice;
  if (optWindow_->Checked()) {
    const auto low = StrictNumber(txtLow_->Text()), high = StrictNumber(txtHigh_->Text());
    if (!low || !high) return std::string("Type the window's potentials in V, lower first.");
    choice.kind = CutChoice::Kind::Window;
    choice.low = *low;
    choice.high = *high;
    return choice;
  }
  const bool cycle = optCycle_->Checked();
  const auto first = CountingNumber(cycle ? txtCycle_->Text() : txtFirst_->Text());
  if (!first) {
    return std::string(cycle ? "Type the number of the cycle to keep: 1, 2, ..."
                             : "Type the number of the first segment to keep: 1, 2, ...");
  }
  choice.kind = cycle ? CutChoice::Kind::Cycle : CutChoice::Kind::Segments;
  choice.first = choice.last = *first;
  if (!cycle && txtLast_->Text().find_first_not_of(' ') != std::string::npos) {
    const auto last = CountingNumber(txtLast_->Text());
    if (!last)
      return std::string("Type the number of the last segment to keep, or leave it blank.");
    choice.last = *last;
  }
  return choice;
}

}  // namespace vorex
