#include "validation/data_files.h"

#include <system_error>

namespace vorex::validation {

std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFolder) {
  if (programFolder.empty()) return {};
  return {programFolder / "validation-data",
          (programFolder / ".." / "share" / "vorex" / "validation-data").lexically_normal()};
}

std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  if (argv0 == nullptr) return {};
  const std::filesystem::path named = std::filesystem::absolute(argv0, error);
  return error ? std::filesystem::path() : named.parent_path();
}

}  // namespace vorex::validation
