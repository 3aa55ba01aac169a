#pragma once

#include <QColor>
#include <QWidget>

#include "shell/global_fit_set.h"

namespace vorex::ui {

// The plot of the set (set_plot.h): each curve's measured points, and after a fit its fitted
// line, in a colour of its own, with a legend naming the curves in the corner they leave
// freest; the residuals of the fit in a strip below, on the same potentials.
class SetPlotView : public QWidget {
 public:
  SetPlotView(const GlobalFitSet& set, QWidget* parent);
  QSize sizeHint() const override { return {560, 400}; }
  QSize minimumSizeHint() const override { return {360, 260}; }

  // The colour of curve c (from 1) of the set: sixteen that stay apart on white.
  static QColor Colour(int curve);
  // The potential falling from left to right, as the Option dialog's "X direction: + -> -" has
  // the plot window draw it.
  void SetFalling(bool falling) { falling_ = falling; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const GlobalFitSet& set_;
  bool falling_ = true;
};

}  // namespace vorex::ui
