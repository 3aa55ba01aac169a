#pragma once

#include <string>

#include "base/plot_surface.h"

namespace vorex {

// A plot surface that writes Scalable Vector Graphics, so that the command interface can save
// pictures without a window system.
class SvgSurface : public PlotSurface {
 public:
  SvgSurface(int width, int height);

  void Clear() override;
  void SetWorld(double left, double top, double right, double bottom) override;
  void SetTextCursor(double x, double y) override;
  void PrintText(const std::string& text) override;
  void SetTextAnchor(const TextAnchor& anchor) override;
  void ReserveMargins(const PlotMargins& margins) override;
  void SetDashed(bool dashed) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Rectangle(double x1, double y1, double x2, double y2) override;
  void LineTo(double x, double y) override;
  void Point(double x, double y) override;

  // The whole document.
  std::string Document() const;

 private:
  double DeviceX(double x) const;
  double DeviceY(double y) const;
  std::string Stroke() const;
  void EndPath();

  int width_, height_;
  double left_ = 0, top_ = 1, right_ = 1, bottom_ = 0;
  // Where the world is fitted [device units]: the whole picture less the margins reserved.
  double areaX_ = 0, areaY_ = 0, areaWidth_, areaHeight_;
  PlotMargins margins_;
  bool reserved_ = false;
  TextAnchor anchor_;
  double cursorX_ = 0, cursorY_ = 0;  // device coordinates
  double lastX_ = 0, lastY_ = 0;      // device coordinates of the last point drawn
  bool dashed_ = false;
  std::string body_;
  std::string path_;  // the continuation lines being drawn
};

}  // namespace vorex
