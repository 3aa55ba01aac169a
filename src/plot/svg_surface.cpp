#include "plot/svg_surface.h"

#include "base/checked_math.h"
#include "base/number_format.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string N(double v) {
  return FormatCoordinate(v);
}

constexpr double kAscent = 11;    // of the 12-pixel font [pixels]
constexpr double kLine = 14;      // its line height [pixels]
constexpr double kAdvance = 7.2;  // of a character of the monospace font [pixels]
constexpr double kPad = 6;        // between the margins' text and the picture's edge [pixels]

// Characters of UTF-8 text (the "×" of a shared power of ten is two bytes).
double Characters(const std::string& text) {
  double count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

}  // namespace

SvgSurface::SvgSurface(int width, int height)
    : width_(width), height_(height), areaWidth_(width), areaHeight_(height) {}

void SvgSurface::Clear() {
  body_.clear();
  path_.clear();
  reserved_ = false;
  anchor_ = {};
}

void SvgSurface::ReserveMargins(const PlotMargins& margins) {
  margins_ = margins;
  reserved_ = true;
}

void SvgSurface::SetTextAnchor(const TextAnchor& anchor) {
  anchor_ = anchor;
}

void SvgSurface::SetWorld(double left, double top, double right, double bottom) {
  if (left == right || top == bottom) throw RuntimeFault(kDivisionByZero);
  EndPath();
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  areaX_ = areaY_ = 0;
  areaWidth_ = width_;
  areaHeight_ = height_;
  if (!reserved_) return;
  const double l = kPad + kAdvance * Characters(margins_.left) + 0.4 * kLine;
  const double r = kPad + kAdvance * Characters(margins_.right) / 2;
  const double t = kPad + kLine * margins_.linesAbove, b = kPad + kLine * margins_.linesBelow;
  // A window too small for the margins shows the frame at least.
  if (l + r >= width_ || t + b >= height_) return;
  areaX_ = l;
  areaY_ = t;
  areaWidth_ = width_ - l - r;
  areaHeight_ = height_ - t - b;
}

double SvgSurface::DeviceX(double x) const {
  return Finite(areaX_ + (x - left_) / (right_ - left_) * areaWidth_);
}

double SvgSurface::DeviceY(double y) const {
  return Finite(areaY_ + (top_ - y) / (top_ - bottom_) * areaHeight_);
}

std::string SvgSurface::Stroke() const {
  return dashed_ ? " stroke-dasharray=\"6 4\"" : "";
}

void SvgSurface::EndPath() {
  if (path_.empty()) return;
  body_ += "<path d=\"" + path_ + "\" fill=\"none\"" + Stroke() + "/>\n";
  path_.clear();
}

void SvgSurface::SetTextCursor(double x, double y) {
  cursorX_ = DeviceX(x);
  cursorY_ = DeviceY(y);
}

void SvgSurface::PrintText(const std::string& text) {
  EndPath();
  // SVG places the baseline, one ascent below the text's top; it aligns the text by its anchor.
  const double x = cursorX_ + anchor_.right * kLine;
  const double top = cursorY_ - anchor_.alongHeight * kLine + anchor_.down * kLine;
  const char* align = anchor_.alongWidth < 0.25   ? ""
                      : anchor_.alongWidth < 0.75 ? " text-anchor=\"middle\""
                                                  : " text-anchor=\"end\"";
  body_ += "<text x=\"" + N(x) + "\" y=\"" + N(top + kAscent) + "\"" + align + ">" + Escaped(text) +
           "</text>\n";
}

void SvgSurface::SetDashed(bool dashed) {
  if (dashed == dashed_) return;
  EndPath();
  dashed_ = dashed;
}

void SvgSurface::Line(double x1, double y1, double x2, double y2) {
  EndPath();
  lastX_ = DeviceX(x2);
  lastY_ = DeviceY(y2);
  body_ += "<line x1=\"" + N(DeviceX(x1)) + "\" y1=\"" + N(DeviceY(y1)) + "\" x2=\"" + N(lastX_) +
           "\" y2=\"" + N(lastY_) + "\"" + Stroke() + "/>\n";
}

void SvgSurface::Rectangle(double x1, double y1, double x2, double y2) {
  EndPath();
  const double ax = DeviceX(x1), ay = DeviceY(y1), bx = DeviceX(x2), by = DeviceY(y2);
  const double x = ax < bx ? ax : bx, y = ay < by ? ay : by;
  body_ += "<rect x=\"" + N(x) + "\" y=\"" + N(y) + "\" width=\"" + N(ax < bx ? bx - ax : ax - bx) +
           "\" height=\"" + N(ay < by ? by - ay : ay - by) + "\" fill=\"none\"" + Stroke() + "/>\n";
  lastX_ = bx;
  lastY_ = by;
}

void SvgSurface::LineTo(double x, double y) {
  if (path_.empty()) {
    path_ = 'M';
    path_ += N(lastX_);
    path_ += ' ';
    path_ += N(lastY_);
  }
  lastX_ = DeviceX(x);
  lastY_ = DeviceY(y);
  path_ += " L" + N(lastX_) + " " + N(lastY_);
}

void SvgSurface::Point(double x, double y) {
  EndPath();
  lastX_ = DeviceX(x);
  lastY_ = DeviceY(y);
  body_ += "<rect x=\"" + N(lastX_ - 0.5) + "\" y=\"" + N(lastY_ - 0.5) +
           "\" width=\"1\" height=\"1\" stroke=\"none\" fill=\"black\"/>\n";
}

std::string SvgSurface::Document() const {
  SvgSurface copy = *this;
  copy.EndPath();
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width_) +
         "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " + std::to_string(width_) +
         " " + std::to_string(height_) +
         "\" font-family=\"monospace\" font-size=\"12\" stroke=\"black\" stroke-width=\"1\">\n" +
         "<rect width=\"100%\" height=\"100%\" fill=\"white\" stroke=\"none\"/>\n" + copy.body_ +
         "</svg>\n";
}

}  // namespace vorex
