#pragma once

#include <optional>
#include <string>

namespace vorex {

// The whole content of a file, or nothing when it cannot be opened or read; `error` then says why.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

// Writes the content to a temporary file beside the target and renames it over the target, so a
// failure never leaves half a file in place of a good one. Returns the reason of a failure.
std::optional<std::string> WriteFileAtomically(const std::string& path, const std::string& content);

}  // namespace vorex
