// A joint fit through vorex-cli's statements: three digital cyclic voltammograms of one couple at
// three scan rates, exported as CSV and read back into the set, fitted from far-off starts. The
// expected values are those the curves were simulated with; the export is checked against its
// own definition (residual = I - I_fit) and against the report's sums of squares.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/script_session.h"

namespace vorex {
namespace {

using testing::ScriptSession;

// The couple the curves are simulated with: E° 0.217 V, ks 1e-3 cm/s, α 0.48, D 7.6e-6 cm²/s for
// both forms, behind Ru 50 Ω, 0.6 -> -0.2 -> 0.6 V in 2 mV steps: 401 points each way, the vertex
// written twice as a simulated cycle has it (802 points).
constexpr const char* kTruth =
    "mnuTech\nFormTech.optTech(1) = 1\nFormTech.CheckDigital = 1\nclick FormTech.CmdOK\n"
    "mnuExperimental\nFormExpr.ComboScan = cycle\nFormExpr.Estart = 0.6\nFormExpr.Eend = -0.2\n"
    "FormExpr.Estep = 0.002\nFormExpr.Ru = 50\nFormExpr.Eze(1) = 0.217\nFormExpr.ks(1) = 1e-3\n"
    "FormExpr.alph(1) = 0.48\nFormExpr.D(1) = 7.6e-6\nFormExpr.D(2) = 7.6e-6\n";

// Start values far off, and E°, ks, α and D(A) ticked (the dialog's fit rows 11, 5, 8 and 20)
// instead of C(A) (row 1).
constexpr const char* kStart =
    "FormExpr.Eze(1) = 0.2\nFormExpr.ks(1) = 0.01\nFormExpr.alph(1) = 0.5\nFormExpr.D(1) = 5e-6\n"
    "FormExpr.CheckFitted(1) = 0\nFormExpr.CheckFitted(5) = 1\nFormExpr.TextCmin(5) = 1e-5\n"
    "FormExpr.TextCmax(5) = 1\nFormExpr.CheckFitted(8) = 1\nFormExpr.TextCmin(8) = 0.3\n"
    "FormExpr.TextCmax(8) = 0.7\nFormExpr.CheckFitted(11) = 1\nFormExpr.TextCmin(11) = 0\n"
    "FormExpr.TextCmax(11) = 0.4\nFormExpr.CheckFitted(20) = 1\nFormExpr.TextCmin(20) = 1e-6\n"
    "FormExpr.TextCmax(20) = 1e-4\n";

const char* const kRates[] = {"0.05", "0.2", "0.5"};

struct Pairs {
  std::vector<double> e, i;
};

// A CSV of "E , I" lines as Export Data writes them.
Pairs ReadPairs(const std::filesystem::path& file) {
  Pairs p;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos) continue;
    p.e.push_back(std::stod(line.substr(0, comma)));
    p.i.push_back(std::stod(line.substr(comma + 1)));
  }
  return p;
}

struct Row {
  int curve;
  double e, i, fitted, residual;
};

std::vector<Row> ReadExport(const std::filesystem::path& file, std::string& header) {
  std::ifstream in(file);
  std::getline(in, header);
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    Row r{};
    char comma = 0;
    fields >> r.curve >> comma >> r.e >> comma >> r.i >> comma >> r.fitted >> comma >> r.residual;
    EXPECT_FALSE(fields.fail()) << line;
    rows.push_back(r);
  }
  return rows;
}

// The report's sum of squares of each curve, from its table ("Curve  Points  Weight  SSR  R^2
// Name"), as printed to four digits.
std::vector<double> ReportedSums(const std::vector<std::string>& lines) {
  std::vector<double> sums;
  bool table = false;
  for (const std::string& line : lines) {
    if (line.rfind("Curve ", 0) == 0 && line.find("SSR") != std::string::npos) {
      table = true;
      continue;
    }
    if (!table) continue;
    std::istringstream fields(line);
    double curve = 0, points = 0, weight = 0, sum = 0;
    if (!(fields >> curve >> points >> weight >> sum)) break;
    sums.push_back(sum);
  }
  return sums;
}

