#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vorex {

// The columns of a text table read as potential and current, with the factors that bring them to
// V and A, and what was assumed on the way (one sentence each).
struct TableColumns {
  std::size_t potential = 0;
  std::size_t current = 1;
  double potentialScale = 1;
  double currentScale = 1;
  std::vector<std::string> notes;
};

// The potential and current among `columns` columns by their `titles` (one a column; none when the
// file has no title row that splits into its columns, `titleRow` telling whether it has one at
// all). A potential is a title in V or mV, a current one in A, mA, uA (µA), nA or pA; a bare "E" or
// "Current" is taken in V or A with a note. Two columns that the titles do not tell apart are
// potential and current in that order, as Import Data reads plain pairs. The reason, naming the
// columns, when more columns than two cannot be told apart.
std::variant<TableColumns, std::string> ChooseTableColumns(
    const std::vector<std::string_view>& titles, std::size_t columns, bool titleRow);

}  // namespace vorex
