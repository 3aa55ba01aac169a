#pragma once

#include <string>
#include <string_view>

// What this build of the programs is: the version, the build type and the compiler, for the
// About window and the programs' --version.
namespace vorex {

// The version, as written in the file VERSION ("3.3").
std::string_view VersionText();

// The build type the build was configured with ("Release"), or "unspecified" when none was given.
std::string_view BuildType();

// The compiler's name and version ("GNU 12.2.0", "Clang 14.0.6").
std::string_view CompilerText();

// "Release build, GNU 12.2.0".
std::string BuildText();

// The answer to --version: "vorex-cli 3.3 (Release, GNU 12.2.0)".
std::string VersionLine(std::string_view program);

}  // namespace vorex
