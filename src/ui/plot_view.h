#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

#include "base/drawing_list.h"

namespace vorex::ui {

// The plot window's drawing area: it paints the plot window's picture at its own size. When the
// user resizes the window, the plot is drawn again from the store once the resizing pauses (a
// drag gives many sizes, and each drawing may have a message to show).
class PlotView : public QWidget {
 public:
  PlotView(const DrawingList& picture, QWidget* parent);
  std::function<void()> onResized;
  QSize sizeHint() const override { return {640, 480}; }
  // The image the clipboard gets and the printer prints: the window as it is shown.
  QImage Image() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const DrawingList& picture_;
  QTimer redraw_;
};

}  // namespace vorex::ui
