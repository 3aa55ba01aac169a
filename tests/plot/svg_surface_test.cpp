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

// The margins are measured in the 12-pixel monospace font: 7.2 pixels a character, 14 a line,
// 6 from the edge. Left: 6 + 4 x 7.2 + 0.4 x 14 = 40.4; right: 6 + 3 x 7.2 / 2 = 16.8; top:
// 6 + 14 = 20; bottom: 6 + 2 x 14 = 34. A label right-aligned beside the frame ends 0.4 of a line
// left of it, its middle (7 pixels below its top, 11 to the baseline) level with its cursor.
TEST(SvgSurface, MarginsHoldTheAxesText) {
  DrawingList list;
  list.ReserveMargins({"-1.0", "0.3", 1, 2});
  list.SetWorld(0, 1, 1, 0);
  list.Line(0, 1, 1, 0);
  list.SetTextCursor(0, 0.5);
  list.SetTextAnchor({1, 0.5, -0.4, 0});
  list.PrintText("-1.0");
  list.SetTextCursor(1, 0);
  list.SetTextAnchor({0.5, 0, 0, 0.25});
  list.PrintText("0.3");
  SvgSurface svg(200, 100);
  list.Replay(svg);
  const std::string doc = svg.Document();
  EXPECT_NE(doc.find("<line x1=\"40.4\" y1=\"20\" x2=\"183.2\" y2=\"66\"/>"), std::string::npos)
      << doc;
  EXPECT_NE(doc.find("<text x=\"34.8\" y=\"47\" text-anchor=\"end\">-1.0</text>"),
            std::string::npos)
      << doc;
  // Centred under its point, a quarter line down: 66 + 3.5 + 11.
  EXPECT_NE(doc.find("<text x=\"183.2\" y=\"80.5\" text-anchor=\"middle\">0.3</text>"),
            std::string::npos)
      << doc;
  // A window too small for the margins shows the world whole.
  SvgSurface small(40, 40);
  list.Replay(small);
  EXPECT_NE(small.Document().find("<line x1=\"0\" y1=\"0\" x2=\"40\" y2=\"40\"/>"),
            std::string::npos);
}

TEST(SvgSurface, AWorldWithoutExtentIsAFault) {
  SvgSurface svg(10, 10);
  EXPECT_THROW(svg.SetWorld(0, 1, 0, 0), RuntimeFault);
}

}  // namespace
}  // namespace vorex
