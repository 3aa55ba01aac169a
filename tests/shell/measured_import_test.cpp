// Import Data of measured cycles, from the fixtures tests/readers/make_measured_cycles.py writes
// from the closed form of a reversible couple's voltammogram: every row read, the vertices and
// ends kept exactly, thinned to the store, the fields as the file says them, and Find Peak on a
// measured cycle. Expected numbers come from how each file was built (its corners, steps and
// point counts, named beside them), from the file's own columns read here, and from theory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "base/number_format.h"
#include "readers/reader_fixtures.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using testing::FixtureColumn;

std::string Data(const char* name) {
  return std::string(VOREX_READER_DATA) + "/" + name;
}

struct MeasuredImport : testing::StartedProgram {
  bool Printed(const std::string& line) {
    const std::vector<std::string> lines = program->formResult.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // The number a result line "label = number" ends in.
  double Reported(const std::string& label) {
    for (const std::string& line : program->formResult.Lines()) {
      if (line.rfind(label, 0) == 0) return std::stod(line.substr(label.size()));
    }
    ADD_FAILURE() << "no line " << label;
    return NAN;
  }
  int Vertex(int k) { return Curves().Vertex(k); }
};

// biologic-three-segment-cycle.mpt: EC-Lab's Ei 0.93 V -> E1 -0.01 V -> E2 1.69 V -> Ef 0.97 V in
// 2 mV records, Ewe wandering by up to 0.05 mV: 470 + 850 + 360 steps. Its title row is line 23.
constexpr const char* kThreeSegments = "biologic-three-segment-cycle.mpt";

TEST_F(MeasuredImport, AThreeSegmentCycleKeepsItsVerticesAndEndsExactly) {
  ASSERT_TRUE(Import(Data(kThreeSegments)));
  const std::vector<double> ewe = FixtureColumn(Data(kThreeSegments), '\t', 23, 7);
  const double low = *std::min_element(ewe.begin(), ewe.end());
  const double high = *std::max_element(ewe.begin(), ewe.end());
  const CurveStore& c = Curves();
  ASSERT_EQ(c.PointCount, 1681);
  ASSERT_EQ(c.VertexCount, 2);
  EXPECT_EQ(Vertex(1), 471);
  EXPECT_EQ(Vertex(2), 1321);
  EXPECT_EQ(c.PointsPerSweep, 471);
  EXPECT_EQ(c.Abscissa(1), ewe.front());
  EXPECT_EQ(c.Abscissa(471), low);
  EXPECT_EQ(c.Abscissa(1321), high);
  EXPECT_EQ(c.Abscissa(1681), ewe.back());
  // Within a sweep the steps are its span over its steps.
  const int ends[] = {1, 471, 1321, 1681};
  for (int s = 0; s < 3; ++s) {
    const double step = (c.Abscissa(ends[s + 1]) - c.Abscissa(ends[s])) / (ends[s + 1] - ends[s]);
    for (int i = ends[s] + 1; i <= ends[s + 1]; ++i) {
      ASSERT_NEAR(c.Abscissa(i) - c.Abscissa(i - 1), step, 1e-15) << i;
    }
  }
  // E start the file's first potential, E end its first vertex, E step the 2 mV it was recorded
  // at, which the wander of Ewe leaves its median step no closer to than about a microvolt.
  EXPECT_EQ(Expr().Estart().Text(), FormatShortest(ewe.front()));
  EXPECT_EQ(Expr().Eend().Text(), FormatShortest(low));
  EXPECT_EQ(Expr().Estep().Text(), "0.002");
}

// Find Peak on that cycle: O + e = R, E0 = 0.45 V, reversible, 1 mM, D = 1e-5 cm2/s, 0.0707 cm2,
// 50 mV/s, 25 degC, switching 460 mV past E1/2. Theory (Nicholson and Shain 1964; Nicholson 1965):
// Ep,c = E1/2 - 28.5 mV, Ip,c = 0.4463 F A C sqrt(F v D / R T), Ep,a - Ep,c = 57.0 to 57.8 mV at
// this switching potential, and I pa / I pc by Nicholson's switching-current formula 1 (to its 2
// %). The 2 mV grid puts each peak within 1 mV of its potential.
TEST_F(MeasuredImport, FindPeakOnAMeasuredCycleGivesBothPeaksTheirRatioAndSeparation) {
  ASSERT_TRUE(Import(Data(kThreeSegments)));
  program->formResult.Clear();
  Invoke("mnuFindPeak");
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(program->peaks.PeakCount, 2);
  const double f = 96485.33212 / (8.314462618 * 298.15);
  const double ip = 0.4463 * 96485.33212 * 0.0707 * 1e-6 * std::sqrt(f * 0.05 * 1e-5);
  EXPECT_NEAR(program->peaks.PeakPotential(1, 1), 0.45 - 0.0285, 0.0015);
  EXPECT_NEAR(program->peaks.PeakCurrent(1, 1), ip, 0.01 * ip);  // reduction positive
  EXPECT_LT(program->peaks.PeakCurrent(2, 1), 0);
  const double separation = Reported("Ep2 - Ep1 = ");
  EXPECT_GE(separation, 0.0570 - 0.002);
  EXPECT_LE(separation, 0.0578 + 0.002);
  EXPECT_NEAR(Reported("I pc/I pa = "), 1.0, 0.04);
}

// nova-procedure-columns.txt: procedure settings as columns filled on the first row only, ahead
// of the signals; two scans 0 V -> 0.6 V -> -0.2 V -> 0 V on 2.44140625 mV steps. Scan 1 is its
// first 656 rows: 246 steps up, 328 down and 81 back up.
TEST_F(MeasuredImport, ANovaExportWithProcedureColumnsReadsEveryRowAndItsStatedStep) {
  ASSERT_TRUE(Import(Data("nova-procedure-columns.txt")));  // the first of the two scans
  const std::vector<double> we = FixtureColumn(Data("nova-procedure-columns.txt"), ';', 1, 10);
  const CurveStore& c = Curves();
  ASSERT_EQ(c.PointCount, 246 + 328 + 81 + 1);
  ASSERT_EQ(c.VertexCount, 2);
  const double high = *std::max_element(we.begin(), we.begin() + 656);
  EXPECT_EQ(c.Abscissa(Vertex(1)), high);
  EXPECT_EQ(c.Abscissa(c.PointCount), we[655]);
  // The step NOVA states, 0.00244 V, which the data's 2.44140625 mV bear out.
  EXPECT_EQ(Expr().Estep().Text(), "0.00244");
  EXPECT_TRUE(Printed("E step =  .00244 "));
  EXPECT_EQ(Expr().Estart().Text(), FormatShortest(we.front()));
  EXPECT_EQ(Expr().Eend().Text(), FormatShortest(high));
  EXPECT_TRUE(Printed("Settings in the file: v = 0.1 V/s"));
}

// text-table-mv-ua.txt: "Index<TAB>E / mV<TAB>I / µA", 0.25 V -> 0.70 V -> -0.05 V -> 0.25 V in
// 2 mV steps (225 + 375 + 150), written to 0.01 mV and wandering by up to 0.02 mV.
TEST_F(MeasuredImport, ATitledTableInMillivoltsImportsInVolts) {
  ASSERT_TRUE(Import(Data("text-table-mv-ua.txt")));
  const std::vector<double> mv = FixtureColumn(Data("text-table-mv-ua.txt"), '\t', 1, 1);
  const double high = *std::max_element(mv.begin(), mv.end()) * 1e-3;
  const double low = *std::min_element(mv.begin(), mv.end()) * 1e-3;
  const CurveStore& c = Curves();
  ASSERT_EQ(c.PointCount, 751);
  ASSERT_EQ(c.VertexCount, 2);
  EXPECT_EQ(c.Abscissa(1), 0.25);
  EXPECT_EQ(c.Abscissa(Vertex(1)), high);
  EXPECT_EQ(c.Abscissa(Vertex(2)), low);
  EXPECT_EQ(c.Abscissa(751), mv.back() * 1e-3);
  EXPECT_EQ(Expr().Estart().Text(), "0.25");
  EXPECT_EQ(Expr().Eend().Text(), FormatShortest(high));
  EXPECT_TRUE(Printed("Text table"));
}

TEST_F(MeasuredImport, UntitledColumnsBeyondAPairAreRefusedAndChangeNothing) {
  ASSERT_TRUE(Import(Data("text-table-mv-ua.txt")));
  host.fileAnswers.push_back(Data("text-untitled-3-columns.txt"));
  Invoke("mnuImport");
  EXPECT_EQ(host.messages,
            std::vector<std::string>{
                "ReadData Error: Text table, line 1: 3 columns and no titles: name the potential "
                "and current columns in a title row (such as \"E / V\" and \"I / A\")"});
  EXPECT_EQ(Curves().PointCount, 751);
  EXPECT_EQ(Expr().Estart().Text(), "0.25");
}

// text-table-long-record.csv: 0.2 V, then three cycles between 0.6 V and -0.2 V, back to 0.2 V, in
// 1 mV steps: 400 + 5 x 800 + 400 = 4800 steps, 4801 points; every 2nd point is 2401 of them.
TEST_F(MeasuredImport, ARecordLongerThanTheStoreIsThinnedKeepingItsVertices) {
  ASSERT_TRUE(Import(Data("text-table-long-record.csv")));
  EXPECT_TRUE(Printed(
      "4801 points thinned to 2401 (every 2nd point, vertices kept): the store holds at most "
      "4000."));
  const std::vector<double> e = FixtureColumn(Data("text-table-long-record.csv"), ',', 1, 0);
  const std::vector<double> i = FixtureColumn(Data("text-table-long-record.csv"), ',', 1, 1);
  const CurveStore& c = Curves();
  ASSERT_EQ(c.PointCount, 2401);
  ASSERT_EQ(c.VertexCount, 6);
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(c.Abscissa(Vertex(k)), k % 2 == 1 ? 0.6 : -0.2) << k;
  EXPECT_EQ(Vertex(1), 201);  // 400 steps up, every 2nd point
  for (int j = 1; j <= 2401; ++j) {
    const std::size_t measured = 2 * static_cast<std::size_t>(j - 1);
    ASSERT_NEAR(c.Abscissa(j), e[measured], 1e-12) << j;
    ASSERT_NEAR(c.Ordinate(j, 1), i[measured], 1e-12 * std::fabs(i[measured]) + 1e-20) << j;
  }
  EXPECT_EQ(Expr().Estep().Text(), "0.002");
}

TEST_F(MeasuredImport, AStepIsTypedAsTheDataCarryIt) {
  // 0.252 - 0.250 is 0.00199999999999978 in doubles.
  const auto file = Temp("step.csv");
  std::ofstream(file) << "0.250,1e-6\n0.252,2e-6\n0.254,3e-6\n";
  ASSERT_TRUE(Import(file.string()));
  EXPECT_EQ(Expr().Estep().Text(), "0.002");
  EXPECT_TRUE(Printed("E step =  .002 "));
  EXPECT_EQ(Expr().Eend().Text(), "0.254");  // a sweep that never turns ends where it ends
}

}  // namespace
}  // namespace vorex