class GlobalFitRecovery : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("vorex-global-fit-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path File(const std::string& rate) const {
    return dir / ("cv-" + rate + ".csv");
  }

  // The three curves simulated and exported, then read into the set with their scan rates.
  void SimulateAndFit(ScriptSession& s) {
    std::string script = kTruth;
    for (const char* v : kRates) {
      script +=
          std::string("FormExpr.V = ") + v + "\nmnuSimulate\nmnuExport " + File(v).string() + "\n";
    }
    script += kStart;
    for (const char* v : kRates) {
      script += "global add " + File(v).string() + " scan_rate=" + v + "\n";
    }
    script += "global fit\n";
    ASSERT_EQ(s.Run(script), 0);
    ASSERT_EQ(s.TakeMessages(), "");
    ASSERT_TRUE(s.Set().last);
  }

  std::filesystem::path dir;
};

TEST_F(GlobalFitRecovery, TheSharedParametersAreThoseTheCurvesWereSimulatedWith) {
  ScriptSession s;
  SimulateAndFit(s);
  const GlobalFitResult& r = *s.Set().last;
  ASSERT_EQ(r.setup.count, 4);
  std::map<int, double> fitted;
  for (int i = 1; i <= r.setup.count; ++i) {
    EXPECT_EQ(r.curveOf[static_cast<std::size_t>(i)], 0);
    fitted[r.setup.index(i)] = r.fit.fitted(i);
  }
  // The curves carry 15 digits and no noise: the fit lands on the truth within what its
  // convergence test leaves (a sum of squares that no longer falls by 0.04 %), far below 0.01 %.
  EXPECT_NEAR(fitted[11], 0.217, 1e-5);
  EXPECT_NEAR(fitted[5] / 1e-3, 1, 1e-4);
  EXPECT_NEAR(fitted[8], 0.48, 1e-4);
  EXPECT_NEAR(fitted[20] / 7.6e-6, 1, 1e-4);
  ASSERT_EQ(r.curves.size(), 3u);
  for (const GlobalCurveResult& c : r.curves) {
    ASSERT_TRUE(c.rSquared);
    EXPECT_GT(*c.rSquared, 0.999999);
  }
}

TEST_F(GlobalFitRecovery, TheExportHoldsEveryPointOfEveryCurveWithItsResidual) {
  ScriptSession s;
  SimulateAndFit(s);
  const std::filesystem::path csv = dir / "fit.csv";
  ASSERT_EQ(s.Run("global export " + csv.string() + "\n"), 0);
  ASSERT_EQ(s.TakeMessages(), "");
  std::string header;
  const std::vector<Row> rows = ReadExport(csv, header);
  EXPECT_EQ(header, "curve,E,I,I_fit,residual\r");
  ASSERT_EQ(rows.size(), 3u * 802u);
  const std::vector<double> reported = ReportedSums(s.program->formResult.Lines());
  ASSERT_EQ(reported.size(), 3u);
  for (int c = 1; c <= 3; ++c) {
    // The measured columns are the exported simulation, point for point.
    const Pairs measured = ReadPairs(File(kRates[c - 1]));
    ASSERT_EQ(measured.e.size(), 802u);
    double sum = 0;
    for (std::size_t j = 0; j < 802; ++j) {
      const Row& r = rows[static_cast<std::size_t>(c - 1) * 802 + j];
      ASSERT_EQ(r.curve, c);
      EXPECT_EQ(r.e, measured.e[j]);
      EXPECT_EQ(r.i, measured.i[j]);
      EXPECT_EQ(r.residual, r.i - r.fitted) << "curve " << c << " point " << j + 1;
      sum += r.residual * r.residual;
    }
    // The report prints four significant digits.
    EXPECT_NEAR(sum / reported[static_cast<std::size_t>(c - 1)], 1, 5e-4) << "curve " << c;
  }
}

