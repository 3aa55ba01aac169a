#include "shell/recent_files.h"

#include <algorithm>

namespace vorex {

std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& file,
                                    std::size_t limit) {
  if (file.empty()) return list;
  std::erase(list, file);
  list.insert(list.begin(), file);
  if (list.size() > limit) list.resize(limit);
  return list;
}

}  // namespace vorex
