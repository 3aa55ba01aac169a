#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "readers/text_decoding.h"

namespace vorex {

// The first `count` lines of a text, looking no further than `maxBytes` into it: what a format's
// signature needs, at a cost that does not grow with the file.
inline std::vector<std::string_view> HeadLines(std::string_view text, std::size_t count,
                                               std::size_t maxBytes = 65536) {
  std::vector<std::string_view> lines = SplitLines(text.substr(0, maxBytes));
  if (lines.size() > count) lines.resize(count);
  return lines;
}

}  // namespace vorex