TEST_F(GlobalFitRecovery, ThePlotShowsOneCurveOfTheSetBesideItsFit) {
  ScriptSession s;
  SimulateAndFit(s);
  const std::filesystem::path csv = dir / "fit.csv";
  ASSERT_EQ(s.Run("global export " + csv.string() + "\n"), 0);
  std::string header;
  const std::vector<Row> rows = ReadExport(csv, header);
  const CurveStore& store = s.program->curves;
  // After the fit: curve 1 of the set (0.05 V/s), measured and fitted.
  ASSERT_EQ(store.PointCount, 802);
  ASSERT_EQ(store.CurveCount, 2);
  EXPECT_EQ(store.Role(1), CurveRole::Measured);
  EXPECT_EQ(store.Role(2), CurveRole::Fitted);
  for (int j = 1; j <= 802; ++j) {
    const Row& r = rows[static_cast<std::size_t>(j - 1)];
    ASSERT_EQ(store.Abscissa(j), r.e);
    ASSERT_EQ(store.Ordinate(j, 1), r.i);
    ASSERT_EQ(store.Ordinate(j, 2), r.fitted);
  }
  // The cycle turns once, at the first of its two points at -0.2 V.
  EXPECT_EQ(store.VertexCount, 1);
  EXPECT_EQ(store.Vertex(1), 401);
  ASSERT_EQ(s.Run("global plot 3 residual\n"), 0);
  ASSERT_EQ(store.CurveCount, 3);
  EXPECT_EQ(store.Role(3), CurveRole::Residual);
  for (int j = 1; j <= 802; ++j) {
    const Row& r = rows[2 * 802 + static_cast<std::size_t>(j - 1)];
    ASSERT_EQ(store.Ordinate(j, 1), r.i);
    ASSERT_EQ(store.Ordinate(j, 3), r.i - r.fitted);
  }
  ASSERT_EQ(s.Run("global plot 4\n"), 0);
  EXPECT_EQ(s.TakeMessages(), "message: global plot: the last fit has no curve 4 (it fitted 3).\n");
  EXPECT_EQ(store.CurveCount, 3);
}

TEST_F(GlobalFitRecovery, AChangedSetForgetsItsFitAndItsExportIsRefused) {
  ScriptSession s;
  SimulateAndFit(s);
  const std::filesystem::path csv = dir / "fit.csv";
  { std::ofstream(csv) << "kept\n"; }
  ASSERT_EQ(s.Run("global set 1 Cdl=1e-5\nglobal export " + csv.string() + "\n"), 0);
  EXPECT_NE(s.TakeMessages().find("no fit of the set is kept"), std::string::npos);
  std::ifstream in(csv);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "kept\n");
}

// The example shipped in examples/: four noisy CH Instruments files at 0.02 to 0.2 V/s with
// backgrounds, written by examples/data/make_scan_rate_cvs.py from the values checked here; its
// files read from the source tree, what it writes into a scratch folder.
TEST_F(GlobalFitRecovery, TheExampleFindsTheValuesItsFilesWereMadeWith) {
  const std::filesystem::path root =
      std::filesystem::path(VOREX_READER_DATA).parent_path().parent_path().parent_path();
  std::ifstream in(root / "examples" / "global-fit.vxs");
  ASSERT_TRUE(in) << root;
  std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto replace = [&](const std::string& from, const std::string& to) {
    for (std::size_t at = script.find(from); at != std::string::npos;
         at = script.find(from, at + to.size())) {
      script.replace(at, from.size(), to);
    }
  };
  replace("examples/data/", (root / "examples" / "data").string() + "/");
  replace("build/", dir.string() + "/");
  ScriptSession s;
  ASSERT_EQ(s.Run(script), 0);
  ASSERT_TRUE(s.Set().last);
  const GlobalFitResult& r = *s.Set().last;
  std::map<int, double> fitted;
  for (int i = 1; i <= r.setup.count; ++i) fitted[r.setup.index(i)] = r.fit.fitted(i);
  // Noise of 0.1 uA on peaks of 27 to 76 uA: the values within a few tenths of a per cent.
  EXPECT_NEAR(fitted[11], 0.217, 2e-4);
  EXPECT_NEAR(fitted[5] / 1e-3, 1, 0.02);
  EXPECT_NEAR(fitted[8], 0.48, 0.005);
  EXPECT_NEAR(fitted[20] / 7.6e-6, 1, 0.01);
  // Each curve's own background, 1.5e-6 + 2e-6 E A in every file.
  ASSERT_EQ(r.curves.size(), 4u);
  for (const GlobalCurveResult& c : r.curves) {
    EXPECT_NEAR(c.background[0], 1.5e-6, 0.05e-6);
    EXPECT_NEAR(c.background[1], 2e-6, 0.1e-6);
  }
  // The example leaves the 0.2 V/s curve (0.4 -> 0.7 -> -0.1 -> 0.4 V in 2 mV steps) on the plot.
  EXPECT_EQ(s.program->curves.PointCount, 801);
  EXPECT_EQ(s.program->curves.CurveCount, 3);
  EXPECT_TRUE(std::filesystem::exists(dir / "global-fit.csv"));
}

}  // namespace
}  // namespace vorex
