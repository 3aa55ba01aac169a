#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/file_reading.h"
#include "base/file_writing.h"

namespace vorex {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

mode_t Mode(const fs::path& file) {
  struct stat s {};
  ::lstat(file.c_str(), &s);
  return s.st_mode;
}

// A fresh folder of the test's own.
struct FileIo : ::testing::Test {
  FileIo() {
    folder = fs::temp_directory_path() /
             ("vorex-io-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~FileIo() override {
    if (mounted) ::umount2(mounted->c_str(), MNT_DETACH);
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
  }
  // What the folder holds, so that a failed write can be seen to leave no scrap.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path folder;
  std::optional<fs::path> mounted;
};

// Reads on a thread of its own: a reader that blocked would fail the test, not hang it.
std::optional<std::string> ReadWithin(const fs::path& file, std::size_t limit, std::string& error) {
  auto result =
      std::make_shared<std::promise<std::pair<std::optional<std::string>, std::string>>>();
  auto done = result->get_future();
  std::thread([result, file, limit] {
    std::string why;
    auto content = ReadDataFile(file, limit, why);
    result->set_value({std::move(content), why});
  }).detach();
  if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "reading " << file << " blocked";
    std::exit(1);  // the blocked thread would keep the test program alive
  }
  auto [content, why] = done.get();
  error = why;
  return content;
}

TEST_F(FileIo, OnlyRegularFilesAreReadAndEveryOtherKindIsRefusedAtOnce) {
  const fs::path pipe = folder / "p.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    fs::path file;
    const char* kind;
  } cases[] = {{pipe, "a named pipe"}, {"/dev/zero", "a character device"}, {folder, "a folder"}};
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ReadWithin(c.file, 1 << 20, error)) << c.file;
    EXPECT_EQ(error, c.file.string() + " is " + c.kind + ", not a data file");
  }
  std::string error;
  EXPECT_FALSE(ReadWithin(folder / "missing.csv", 1 << 20, error));
  EXPECT_EQ(error, "file not found: " + (folder / "missing.csv").string());
}

TEST_F(FileIo, AFileOverTheLimitIsRefusedByItsSize) {
  // A sparse gigabyte: refused from its size alone, before any of it is read.
  const fs::path big = folder / "big.csv";
  Write(big, "");
  fs::resize_file(big, std::uintmax_t{1} << 30);
  std::string error;
  EXPECT_FALSE(ReadWithin(big, 4 << 20, error));
  EXPECT_EQ(error, big.string() +
                       " is 1073741824 bytes long, more than the 4194304 bytes that any data file "
                       "this program can hold needs");
  // At the limit exactly it is read, byte for byte.
  const std::string limit(1000, 'x');
  Write(big, limit);
  EXPECT_EQ(ReadWithin(big, 1000, error), limit);
  Write(big, limit + "y");
  EXPECT_FALSE(ReadWithin(big, 1000, error));
}

TEST_F(FileIo, AWriteReplacesTheFileAndKeepsItsPermissions) {
  const fs::path file = folder / "out.csv";
  ASSERT_FALSE(WriteFileAtomically(file, "first\r\n"));
  EXPECT_EQ(Content(file), "first\r\n");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(Mode(file) & 0777, 0666 & ~mask);  // a new file gets the usual permissions
  ::chmod(file.c_str(), 0640);
  ASSERT_FALSE(WriteFileAtomically(file, "second\r\n"));
  EXPECT_EQ(Content(file), "second\r\n");
  EXPECT_EQ(Mode(file) & 0777, 0640u);
  EXPECT_EQ(Names(), std::vector<std::string>{"out.csv"});
}

TEST_F(FileIo, TargetsThatMustNotBeReplacedAreRefusedBeforeAnythingIsWritten) {
  const fs::path readOnly = folder / "read-only.csv";
  Write(readOnly, "keep");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_EQ(WriteFileAtomically(readOnly, "lost"), readOnly.string() + " is read-only");
  EXPECT_EQ(Content(readOnly), "keep");

  const fs::path pipe = folder / "pipe.csv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(WriteFileAtomically(pipe, "x"), pipe.string() + " is not a regular file");
  EXPECT_TRUE(S_ISFIFO(Mode(pipe)));
  EXPECT_EQ(WriteFileAtomically(folder, "x"), folder.string() + " is not a regular file");
  EXPECT_EQ(Names(), (std::vector<std::string>{"pipe.csv", "read-only.csv"}));
}

TEST_F(FileIo, ASymbolicLinkIsFollowedNeverReplaced) {
  fs::create_directories(folder / "data");
  const fs::path target = folder / "data" / "curve.csv", link = folder / "link.csv";
  Write(target, "old");
  fs::create_symlink("data/curve.csv", link);  // relative to the link's folder
  ASSERT_FALSE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(Content(target), "new");
  // A link to a file not yet there creates that file.
  const fs::path dangling = folder / "dangling.csv";
  fs::create_symlink("data/fresh.csv", dangling);
  ASSERT_FALSE(WriteFileAtomically(dangling, "fresh"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
  EXPECT_EQ(Content(folder / "data" / "fresh.csv"), "fresh");
  // Links in a circle lead nowhere.
  fs::create_symlink("b.csv", folder / "a.csv");
  fs::create_symlink("a.csv", folder / "b.csv");
  EXPECT_EQ(WriteFileAtomically(folder / "a.csv", "x"),
            (folder / "a.csv").string() + " is a symbolic link that leads nowhere");
}

// A small file system of its own, filled up: needs the right to mount, so only as root.
TEST_F(FileIo, AFullDiskKeepsTheOldFileAndLeavesNoScrap) {
  const fs::path disk = folder / "disk";
  fs::create_directories(disk);
  if (::geteuid() != 0 || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "mounting a small file system needs root";
  }
  mounted = disk;
  const fs::path file = disk / "plot.svg";
  const std::string good(8000, 'g');
  ASSERT_FALSE(WriteFileAtomically(file, good));
  {
    std::ofstream filler(disk / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size())) {
    }
  }
  const auto failure = WriteFileAtomically(file, std::string(20000, 'n'));
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "cannot write " + file.string() + ": No space left on device");
  EXPECT_EQ(Content(file), good);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(disk)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"filler", "plot.svg"}));
}

}  // namespace
}  // namespace vorex
