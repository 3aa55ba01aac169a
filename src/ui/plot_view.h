#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QMenu>
#include <QPointF>
#include <QRubberBand>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "base/drawing_list.h"
#include "ui/plot_painter.h"

namespace vorex::ui {

// The plot window's drawing area: it paints the plot window's picture at its own size. When the
// user resizes the window, the plot is drawn again from the store once the resizing pauses (a
// drag gives many sizes, and each drawing may have a message to show).
//
// The plot can be explored: the point under the mouse is read out in world units, a rectangle
// dragged with the left button asks for that range, and a double-click or the Home key asks for
// the automatic ranges again. A drag with the middle button, or the left one with Shift held, moves
// the range with the mouse, and the arrow keys move it by a tenth; a right click opens the menu
// the owner makes; a double-click on the legend names that curve. What the requests do is the
// owner's (the callbacks).
class PlotView : public QWidget {
 public:
  PlotView(const DrawingList& picture, QWidget* parent);
  std::function<void()> onResized;
  // The point under the mouse, "E = 0.1234 V   I = 1.234e-05 A"; empty when the mouse is outside
  // the frame or nothing is drawn. Told when the text changes.
  std::function<void(const QString&)> onReadout;
  // A rectangle dragged with the left button, in world units, each pair in ascending order.
  std::function<void(double xMin, double xMax, double yMin, double yMax)> onZoom;
  // A double-click or the Home key: back to the automatic ranges.
  std::function<void()> onAutoRange;
  // The context menu, made afresh each time it opens.
  std::function<std::unique_ptr<QMenu>()> makeMenu;
  // A double-click on a curve's row of the legend: the user would rename that curve.
  std::function<void(int curve)> onRenameCurve;

  QSize sizeHint() const override { return {640, 480}; }
  // The image the clipboard gets and the printer prints: the window as it is shown.
  QImage Image() const;
  // The world point shown at a pixel of the view, by the picture's last fitting of its world;
  // nothing when no curve is drawn.
  std::optional<QPointF> WorldAt(QPointF pixel) const;
  // The readout text for a pixel of the view (see onReadout).
  QString ReadoutAt(QPointF pixel) const;
  // Moves the range as a drag by `pixels` would: the curves follow the mouse (onZoom).
  void Pan(QPointF pixels);
  // The curve whose legend row was painted at a pixel of the view; nothing elsewhere.
  std::optional<int> LegendCurveAt(QPointF pixel) const;
  // Paints the picture now when it was drawn anew since the view last painted it: a long
  // computation that draws (a fit's curve as each iteration ends) shows it when it asks whether
  // to stop, without waiting for the command to end.
  void FollowPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Readout(const QString& text);

  const DrawingList& picture_;
  QTimer redraw_;
  QRubberBand* band_;
  QPoint origin_;
  bool dragging_ = false;
  bool panning_ = false;
  QPointF panFrom_;
  QString readout_;
  std::vector<LegendRow> legendRows_;
  std::size_t painted_ = 0;  // the picture's count of drawings when last painted
};

}  // namespace vorex::ui
