#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/plot_surface.h"

namespace vorex {

// A drawing kept as the operations that made it, so that it can be drawn again on any surface
// and at any size: the plot window holds its picture this way, and tests read it.
class DrawingList : public PlotSurface {
 public:
  enum class Op {
    Clear,
    SetWorld,
    SetTextCursor,
    PrintText,
    SetDashed,
    Line,
    Rectangle,
    LineTo,
    Point,
    MarkCurve,       // curve number in `curve`, legend name in `text`, frame in a, b, c, d
    SetTextAnchor,   // alongWidth, alongHeight, right, down in a, b, c, d
    ReserveMargins,  // left text in `text`, right text in `right`, lines above and below in a, b
  };
  struct Item {
    Op op;
    double a = 0, b = 0, c = 0, d = 0;
    std::string text;
    int curve = 0;
    std::string right{};
  };

  void Clear() override;
  void SetWorld(double left, double top, double right, double bottom) override;
  void SetTextCursor(double x, double y) override;
  void PrintText(const std::string& text) override;
  void SetDashed(bool dashed) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Rectangle(double x1, double y1, double x2, double y2) override;
  void LineTo(double x, double y) override;
  void Point(double x, double y) override;
  void MarkCurve(int curve, const std::string& name, double xMin, double yMin, double xMax,
                 double yMax) override;
  void SetTextAnchor(const TextAnchor& anchor) override;
  void ReserveMargins(const PlotMargins& margins) override;

  const std::vector<Item>& Items() const { return items_; }
  // How many drawings were begun (each begins with Clear): the desktop program brings the plot
  // window to the front when a command drew.
  std::size_t Drawings() const { return drawings_; }
  // Draws every operation since the last Clear onto the target, after clearing it.
  void Replay(PlotSurface& target) const;

 private:
  std::vector<Item> items_;
  std::size_t drawings_ = 0;
};

}  // namespace vorex
