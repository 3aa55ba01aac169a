#include "analysis/curve_cut.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "curves/curve_store.h"
#include "support/staircase.h"

namespace vorex {
namespace {

using testing::Staircase;

// Tags that say where a value came from: point i of curve k, of reaction column j, of species s.
double Tag(int i, int column) {
  return 1000.0 * column + i;
}

// The record in a store, every curve and every column of the last simulation tagged with its
// point, so that a value after the cut tells which point it was.
std::unique_ptr<CurveStore> Store(const std::vector<double>& e) {
  auto c = std::make_unique<CurveStore>();
  const int n = static_cast<int>(e.size());
  c->PointCount = n;
  c->FirstPoint = 1;
  c->LastPoint = n;
  c->CurveCount = 2;
  for (int i = 1; i <= n; ++i) {
    c->Abscissa(i) = e[static_cast<std::size_t>(i - 1)];
    for (int k = 1; k <= kMaxCurves; ++k) c->Ordinate(i, k) = Tag(i, k);
    for (int j = 1; j <= 7; ++j) c->SimulatedCurrent(i, j) = -Tag(i, j);
    for (int s = 1; s <= 6; ++s) c->SurfaceConcentration(i, s) = Tag(i, 10 + s);
  }
  return c;
}

// Store points from..to (numbered from 1) are now points 1..count, every column with them, and
// nothing is left after them.
void ExpectKept(const CurveStore& c, const std::vector<double>& e, int from, int to) {
  const int count = to - from + 1;
  ASSERT_EQ(c.PointCount, count);
  EXPECT_EQ(c.FirstPoint, 1);
  EXPECT_EQ(c.LastPoint, count);
  for (int i = 1; i <= count; ++i) {
    const int was = from + i - 1;
    ASSERT_EQ(c.Abscissa(i), e[static_cast<std::size_t>(was - 1)]) << i;
    for (int k = 1; k <= kMaxCurves; ++k) ASSERT_EQ(c.Ordinate(i, k), Tag(was, k)) << i;
    for (int j = 1; j <= 7; ++j) ASSERT_EQ(c.SimulatedCurrent(i, j), -Tag(was, j)) << i;
    for (int s = 1; s <= 6; ++s) ASSERT_EQ(c.SurfaceConcentration(i, s), Tag(was, 10 + s)) << i;
  }
  EXPECT_EQ(c.Abscissa(count + 1), 0);
  EXPECT_EQ(c.Ordinate(count + 1, 1), 0);
  EXPECT_EQ(c.SimulatedCurrent(count + 1, 1), 0);
}

std::string Cut(CurveStore& c, CutChoice choice) {
  auto outcome = CutStore(c, choice);
  if (const auto* why = std::get_if<std::string>(&outcome)) return "refused: " + *why;
  return std::get<CutDone>(outcome).line;
}

// 0.3 -> 0.6 (150 steps) -> 0.0 (300) -> 0.6 (300) -> 0.0 (300) -> 0.3 (150), 2 mV a step: the
// vertices are points 150, 450, 750 and 1050 from 0, the cycles 0..600 and 600..1200.
std::vector<double> TwoCycles() {
  return Staircase({0.3, 0.6, 0.0, 0.6, 0.0, 0.3}, 0);
}

TEST(CurveCut, TheSecondCycleOfTwoKeepsExactlyItsPoints) {
  const auto e = TwoCycles();
  auto c = Store(e);
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Cycle, 2, 2}),
            "Kept cycle 2 of 2: 601 points from 0.3 V to 0.6 V, to 0 V and back to 0.3 V in "
            "steps of 0.002 V");
  ExpectKept(*c, e, 601, 1201);
  // Its first vertex, 0.6 V, is 150 steps after its start: point 151 counted from 1.
  EXPECT_EQ(c->PointsPerSweep, 151);
  EXPECT_EQ(c->CurveCount, 2);
}

TEST(CurveCut, SegmentsAndWindows) {
  const auto e = TwoCycles();
  auto c = Store(e);
  // Segments 2 and 3 run from the vertex at 150 over the one at 450 to the one at 750.
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Segments, 2, 3}),
            "Kept segments 2 to 3 of 5: 601 points from 0.6 V to 0 V and back to 0.6 V in "
            "steps of 0.002 V");
  ExpectKept(*c, e, 151, 751);
  EXPECT_EQ(c->PointsPerSweep, 301);
  // Of those, segment 1 (0.6 V down to 0 V) never turns: its switching point is its end.
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Segments, 1, 1}),
            "Kept segment 1 of 2: 301 points from 0.6 V to 0 V in steps of 0.002 V");
  ExpectKept(*c, e, 151, 451);
  EXPECT_EQ(c->PointsPerSweep, 301);
  // 0.6 - 0.002 k lies in [0.099, 0.201] for k = 200..250, the record's points 351..401 from 1.
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Window, 0, 0, 0.099, 0.201}).substr(0, 49),
            "Kept the window from 0.099 V to 0.201 V: 51 point");
  ExpectKept(*c, e, 351, 401);
}

TEST(CurveCut, ARefusedCutLeavesTheStoreAsItWas) {
  const auto cycle = Staircase({0.0, 0.4, 0.0}, 0);
  auto c = Store(cycle);
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Window, 0, 0, 0.1, 0.2}),
            "refused: The window from 0.1 V to 0.2 V cuts the curve into separate pieces: keep "
            "one segment first, then cut its window.");
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Cycle, 2, 2}),
            "refused: The curve has 1 cycle; there is no cycle 2.");
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Segments, 2, 1}),
            "refused: Segment 2 comes after segment 1: give the first segment first.");
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Segments, 1, 3}),
            "refused: The curve has 2 segments; there is no segment 3.");
  // Only 0.4 V itself lies above 0.399 V.
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Window, 0, 0, 0.399, 0.5}),
            "refused: Cutting to the window from 0.399 V to 0.5 V would keep 1 point; a curve "
            "needs at least 2.");
  EXPECT_EQ(Cut(*c, {CutChoice::Kind::Window, 0, 0, 0.5, 0.6}),
            "refused: No point lies between 0.5 V and 0.6 V.");
  ExpectKept(*c, cycle, 1, 401);

  const auto empty = std::make_unique<CurveStore>();
  EXPECT_EQ(Cut(*empty, {}), "refused: There is no curve; simulate or import one first.");
}

TEST(CurveCut, DescribesEachVertexOfWhatIsKept) {
  // A monotonic run as DescribeAbscissa names it; a cycle through each of its vertices.
  EXPECT_EQ(DescribeSweeps(Staircase({0.0, 0.1}, 0)),
            "51 points from 0 V to 0.1 V in steps of 0.002 V");
  // A programme holds its vertex twice: the step is the one between different potentials.
  std::vector<double> fromVertex = Staircase({0.0, 0.1}, 0);
  fromVertex.insert(fromVertex.begin(), 0.0);
  EXPECT_EQ(DescribeSweeps(fromVertex), "52 points from 0 V to 0.1 V in steps of 0.002 V");
  EXPECT_EQ(DescribeSweeps(Staircase({0.69, -0.1, 0.69}, 0)),
            "791 points from 0.69 V to -0.1 V and back to 0.69 V in steps of 0.002 V");
}

}  // namespace
}  // namespace vorex
