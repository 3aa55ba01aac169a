#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Tables of cyclic voltammetry as printed in the literature (25 degrees C, n = 1). They are the
// literature's numbers, not the suite's, so they live in data files beside it and are read when
// the cases are made; the sources are named in the files' headers.
namespace vorex::validation {

struct TableRow {
  double argument;
  double value;
};

// A table file: '#' starts a comment, blank lines are skipped, and every other line holds two
// numbers, the argument and the value. Throws std::runtime_error naming the file, and the line
// where it is malformed, when it cannot be read, holds a line of anything else, or has no row.
std::vector<TableRow> ReadTable(const std::filesystem::path& file);

struct PublishedTables {
  // Reversible couple: peak separation [mV] against the distance of the switching potential
  // beyond the cathodic peak, n(Epc - E_lambda) [mV].
  std::vector<TableRow> reversibleSeparation;
  // Quasi-reversible couple, alpha = 0.5: peak separation [mV] against Nicholson's psi.
  std::vector<TableRow> quasiReversibleSeparation;
};

// Each table from the first of `folders` that holds its file. Throws std::runtime_error naming
// the folders looked in when none does, or what ReadTable says of a malformed file.
PublishedTables ReadPublishedTables(const std::vector<std::filesystem::path>& folders);

}  // namespace vorex::validation
