#include "base/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vorex {
namespace {

// Closes the descriptor however the read ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

std::string TooLong(const std::string& path, unsigned long long size, std::size_t limit) {
  return path + " is " + std::to_string(size) + " bytes long, more than the " +
         std::to_string(limit) + " bytes that any data file this program can hold needs";
}

}  // namespace

std::optional<std::string> ReadDataFile(const std::string& path, std::size_t limit,
                                        std::string& error) {
  // Opening without blocking, then asking the opened file what it is, leaves no moment in which
  // the name could be swapped for a pipe between the check and the read.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) {
    error = errno == ENOENT ? "file not found: " + path
                            : "cannot open " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(status.st_mode)) {
    error = path + " is " + KindOf(status.st_mode) + ", not a data file";
    return std::nullopt;
  }
  const auto size = static_cast<unsigned long long>(status.st_size);
  if (size > limit) {
    error = TooLong(path, size, limit);
    return std::nullopt;
  }
  std::string content(static_cast<std::size_t>(size) + 1, '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == content.size()) {
      if (content.size() > limit) {
        error = TooLong(path, content.size(), limit) + " (it grew while it was read)";
        return std::nullopt;
      }
      content.resize(std::min(limit + 1, 2 * content.size() + 4096));
    }
    const ssize_t got = ::read(file.get(), content.data() + used, content.size() - used);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      error = "cannot read " + path + ": " + std::strerror(errno);
      return std::nullopt;
    }
    used += static_cast<std::size_t>(got);
  }
  content.resize(used);
  return content;
}

}  // namespace vorex
