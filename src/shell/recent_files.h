#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vorex {

// The Recent Projects list holds this many files at most.
inline constexpr std::size_t kMaxRecentFiles = 6;

// The list of recent files after `file` was opened or saved: the file first, once, the others
// after it in their order, the oldest beyond the limit dropped. An empty name changes nothing.
std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& file,
                                    std::size_t limit = kMaxRecentFiles);

}  // namespace vorex
