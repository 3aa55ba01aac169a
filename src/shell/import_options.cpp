#include "shell/import_options.h"

#include <string>

#include "shell/script_error.h"

namespace vorex {
namespace {

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Takes one option into the request; false when the token is not an option.
bool TakeOption(std::string_view token, ImportRequest& request) {
  if (token == "cycles") {
    request.listCycles = true;
  } else if (token == "apply-settings") {
    request.applySettings = true;
  } else if (token == "scan=measured") {
    request.measuredScan = true;
  } else if (token == "invert-current") {
    request.invertCurrent = true;
  } else if (token == "abscissa=applied" || token == "abscissa=measured") {
    request.appliedPotential = token == "abscissa=applied";
  } else if (token.substr(0, 6) == "cycle=") {
    const std::string_view value = token.substr(6);
    if (value != "all" && !AllDigits(value)) {
      throw ScriptError("cycle= takes a cycle's number or all, not \"" + std::string(value) + "\"");
    }
    request.cycle = std::string(value);
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string_view TakeImportOptions(std::string_view argument, ImportRequest& request) {
  argument = TrimRight(argument);
  for (;;) {
    const std::size_t blank = argument.find_last_of(" \t");
    if (blank == std::string_view::npos) return argument;
    if (!TakeOption(argument.substr(blank + 1), request)) return argument;
    argument = TrimRight(argument.substr(0, blank));
  }
}

}  // namespace vorex
