#pragma once

#include <filesystem>
#include <vector>

namespace vorex::validation {

// The folders the suite's data files are looked for in, in order: the source tree's, when the
// build named it, so that an edited table counts without building again; then validation-data
// beside the program, where the build copies them, for a program moved away from its sources.
std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& programFolder);

// The folder of the running program: as the system names it, else from argv[0].
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace vorex::validation
