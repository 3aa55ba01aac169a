#pragma once

#include <string>
#include <variant>

#include "analysis/background_fit.h"
#include "base/window.h"

namespace vorex {

struct CurveStore;

// The Subtract Background dialog of the Y Data menu: the potential ranges that hold only
// background, the polynomial's degree, and optionally the one segment whose points to fit,
// below a line naming the current curve.
class FormBackground : public Window {
 public:
  explicit FormBackground(const CurveStore& curves);

  // The line naming the current curve and its segments, for the curves as they are now.
  void Activate() override;

  Control& LabelCurve() { return *labelCurve_; }
  Control& txtRanges() { return *txtRanges_; }
  Control& ComboDegree() { return *comboDegree_; }
  Control& CheckSegment() { return *checkSegment_; }
  Control& txtSegment() { return *txtSegment_; }
  Control& CmdOK() { return *cmdOK_; }
  Control& CmdCancel() { return *cmdCancel_; }

  // The request the fields give, or what to type instead.
  std::variant<BackgroundRequest, std::string> Request() const;

 private:
  const CurveStore& curves_;
  Control *labelCurve_, *txtRanges_, *comboDegree_, *checkSegment_, *txtSegment_;
  Control *cmdOK_, *cmdCancel_;
};

}  // namespace vorex
