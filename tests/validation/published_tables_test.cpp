// The published tables the cyclic cases are built from: the files shipped with the suite, and
// what the reader makes of a file that is missing or not a table.
#include "validation/published_tables.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "validation/data_files.h"

namespace vorex::validation {
namespace {

namespace fs = std::filesystem;

// RT/F at 25 degrees C from CODATA 2018 (R = 8.314462618 J/(mol K), F = 96485.33212 C/mol):
// 25.693 mV, so Nicholson's far-switching limit 2.218 RT/F is 56.99 mV.
constexpr double kFarSwitchingLimit = 2.218 * 8.314462618 * 298.15 / 96485.33212 * 1e3;

// The message of the error `read` throws; empty when it throws none.
template <class Read>
std::string Refusal(Read read) {
  try {
    read();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(ShippedTables, ReversibleSeparationFallsTowardsTheFarSwitchingLimit) {
  // Switching further beyond the peak leaves less of the reverse wave's head start: the
  // separation falls with each row and stays above its limit (columns swapped, or a digit
  // mistyped, would break either).
  const PublishedTables tables = ReadPublishedTables({fs::path(VOREX_TEST_TABLES)});
  const std::vector<TableRow>& rows = tables.reversibleSeparation;
  ASSERT_GE(rows.size(), 2u);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    EXPECT_GT(rows[k].value, kFarSwitchingLimit) << k;
    if (k == 0) continue;
    EXPECT_GT(rows[k].argument, rows[k - 1].argument) << k;
    EXPECT_LT(rows[k].value, rows[k - 1].value) << k;
  }
}

TEST(ShippedTables, QuasiReversibleSeparationFallsAsTransferQuickens) {
  // A larger psi is a faster electron transfer: the separation shrinks towards the reversible
  // one, above the far-switching limit at every psi.
  const PublishedTables tables = ReadPublishedTables({fs::path(VOREX_TEST_TABLES)});
  const std::vector<TableRow>& rows = tables.quasiReversibleSeparation;
  ASSERT_GE(rows.size(), 2u);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    EXPECT_GT(rows[k].value, kFarSwitchingLimit) << k;
    if (k == 0) continue;
    EXPECT_LT(rows[k].argument, rows[k - 1].argument) << k;
    EXPECT_GT(rows[k].value, rows[k - 1].value) << k;
  }
}

// A fresh folder of the test's own.
struct TableFile : ::testing::Test {
  TableFile() {
    folder = fs::temp_directory_path() /
             ("vorex-tables-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~TableFile() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  fs::path Write(const std::string& name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
    return folder / name;
  }
  fs::path folder;
};

TEST_F(TableFile, CommentsBlankLinesAndLineEndsAreSkipped) {
  const fs::path file = Write("t.txt", "# a header\n\n1 2  # a note\r\n  3.5e-1\t4\r\n");
  const std::vector<TableRow> rows = ReadTable(file);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].argument, 1.0);
  EXPECT_EQ(rows[0].value, 2.0);
  EXPECT_EQ(rows[1].argument, 0.35);
  EXPECT_EQ(rows[1].value, 4.0);
}

TEST_F(TableFile, AMalformedLineIsNamedByFileAndNumber) {
  for (const char* line : {"71.5", "71.5 60.5 1", "71.5 sixty", "71.5 60.5mV", "- 1"}) {
    const fs::path file = Write("bad.txt", std::string("# header\n1 2\n") + line + "\n4 5\n");
    EXPECT_EQ(Refusal([&] { ReadTable(file); }),
              file.string() + ":3: expected two numbers, the argument and the value")
        << line;
  }
}

TEST_F(TableFile, AMissingOrEmptyTableIsRefusedByName) {
  const fs::path missing = folder / "missing.txt";
  EXPECT_EQ(Refusal([&] { ReadTable(missing); }), missing.string() + ": cannot be opened");
  const fs::path empty = Write("empty.txt", "# only a header\n\n");
  EXPECT_EQ(Refusal([&] { ReadTable(empty); }), empty.string() + ": holds no row");
}

TEST_F(TableFile, TheFoldersAreSearchedInOrderAndNamedWhenNoneHoldsTheTable) {
  const std::string reversible = "nicholson1965_reversible_switching.txt";
  const std::string quasi = "nicholson1965_quasireversible_psi.txt";
  fs::create_directories(folder / "first");
  fs::create_directories(folder / "second");
  std::ofstream(folder / "first" / reversible) << "1 2\n";
  std::ofstream(folder / "second" / reversible) << "3 4\n";
  std::ofstream(folder / "second" / quasi) << "5 6\n";
  const PublishedTables tables = ReadPublishedTables({folder / "first", folder / "second"});
  ASSERT_EQ(tables.reversibleSeparation.size(), 1u);
  EXPECT_EQ(tables.reversibleSeparation[0].argument, 1.0);
  ASSERT_EQ(tables.quasiReversibleSeparation.size(), 1u);
  EXPECT_EQ(tables.quasiReversibleSeparation[0].argument, 5.0);

  const std::string refusal = Refusal([&] { ReadPublishedTables({folder / "first"}); });
  EXPECT_NE(refusal.find(quasi), std::string::npos) << refusal;
  EXPECT_NE(refusal.find((folder / "first").string()), std::string::npos) << refusal;
}

TEST(DataFolders, TheCopyBesideTheProgramComesBeforeTheInstalledShare) {
  // The build copies the tables into bin/validation-data; an installation puts them in
  // <prefix>/share/vorex/validation-data, with validate in <prefix>/bin.
  const std::vector<fs::path> folders = DataFolders("/opt/vx/bin");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], fs::path("/opt/vx/bin/validation-data"));
  EXPECT_EQ(folders[1], fs::path("/opt/vx/share/vorex/validation-data"));
  // Without a program folder there is nowhere to look: no path compiled in from the build.
  EXPECT_TRUE(DataFolders({}).empty());
}

TEST_F(TableFile, AnInstalledTreeIsReadWithoutTheBuildsCopy) {
  // The shape of an installation: bin/ and share/vorex/validation-data/ side by side.
  const fs::path data = folder / "share" / "vorex" / "validation-data";
  fs::create_directories(data);
  fs::create_directories(folder / "bin");
  for (const char* name :
       {"nicholson1965_reversible_switching.txt", "nicholson1965_quasireversible_psi.txt"})
    fs::copy_file(fs::path(VOREX_TEST_TABLES) / name, data / name);
  const PublishedTables tables = ReadPublishedTables(DataFolders(folder / "bin"));
  EXPECT_FALSE(tables.reversibleSeparation.empty());
  EXPECT_FALSE(tables.quasiReversibleSeparation.empty());
}

}  // namespace
}  // namespace vorex::validation
