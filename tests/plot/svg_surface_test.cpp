#include "plot/svg_surface.h"

#include <gtest/gtest.h>

#include "base/drawing_list.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

TEST(SvgSurface, MapsTheWorldOntoTheWindowWithTheVerticalAxisUp) {
  SvgSurface svg(200, 100);
  svg.SetWorld(-1, 1, 1, -1);
  svg.Line(-1, 1, 1, -1);  // top-left to bottom-right
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("<line x1=\"0\" y1=\"0\" x2=\"200\" y2=\"100\"/>"), std::string::npos) << doc;
}

TEST(SvgSurface, TextKeepsItsPlaceWhenTheWorldIsReversed) {
  DrawingList list;
  list.SetWorld(0, 1, 1, 0);
  list.SetTextCursor(0.25, 1);
  list.PrintText("a<b & c");
  list.SetWorld(1, 1, 0, 0);  // mirrored: later drawing lands the other way round
  list.Point(0.25, 0.5);
  SvgSurface svg(100, 100);
  list.Replay(svg);
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("<text x=\"25\" y=\"11\">a&lt;b &amp; c</text>"), std::string::npos) << doc;
  EXPECT_NE(doc.find("<rect x=\"74.5\" y=\"49.5\""), std::string::npos) << doc;
}

TEST(SvgSurface, ContinuationLinesFormOnePathFromTheLastPoint) {
  SvgSurface svg(10, 10);
  svg.SetWorld(0, 10, 10, 0);
  svg.Point(0, 10);
  svg.LineTo(5, 5);
  svg.LineTo(10, 0);
  svg.SetDashed(true);
  svg.Line(0, 5, 10, 5);
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("<path d=\"M0 0 L5 5 L10 10\" fill=\"none\"/>"), std::string::npos) << doc;
  EXPECT_NE(doc.find("stroke-dasharray"), std::string::npos);
}

TEST(SvgSurface, AWorldWithoutExtentIsAFault) {
  SvgSurface svg(10, 10);
  EXPECT_THROW(svg.SetWorld(0, 1, 0, 0), RuntimeFault);
}

}  // namespace
}  // namespace vorex
