#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

// The plot option dialog: the displayed quantity, grid, overlap, axis direction, automatic or
// manual ranges, a logarithmic current axis, the axis titles and the line style of each curve.
class FormOption : public Window {
 public:
  FormOption();

  Control& ComboY() { return *comboY_; }
  Control& CheckGrid() { return *checkGrid_; }
  Control& overlap() { return *overlap_; }
  Control& CheckXdir() { return *checkXdir_; }
  // The ordinate's magnitude on a logarithmic axis.
  Control& CheckLogY() { return *checkLogY_; }
  // Titles printed instead of the automatic ones ("E /V", the quantity's own) unless empty.
  Control& XTitle() { return *xTitle_; }
  Control& YTitle() { return *yTitle_; }
  Control& Xauto() { return *xauto_; }
  Control& Yauto() { return *yauto_; }
  Control& XminText() { return *xminText_; }
  Control& XmaxText() { return *xmaxText_; }
  Control& YminText() { return *yminText_; }
  Control& YmaxText() { return *ymaxText_; }
  // Line style options of curve c + 1, c = 0..4: dots, square markers, solid line.
  Control& linestyle1(int c) { return *linestyle1_(c); }
  Control& linestyle2(int c) { return *linestyle2_(c); }
  Control& linestyle3(int c) { return *linestyle3_(c); }
  Control& OK() { return *ok_; }

  // Show the manual range of an axis while its automatic box is unticked.
  void Xauto_Click();
  void Yauto_Click();

 private:
  Control *comboY_, *checkGrid_, *overlap_, *checkXdir_, *checkLogY_, *xauto_, *yauto_;
  Control *label2_, *label3_, *label4_, *label5_;
  Control *xminText_, *xmaxText_, *yminText_, *ymaxText_;
  Control *xTitle_, *yTitle_;
  FixedArray<Control*, 4> linestyle1_{}, linestyle2_{}, linestyle3_{};
  Control* ok_;
};

}  // namespace vorex
