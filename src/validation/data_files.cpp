#include "validation/data_files.h"

#include <system_error>

namespace vorex::validation {

std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFolder) {
  std::vector<std::filesystem::path> folders;
#ifdef VOREX_VALIDATION_DATA
  folders.emplace_back(VOREX_VALIDATION_DATA);
#endif
  if (!programFolder.empty()) folders.push_back(programFolder / "validation-data");
  return folders;
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
