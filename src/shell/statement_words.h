#pragma once

#include <string_view>
#include <vector>

namespace vorex {

// The words of a statement, apart by blanks, tabs and line ends.
std::vector<std::string_view> Words(std::string_view statement);

}  // namespace vorex
