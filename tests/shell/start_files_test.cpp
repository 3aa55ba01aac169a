// The kind of a file the desktop program is started with: by its name, else by its opening.
#include "shell/start_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace vorex {
namespace {

namespace fs = std::filesystem;

TEST(StartFileKind, TheExtensionDecidesWhateverTheFileHolds) {
  // No file needs to exist: the name alone is enough for the extensions the desktop registers.
  EXPECT_EQ(StartFileKindOf("/nowhere/a.vorex"), StartFileKind::Project);
  EXPECT_EQ(StartFileKindOf("/nowhere/A.VXS"), StartFileKind::Script);
  EXPECT_EQ(StartFileKindOf("/nowhere/cell.json"), StartFileKind::Settings);
}

TEST(StartFileKind, WithoutAKnownExtensionTheFirstFormatNamedDecides) {
  const fs::path folder = fs::temp_directory_path() / ("vorex-start-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  // A project holds a whole settings document after its own format; the opening of each kind is
  // the one its writer puts first (docs/project-format.md).
  std::ofstream(folder / "project") << "{\n  \"format\": \"vorex-project\",\n  \"version\": 1,\n"
                                       "  \"settings\": {\n    \"format\": \"Vorex settings\"\n";
  std::ofstream(folder / "settings") << "{\n  \"format\": \"Vorex settings\",\n  \"version\": 1\n";
  std::ofstream(folder / "other") << "E/V I/A\n0.1 2e-6\n";
  EXPECT_EQ(StartFileKindOf((folder / "project").string()), StartFileKind::Project);
  EXPECT_EQ(StartFileKindOf((folder / "settings").string()), StartFileKind::Settings);
  // Anything else, or a file that cannot be read, is offered to Open Settings, which says why not.
  EXPECT_EQ(StartFileKindOf((folder / "other").string()), StartFileKind::Settings);
  EXPECT_EQ(StartFileKindOf((folder / "missing").string()), StartFileKind::Settings);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vorex
