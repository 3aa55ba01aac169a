#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vorex {

// The content of a data file, read in one pass with bounded memory. Only a regular file is read:
// a pipe, a device or a folder is refused before anything is read from it (so a named pipe with
// no writer never blocks), and a file longer than `limit` bytes is refused by its size without
// being read. A file that grows while it is read is refused once `limit` bytes are passed; one
// that shrinks gives what the pass found. Nothing is returned on a failure, and `error` says why.
std::optional<std::string> ReadDataFile(const std::string& path, std::size_t limit,
                                        std::string& error);

}  // namespace vorex
