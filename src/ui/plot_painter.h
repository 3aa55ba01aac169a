#pragma once

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QSize>

#include "base/drawing_list.h"
#include "base/plot_surface.h"

namespace vorex::ui {

// The plot surface on a QPainter: the world rectangle is fitted to a device rectangle, the text
// cursor keeps its place on the device when the world is fitted again, and everything is drawn in
// the foreground colour with antialiasing.
class PainterSurface : public PlotSurface {
 public:
  // `area` is where the plot window lies on the painter's device [device pixels]; `scale` is how
  // many device pixels one window pixel is (1 on a screen, more on a printer).
  PainterSurface(QPainter& painter, QRectF area, double scale);

  void Clear() override;
  void SetWorld(double left, double top, double right, double bottom) override;
  void SetTextCursor(double x, double y) override;
  void PrintText(const std::string& text) override;
  void SetDashed(bool dashed) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Rectangle(double x1, double y1, double x2, double y2) override;
  void LineTo(double x, double y) override;
  void Point(double x, double y) override;

 private:
  QPointF Device(double x, double y) const;
  void ApplyPen();

  QPainter& painter_;
  QRectF area_;
  double scale_;
  double left_ = 0, top_ = 1, right_ = 1, bottom_ = 0;
  QPointF cursor_, last_;
  bool dashed_ = false;
};

// Draws the picture into `area` of the painter's device; a fault of the drawing ends it where it
// arose and keeps what was drawn, as the plot window does.
void PaintPicture(const DrawingList& picture, QPainter& painter, QRectF area, double scale = 1);

// The plot window's image at the window's size, on a white ground.
QImage PictureImage(const DrawingList& picture, QSize size);

// Prints the picture on one page, scaled to the page with the window's proportions; false when
// the printer could not be started (no printer, a file that cannot be written).
bool PrintPicture(const DrawingList& picture, QPrinter& printer, QSize windowSize);

// The same page as a PDF document in memory, so that a file is written whole or not at all;
// empty when it could not be made.
QByteArray PdfDocument(const DrawingList& picture, const QPageLayout& page, QSize windowSize);

}  // namespace vorex::ui
