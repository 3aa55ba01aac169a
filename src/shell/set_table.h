#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "experiment/settings.h"
#include "shell/global_fit_set.h"

// The table of the Fit Several Curves window: a row per curve of the set, and the cells that
// hold what a curve has of its own besides the Experimental dialog's settings.
namespace vorex {

// A column of a curve's own settings: the keyword it sets, its header, and what it takes (a
// number greater than 0, a number not below 0, or one of the background's words).
struct SetOwnColumn {
  enum class Takes { Positive, NotNegative, Word };
  std::string_view keyword;
  std::string_view header;
  std::string_view quantity;  // as a message names it
  std::string_view unit;
  Takes takes;
};

inline constexpr std::size_t kSetOwnColumns = 6;
inline constexpr std::array<SetOwnColumn, kSetOwnColumns> kSetOwnColumn{{
    {"scan_rate", "scan rate [V/s]", "The scan rate", "V/s", SetOwnColumn::Takes::Positive},
    {"C_A", "C(A) [mol/L]", "C(A)", "mol/L", SetOwnColumn::Takes::NotNegative},
    {"area", "area [cm\u00b2]", "The area", "cm\u00b2", SetOwnColumn::Takes::Positive},
    {"Ru", "Ru [\u03a9]", "Ru", "\u03a9", SetOwnColumn::Takes::NotNegative},
    {"Cdl", "Cdl [F]", "Cdl", "F", SetOwnColumn::Takes::NotNegative},
    {"background", "background", "The background", "", SetOwnColumn::Takes::Word},
}};

// A curve's row: number (from 1), name, points and potential range, its own value in each own
// column (empty where it takes the dialog's), the dialog's value that stands in an empty cell
// ("n/a" where the dialog does not use the field for its settings), and its R² in the last fit.
struct SetTableRow {
  int number = 0;
  std::string name, points, range;
  std::array<std::string, kSetOwnColumns> own, dialog;
  std::string rSquared;
  bool operator==(const SetTableRow&) const = default;
};

std::vector<SetTableRow> SetTableRows(const GlobalFitSet& set, const Settings& settings);

// The keyword a cell's text gives its curve: nothing for a blank cell (the dialog's value
// again); why not, in the words of the column.
std::variant<std::optional<Keyword>, std::string> CellKeyword(std::size_t column,
                                                              std::string_view text);

// The user's text into own column `column` of curve `curve` (from 1): the curve's keyword set,
// or given back to the dialog for a blank cell. Why not (a text the column does not take, a
// value the settings refuse), and then the curve keeps what it had.
std::optional<std::string> EditSetCell(GlobalFitSet& set, const Settings& settings, int curve,
                                       std::size_t column, std::string_view text);

// A value with at most `decimals` decimals, trailing zeros dropped ("-0.2", "0.6", "0.9987").
std::string FixedDecimals(double value, int decimals);

}  // namespace vorex
