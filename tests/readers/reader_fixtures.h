#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "readers/measured_data.h"
#include "readers/text_decoding.h"

// What the reader tests share: a fixture's bytes and text, a note looked up by its words, and
// the refusal a read ends in.
namespace vorex::testing {

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string DecodedFile(const std::string& path) {
  return DecodeText(FileBytes(path));
}

inline bool HasNote(const MeasuredData& data, std::string_view words) {
  for (const std::string& note : data.notes) {
    if (note.find(words) != std::string::npos) return true;
  }
  return false;
}

// Column `column` (from 0) of a fixture's rows, from line `first` (from 0) on, its fields parted by
// `separator` (' ' for runs of blanks), read with the standard library: what the file says, to
// hold a reader's numbers against without the reader's own parsing.
inline std::vector<double> FixtureColumn(const std::string& path, char separator, std::size_t first,
                                         std::size_t column) {
  std::ifstream in(path, std::ios::binary);
  std::vector<double> values;
  std::string line;
  for (std::size_t n = 0; std::getline(in, line); ++n) {
    if (n < first || line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::istringstream fields(line);
    std::string field;
    for (std::size_t k = 0; k <= column; ++k) {
      if (separator == ' ') {
        fields >> field;
      } else {
        std::getline(fields, field, separator);
      }
    }
    values.push_back(std::stod(field));
  }
  return values;
}

// The ReadError that `read()` raises; a test failure when it raises none.
template <class Read>
ReadError ErrorOf(Read read) {
  try {
    read();
  } catch (const ReadError& error) {
    return error;
  }
  ADD_FAILURE() << "the file was read";
  return {};
}

}  // namespace vorex::testing
