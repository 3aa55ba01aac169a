// The `global` statements of vorex-cli: what each does to the set, and that each refusal says why
// and changes nothing. Expected numbers come from how each file was written here (its corners,
// steps and point counts, named beside them) and from the reader fixtures' own columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "readers/reader_fixtures.h"
#include "support/script_session.h"
#include "support/staircase.h"

namespace vorex {
namespace {

using testing::ScriptSession;

std::string Fixed(const char* format, double value) {
  char text[40];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The files of a test, in a folder of its own.
class GlobalStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("vorex-global-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    WriteChi();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  // chi.txt: a CH Instruments export at 0.05 V/s, -0.2 -> 0.2 -> -0.2 -> 0.2 -> -0.2 V in 10 mV
  // steps (161 points, 3 vertices), I = 1e-6 + 2e-6 E A. Cut at its turning points, cycle 1 is
  // points 0..80 (81 points), cycle 2 the 80 after, from -0.19 V.
  void WriteChi() {
    std::ofstream f(Path("chi.txt"));
    f << "Jan. 15, 2025   10:00:00\nCyclic Voltammetry\nFile: c:\\chi.bin\nData Source:  "
         "Experiment\nInstrument Model:  CHI660E\nHeader:\nNote:\n\nInit E (V) = -0.2\n"
         "High E (V) = 0.2\nLow E (V) = -0.2\nInit P/N = P\nScan Rate (V/s) = 0.05\n"
         "Segment = 4\nSample Interval (V) = 0.01\nQuiet Time (sec) = 2\n"
         "Sensitivity (A/V) = 1e-5\n\nPotential/V, Current/A\n\n";
    for (int k = 0; k <= 160; ++k) {
      const int leg = k / 40, within = k % 40;
      const double e = leg % 2 == 0 ? -0.2 + 0.01 * within : 0.2 - 0.01 * within;
      const std::string es = Fixed("%.3f", e);
      const std::string is = Fixed("%.6e", 1e-6 + 2e-6 * std::stod(es));
      chiE.push_back(std::stod(es));
      chiI.push_back(std::stod(is));
      f << es << ", " << is << "\n";
    }
  }
  // Pairs with every digit.
  void WritePairs(const char* name, const std::vector<double>& e) {
    std::ofstream f(Path(name));
    f.precision(17);
    for (double x : e) f << x << "," << 1e-6 + 2e-6 * x << "\n";
  }
  static std::vector<double> Slice(const std::vector<double>& v, std::size_t from, std::size_t n) {
    return {v.begin() + static_cast<std::ptrdiff_t>(from),
            v.begin() + static_cast<std::ptrdiff_t>(from + n)};
  }

  std::filesystem::path dir;
  std::vector<double> chiE, chiI;
};

TEST_F(GlobalStatements, AFileIsOneCurveOneCycleOrEveryCycleWithTheScanRateItStates) {
  ScriptSession s;
  const std::string chi = Path("chi.txt");
  ASSERT_EQ(s.Run("global add " + chi + "\nglobal add " + chi + " cycle=2\nglobal add " + chi +
                  " cycle=all scan_rate=0.1\nglobal add " + chi + " invert-current cycle=1\n"),
            0);
  EXPECT_EQ(s.TakeMessages(), "");
  const std::vector<SetCurve>& c = s.Set().curves;
  ASSERT_EQ(c.size(), 5u);
  EXPECT_EQ(c[0].name, "chi.txt");
  EXPECT_EQ(c[0].potential, chiE);
  EXPECT_EQ(c[0].current, chiI);
  EXPECT_EQ(c[1].name, "chi.txt cycle 2");
  EXPECT_EQ(c[1].potential, Slice(chiE, 81, 80));
  EXPECT_EQ(c[2].name, "chi.txt cycle 1");
  EXPECT_EQ(c[2].potential, Slice(chiE, 0, 81));
  EXPECT_EQ(c[3].potential, Slice(chiE, 81, 80));
  // The file's 0.05 V/s, unless the statement gives its own.
  for (std::size_t k : {0u, 1u, 4u}) {
    ASSERT_EQ(c[k].own.size(), 1u);
    EXPECT_EQ(c[k].own[0].name, "scan_rate");
    EXPECT_EQ(c[k].own[0].value.text, "0.05");
  }
  for (std::size_t k : {2u, 3u}) {
    ASSERT_EQ(c[k].own.size(), 1u);
    EXPECT_EQ(c[k].own[0].value.text, "0.1");
  }
  // CH Instruments' cathodic-positive currents, negated once more when asked.
  const std::vector<double> first = Slice(chiI, 0, 81);
  for (std::size_t j = 0; j < first.size(); ++j) EXPECT_EQ(c[4].current[j], -first[j]);
  const std::string listed = s.TakeOutput();
  EXPECT_NE(listed.find("Added. Curve 1: chi.txt, 161 points, E -0.2 V to 0.2 V (from -0.2 V), "
                        "3 vertices; own: scan_rate=0.05\n"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find("Added. Curve 2: chi.txt cycle 2, 80 points, E -0.2 V to 0.2 V (from "
                        "-0.19 V), 1 vertex; own: scan_rate=0.05\n"),
            std::string::npos)
      << listed;
}

TEST_F(GlobalStatements, PairsAreTakenAsMeasuredAndThinnedOnlyAsTheImportWouldThinThem) {
  // 0.3 -> 0.6 -> 0 -> 0.3 V in 2 mV steps wobbling by 0.2 mV: 601 uneven points, kept as they
  // are. 0 -> 0.6 V in 0.1 mV steps: 6001 points, more than the store's 4000, thinned to every
  // second point, 3001.
  const std::vector<double> wobbly = testing::Staircase({0.3, 0.6, 0.0, 0.3});
  std::vector<double> fine;
  for (int k = 0; k <= 6000; ++k) fine.push_back(k / 10000.0);
  WritePairs("wobbly.csv", wobbly);
  WritePairs("fine.csv", fine);
  for (const char* name : {"wobbly.csv", "fine.csv"}) {
    ScriptSession s;
    ASSERT_EQ(
        s.Run("global add " + Path(name) + "\nmnuImport " + Path(name) + "\nglobal add curve\n"),
        0);
    ASSERT_EQ(s.Set().curves.size(), 2u);
    const SetCurve& read = s.Set().curves[0];
    EXPECT_EQ(read.potential, s.Set().curves[1].potential) << name << ": not as mnuImport";
    EXPECT_EQ(read.current, s.Set().curves[1].current) << name;
    EXPECT_EQ(s.Set().curves[1].name, "curve 1 of the plot");
    if (std::string(name) == "wobbly.csv") {
      EXPECT_EQ(read.potential, wobbly);
      continue;
    }
    ASSERT_EQ(read.potential.size(), 3001u);
    for (std::size_t k = 0; k < 3001; ++k) {
      ASSERT_NEAR(read.potential[k], fine[2 * k], 1e-12) << k;
      ASSERT_NEAR(read.current[k], 1e-6 + 2e-6 * fine[2 * k], 1e-18) << k;
    }
    EXPECT_NE(s.TakeOutput().find("fine.csv: 6001 points thinned to 3001"), std::string::npos);
  }
}

TEST_F(GlobalStatements, AnUnevenInstrumentRecordIsResampledAsTheImportResamplesIt) {
  // biologic-three-segment-cycle.mpt: Ei 0.93 -> E1 -0.01 -> E2 1.69 -> Ef 0.97 V in 2 mV
  // records, Ewe wandering by up to 0.05 mV: 470 + 850 + 360 steps, its ends and vertices exact.
  const std::string file = std::string(VOREX_READER_DATA) + "/biologic-three-segment-cycle.mpt";
  const std::vector<double> ewe = testing::FixtureColumn(file, '\t', 23, 7);
  ScriptSession s;
  ASSERT_EQ(s.Run("global add " + file + "\nmnuImport " + file + "\nglobal add curve\n"), 0);
  ASSERT_EQ(s.Set().curves.size(), 2u);
  const SetCurve& read = s.Set().curves[0];
  ASSERT_EQ(read.potential.size(), 1681u);
  EXPECT_EQ(read.potential.front(), ewe.front());
  EXPECT_EQ(read.potential[470], *std::min_element(ewe.begin(), ewe.end()));
  EXPECT_EQ(read.potential[1320], *std::max_element(ewe.begin(), ewe.end()));
  EXPECT_EQ(read.potential.back(), ewe.back());
  EXPECT_EQ(read.potential, s.Set().curves[1].potential);
  EXPECT_EQ(read.current, s.Set().curves[1].current);
}

TEST_F(GlobalStatements, ARefusalSaysWhyAndChangesNothing) {
  ScriptSession s;
  const std::string chi = Path("chi.txt");
  ASSERT_EQ(s.Run("global add " + chi + "\n"), 0);
  const std::vector<SetCurve> before = s.Set().curves;
  const auto unchanged = [&](const std::string& statement, const std::string& said) {
    ASSERT_EQ(s.Run(statement + "\n"), 0) << statement;
    const std::string messages = s.TakeMessages();
    EXPECT_NE(messages.find(said), std::string::npos) << statement << "\n" << messages;
    ASSERT_EQ(s.Set().curves.size(), before.size()) << statement;
    EXPECT_EQ(s.Set().curves[0].own.size(), before[0].own.size()) << statement;
    EXPECT_EQ(s.Set().curves[0].own[0].value.text, "0.05") << statement;
  };
  unchanged("global add " + chi + " cycle=3", "the file has no cycle 3; its cycles are 1 to 2");
  unchanged("global add " + Path("missing.txt"), "ReadData Error: ");
  unchanged("global add " + chi + " foo=1", "unknown keyword \"foo\"");
  unchanged("global add " + chi + " Cdl=-1", "must not be negative");
  unchanged("global set 1 scan_rate=0", "\"0\" must be greater than 0");
  unchanged("global set 1 scan_rate=0.2 bogus=2", "unknown keyword \"bogus\"");
  unchanged("global set 2 scan_rate=0.2", "The set has no curve 2 (it holds 1).");
  unchanged("global remove 2", "The set has no curve 2 (it holds 1).");
  unchanged("global add curve", "There is no curve");
  unchanged("global plot 1", "no fit of the set is kept");
  unchanged("global export " + Path("fit.csv"), "no fit of the set is kept");
  EXPECT_FALSE(std::filesystem::exists(Path("fit.csv")));
}

TEST_F(GlobalStatements, AFullSetTakesEveryCycleOfAFileOrNone) {
  ScriptSession s;
  const std::string chi = Path("chi.txt");
  std::string statements;
  for (int k = 0; k < 15; ++k) statements += "global add " + chi + " cycle=1\n";
  ASSERT_EQ(s.Run(statements), 0);
  ASSERT_EQ(s.Set().curves.size(), 15u);
  // Two cycles into one place left: neither is added.
  ASSERT_EQ(s.Run("global add " + chi + " cycle=all\n"), 0);
  EXPECT_EQ(s.TakeMessages(),
            "message: global add: The set holds 16 curves, as many as it can; nothing was "
            "added.\n");
  EXPECT_EQ(s.Set().curves.size(), 15u);
  ASSERT_EQ(s.Run("global add " + chi + " cycle=2\nglobal add " + chi + "\n"), 0);
  EXPECT_EQ(s.Set().curves.size(), 16u);
  EXPECT_NE(s.TakeMessages().find("as many as it can"), std::string::npos);
  ASSERT_EQ(s.Run("global remove 1\nglobal clear\n"), 0);
  EXPECT_TRUE(s.Set().curves.empty());
}

TEST_F(GlobalStatements, ParametersAreMarkedByTheirKeywordsAndOnlyFittableOnes) {
  ScriptSession s;
  // The Experimental dialog's fit rows: ks(1) is row 5, E°(1) row 11, D(A) row 20.
  ASSERT_EQ(s.Run("global per_curve E0 ks_1 D_A\nglobal shared D_A\n"), 0);
  EXPECT_EQ(s.Set().perCurveSlots, (std::vector<int>{5, 11}));
  EXPECT_EQ(s.Run("global per_curve alpha_1 scan_rate\n"), 2);
  EXPECT_EQ(s.Run("global shared D\n"), 2);
  EXPECT_EQ(s.Set().perCurveSlots, (std::vector<int>{5, 11}));
  EXPECT_NE(s.TakeMessages().find("\"scan_rate\" is not a fittable parameter"), std::string::npos);
  ASSERT_EQ(s.Run("global weighting max\nglobal threads 3\n"), 0);
  EXPECT_EQ(s.Set().weighting, CurveWeighting::LargestCurrent);
  EXPECT_EQ(s.Set().threads, 3);
  for (const char* bad : {"global weighting heavy", "global threads -1", "global threads 1.5"}) {
    EXPECT_EQ(s.Run(std::string(bad) + "\n"), 2) << bad;
  }
  EXPECT_EQ(s.Set().weighting, CurveWeighting::LargestCurrent);
  EXPECT_EQ(s.Set().threads, 3);
  s.TakeOutput();
  ASSERT_EQ(s.Run("global list\n"), 0);
  EXPECT_EQ(s.TakeOutput(),
            "The set holds 0 curves; weighting: max (each curve divided by its largest current); "
            "per curve: ks_1, E0_1; threads: 3; last fit: none\n");
}

TEST(GlobalStatementForms, AMalformedStatementStopsTheScriptAndChangesNothing) {
  for (const char* bad :
       {"global", "global frob", "global add", "global set 1", "global set x scan_rate=1",
        "global set 1 scan_rate", "global remove", "global remove 0", "global clear now",
        "global list all", "global fit now", "global plot", "global plot 1 2", "global export",
        "global add curve x", "global add curve 1 =3", "help globals"}) {
    ScriptSession s;
    EXPECT_EQ(s.Run(std::string(bad) + "\n"), 2) << bad;
    EXPECT_EQ(s.TakeMessages().rfind("line 1: ", 0), 0u) << bad;
    EXPECT_TRUE(s.Set().curves.empty()) << bad;
  }
}

TEST(GlobalStatementForms, HelpGlobalNamesEveryStatement) {
  ScriptSession s;
  ASSERT_EQ(s.Run("help global\n"), 0);
  const std::string help = s.TakeOutput();
  for (const char* form :
       {"global add FILE", "global add curve", "global set N", "global remove N", "global clear",
        "global list", "global per_curve NAME", "global shared NAME", "global weighting none",
        "global threads N", "global fit", "global plot N", "global export FILE"}) {
    EXPECT_NE(help.find(form), std::string::npos) << form;
  }
  ASSERT_EQ(s.Run("help\n"), 0);
  EXPECT_NE(s.TakeOutput().find("help global"), std::string::npos);
}

}  // namespace
}  // namespace vorex
