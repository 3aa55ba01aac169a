#include "base/drawing_list.h"

namespace vorex {

// A cleared window holds nothing earlier: the list starts again, keeping its storage.
void DrawingList::Clear() {
  ++drawings_;
  items_.clear();
}

void DrawingList::SetWorld(double left, double top, double right, double bottom) {
  items_.push_back({Op::SetWorld, left, top, right, bottom, {}});
}

void DrawingList::SetTextCursor(double x, double y) {
  items_.push_back({Op::SetTextCursor, x, y, 0, 0, {}});
}

void DrawingList::PrintText(const std::string& text) {
  items_.push_back({Op::PrintText, 0, 0, 0, 0, text});
}

void DrawingList::SetDashed(bool dashed) {
  items_.push_back({Op::SetDashed, dashed ? 1.0 : 0.0, 0, 0, 0, {}});
}

void DrawingList::Line(double x1, double y1, double x2, double y2) {
  items_.push_back({Op::Line, x1, y1, x2, y2, {}});
}

void DrawingList::Rectangle(double x1, double y1, double x2, double y2) {
  items_.push_back({Op::Rectangle, x1, y1, x2, y2, {}});
}

void DrawingList::LineTo(double x, double y) {
  items_.push_back({Op::LineTo, x, y, 0, 0, {}});
}

void DrawingList::Point(double x, double y) {
  items_.push_back({Op::Point, x, y, 0, 0, {}});
}

void DrawingList::MarkCurve(int curve, const std::string& name, double xMin, double yMin,
                            double xMax, double yMax) {
  items_.push_back({Op::MarkCurve, xMin, yMin, xMax, yMax, name, curve});
}

void DrawingList::SetTextAnchor(const TextAnchor& t) {
  items_.push_back({Op::SetTextAnchor, t.alongWidth, t.alongHeight, t.right, t.down, {}});
}

void DrawingList::ReserveMargins(const PlotMargins& m) {
  items_.push_back({Op::ReserveMargins, m.linesAbove, m.linesBelow, 0, 0, m.left, 0, m.right});
}

void DrawingList::Replay(PlotSurface& target) const {
  target.Clear();
  for (const Item& item : items_) {
    switch (item.op) {
      case Op::Clear:
        target.Clear();
        break;
      case Op::SetWorld:
        target.SetWorld(item.a, item.b, item.c, item.d);
        break;
      case Op::SetTextCursor:
        target.SetTextCursor(item.a, item.b);
        break;
      case Op::PrintText:
        target.PrintText(item.text);
        break;
      case Op::SetDashed:
        target.SetDashed(item.a != 0);
        break;
      case Op::Line:
        target.Line(item.a, item.b, item.c, item.d);
        break;
      case Op::Rectangle:
        target.Rectangle(item.a, item.b, item.c, item.d);
        break;
      case Op::LineTo:
        target.LineTo(item.a, item.b);
        break;
      case Op::Point:
        target.Point(item.a, item.b);
        break;
      case Op::MarkCurve:
        target.MarkCurve(item.curve, item.text, item.a, item.b, item.c, item.d);
        break;
      case Op::SetTextAnchor:
        target.SetTextAnchor({item.a, item.b, item.c, item.d});
        break;
      case Op::ReserveMargins:
        target.ReserveMargins({item.text, item.right, item.a, item.b});
        break;
    }
  }
}

}  // namespace vorex
