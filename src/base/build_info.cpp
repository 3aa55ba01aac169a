#include "base/build_info.h"

// The definitions come from this file's own compile definitions alone, so that a change of the
// build type or the version rebuilds only this file, not the library.
#if !defined(VOREX_VERSION_TEXT) || !defined(VOREX_BUILD_TYPE) || !defined(VOREX_COMPILER)
#error "build_info.cpp needs VOREX_VERSION_TEXT, VOREX_BUILD_TYPE and VOREX_COMPILER"
#endif

namespace vorex {

std::string_view VersionText() {
  return VOREX_VERSION_TEXT;
}

std::string_view BuildType() {
  constexpr std::string_view type = VOREX_BUILD_TYPE;
  return type.empty() ? "unspecified" : type;
}

std::string_view CompilerText() {
  return VOREX_COMPILER;
}

std::string BuildText() {
  std::string text(BuildType());
  text += " build, ";
  text += CompilerText();
  return text;
}

std::string VersionLine(std::string_view program) {
  std::string line(program);
  line += ' ';
  line += VersionText();
  line += " (";
  line += BuildType();
  line += ", ";
  line += CompilerText();
  line += ')';
  return line;
}

}  // namespace vorex
