#include "shell/statement_words.h"

#include <algorithm>

namespace vorex {

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < s.size()) {
    const std::size_t start = s.find_first_not_of(" \t\r\n", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(s.find_first_of(" \t\r\n", start), s.size());
    words.push_back(s.substr(start, end - start));
    at = end;
  }
  return words;
}

}  // namespace vorex
