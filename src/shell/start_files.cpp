#include "shell/start_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace vorex {
namespace {

// Far enough to pass the opening brace, white space and the "format" key of either kind.
constexpr std::streamsize kOpeningBytes = 256;

std::string LowerExtension(const std::string& file) {
  std::string extension = std::filesystem::path(file).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::string Opening(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::string text(kOpeningBytes, '\0');
  in.read(text.data(), kOpeningBytes);
  text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return text;
}

}  // namespace

StartFileKind StartFileKindOf(const std::string& file) {
  const std::string extension = LowerExtension(file);
  if (extension == ".vorex") return StartFileKind::Project;
  if (extension == ".vxs") return StartFileKind::Script;
  if (extension == ".json") return StartFileKind::Settings;
  const std::string opening = Opening(file);
  const std::size_t project = opening.find("\"vorex-project\"");
  const std::size_t settings = opening.find("\"Vorex settings\"");
  // A project holds a settings document too, further on: the first format named is the file's.
  return project < settings ? StartFileKind::Project : StartFileKind::Settings;
}

}  // namespace vorex
