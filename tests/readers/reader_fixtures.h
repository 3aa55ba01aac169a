#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

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
