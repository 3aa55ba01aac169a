#pragma once

#include <QWidget>

#include "base/drawing_list.h"

namespace vorex::ui {

// The plot window's drawing area: it paints the plot window's picture at its own size, so a
// resize draws the plot again to fit.
class PlotView : public QWidget {
 public:
  PlotView(const DrawingList& picture, QWidget* parent);
  QSize sizeHint() const override { return {640, 480}; }
  // The image the clipboard gets and the printer prints: the window as it is shown.
  QImage Image() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const DrawingList& picture_;
};

}  // namespace vorex::ui
