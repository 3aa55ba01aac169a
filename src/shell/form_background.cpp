#include "shell/form_background.h"

#include <span>

#include "curves/curve_store.h"
#include "shell/typed_numbers.h"

namespace vorex {

FormBackground::FormBackground(const CurveStore& curves)
    : Window("FormBackground", "Subtract Background"), curves_(curves) {
  labelCurve_ = &Add(ControlKind::Label, "LabelCurve");
  txtRanges_ = &Add(ControlKind::TextBox, "txtRanges");
  txtRanges_->SetLabel("Background ranges [V]");
  txtRanges_->SetToolTip("pairs of potentials, low then high: -0.1 0, 0.6 0.69");
  comboDegree_ = &Add(ControlKind::ComboBox, "ComboDegree");
  comboDegree_->SetLabel("Degree");
  comboDegree_->SetItems({"0", "1", "2"});
  comboDegree_->SetListIndex(1);
  comboDegree_->SetToolTip("0 a constant, 1 a straight line, 2 a parabola in E");
  checkSegment_ = &Add(ControlKind::CheckBox, "CheckSegment");
  checkSegment_->SetCaption("Fit only the points of segment");
  checkSegment_->SetToolTip(
      "the charging current changes sign with the sweep: fit the background of one sweep");
  txtSegment_ = &Add(ControlKind::TextBox, "txtSegment");
  txtSegment_->SetText("1");
  txtSegment_->SetEnabled(false);
  checkSegment_->onClick = [this] { txtSegment_->SetEnabled(checkSegment_->Checked()); };
  cmdOK_ = &Add(ControlKind::Button, "CmdOK");
  cmdOK_->SetCaption("OK");
  cmdCancel_ = &Add(ControlKind::Button, "CmdCancel");
  cmdCancel_->SetCaption("Cancel");
  cmdCancel_->onClick = [this] { Hide(); };
}

void FormBackground::Activate() {
  const CurveStore& c = curves_;
  if (c.PointCount < 2) {
    labelCurve_->SetCaption("There is no curve to correct.");
    return;
  }
  const std::span<const double> e(c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount));
  const std::size_t segments = SweepSegments(e).size();
  labelCurve_->SetCaption("Curve " + std::to_string(c.CurrentCurve) + ": " +
                          std::to_string(c.PointCount) + " points in " + std::to_string(segments) +
                          (segments == 1 ? " segment" : " segments") +
                          "; the polynomial is subtracted from all of them.");
}

std::variant<BackgroundRequest, std::string> FormBackground::Request() const {
  BackgroundRequest request;
  auto ranges = TypedRanges(txtRanges_->Text());
  if (const auto* why = std::get_if<std::string>(&ranges)) return *why;
  request.ranges = std::move(std::get<std::vector<PotentialRange>>(ranges));
  request.degree = comboDegree_->ListIndex();
  if (checkSegment_->Checked()) {
    const auto segment = CountingNumber(txtSegment_->Text());
    if (!segment) return std::string("Type the number of the segment to fit: 1, 2, ...");
    request.segment = *segment;
  }
  return request;
}

}  // namespace vorex
