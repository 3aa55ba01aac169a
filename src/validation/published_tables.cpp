#include "validation/published_tables.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vorex::validation {
namespace {

constexpr char kReversibleFile[] = "nicholson1965_reversible_switching.txt";
constexpr char kQuasiReversibleFile[] = "nicholson1965_quasireversible_psi.txt";

// The whole token as a number; from_chars, unlike strtod, does not depend on the locale.
bool Number(const std::string& token, double& value) {
  const char* end = token.data() + token.size();
  const auto [past, error] = std::from_chars(token.data(), end, value);
  return error == std::errc() && past == end;
}

std::runtime_error Malformed(const std::filesystem::path& file, int line, const std::string& why) {
  return std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + why);
}

std::vector<TableRow> FromFolders(const std::vector<std::filesystem::path>& folders,
                                  const char* name) {
  std::string looked;
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / name, error)) return ReadTable(folder / name);
    looked += "\n  " + folder.string();
  }
  throw std::runtime_error(std::string("the table ") + name + " is in none of the folders" +
                           (looked.empty() ? std::string(" (none given)") : ":" + looked));
}

}  // namespace

std::vector<TableRow> ReadTable(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error(file.string() + ": cannot be opened");
  std::vector<TableRow> rows;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    if (tokens.empty()) continue;
    TableRow row{};
    if (tokens.size() != 2 || !Number(tokens[0], row.argument) || !Number(tokens[1], row.value))
      throw Malformed(file, number, "expected two numbers, the argument and the value");
    rows.push_back(row);
  }
  if (in.bad()) throw std::runtime_error(file.string() + ": could not be read to the end");
  if (rows.empty()) throw std::runtime_error(file.string() + ": holds no row");
  return rows;
}

PublishedTables ReadPublishedTables(const std::vector<std::filesystem::path>& folders) {
  return {FromFolders(folders, kReversibleFile), FromFolders(folders, kQuasiReversibleFile)};
}

}  // namespace vorex::validation
