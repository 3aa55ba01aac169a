#include "base/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vorex {
namespace {

namespace fs = std::filesystem;

std::string Reason(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// The file a name finally stands for: symbolic links followed, also one whose file does not exist
// yet (that file is then created). Nothing when the links go round in a circle.
std::optional<fs::path> LinkTarget(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

// Why the existing target may not be replaced, or nothing when it may (or does not exist).
std::optional<std::string> RefusedTarget(const std::string& path, struct stat& status,
                                         bool& exists) {
  exists = ::stat(path.c_str(), &status) == 0;
  if (!exists) {
    if (errno == ENOENT) return std::nullopt;
    return Reason("cannot reach", path);
  }
  if (!S_ISREG(status.st_mode)) return path + " is not a regular file";
  // The administrator may write anything; a file without write permission is still the user's
  // sign that it must not change.
  if (::access(path.c_str(), W_OK) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return path + " is read-only";
  }
  return std::nullopt;
}

// A fresh file beside the target, created with the permissions a new file gets.
int CreateBeside(const fs::path& target, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = target;
    candidate += ".vorex-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      name = candidate.string();
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view content) {
  const std::optional<fs::path> resolved = LinkTarget(path);
  if (!resolved) return path + " is a symbolic link that leads nowhere";
  const std::string target = resolved->string();
  struct stat old {};
  bool exists = false;
  if (auto refused = RefusedTarget(target, old, exists)) return refused;

  std::string temporary;
  const int fd = CreateBeside(*resolved, temporary);
  if (fd < 0) return Reason("cannot create", target);
  bool ok = WriteAll(fd, content);
  std::string failure = ok ? std::string() : Reason("cannot write", target);
  if (ok && exists) {
    ::fchmod(fd, old.st_mode & 07777);
    if (::geteuid() == 0) (void)!::fchown(fd, old.st_uid, old.st_gid);
  }
  // A full disk may show only when the data reach it, at the flush or the close.
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    failure = Reason("cannot write", target);
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = Reason("cannot write", target);
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    failure = Reason("cannot replace", target);
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return failure;
  }
  return std::nullopt;
}

}  // namespace vorex
