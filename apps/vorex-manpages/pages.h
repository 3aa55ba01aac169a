#pragma once

#include <string>

namespace vorex::manpages {

// The section 1 pages of the three installed programs, for the given version.
std::string VorexPage(const std::string& version);
std::string CliPage(const std::string& version, const std::string& statementHelp);
std::string ValidatePage(const std::string& version);

}  // namespace vorex::manpages
