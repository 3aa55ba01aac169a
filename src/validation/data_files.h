#pragma once

#include <filesystem>
#include <vector>

namespace vorex::validation {

// The folders the suite's data files are looked for in, in order: validation-data beside the
// program, where the build copies them; then share/vorex/validation-data beside the program's
// bin folder, where an installation puts them. Both follow the program, so an installed or moved
// validate never reads a path of the tree it was built in. None without a program folder.
std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFolder);

// The folder of the running program: as the system names it, else from argv[0].
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace vorex::validation
