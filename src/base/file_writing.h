#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorex {

// Writes the content to a new file beside the target and renames it over the target only once
// every byte is on the disk, so a failure (a full disk, say) leaves the old file as it was and no
// scrap beside it. A symbolic link is followed: the file it names is replaced, the link stays. A
// target that is not a regular file (a device, a pipe, a folder) or that is read-only is refused
// before anything is written. The replacement keeps the old file's permissions. Returns the
// reason of a failure, nothing on success.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace vorex
