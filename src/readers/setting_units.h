#pragma once

#include <optional>
#include <string_view>

namespace vorex {

// The kinds of quantity a reader converts to Vorex's units (V, A, V/s, s, Hz, cm2, ohm).
enum class Quantity { Potential, Current, ScanRate, Time, Frequency, Area, Resistance };

// The factor that turns a value in `unit` into Vorex's unit of `kind`; nothing for a unit that
// is not one of that kind. Units are matched as written ("mV/s", "cm²", "cm^2", "µA", "uA").
std::optional<double> UnitScale(std::string_view unit, Quantity kind);

// A header value as a number. Header values can use the other decimal mark than the data (a
// German PC writes "0,001" beside "4.42"), so the data's mark is tried first, then the other.
std::optional<double> ParseHeaderNumber(std::string_view field, bool decimalComma);

// "0,001 cm²" -> {0.001, "cm²"}; the unit is empty when none follows the number.
struct NumberWithUnit {
  std::optional<double> value;
  std::string_view unit;
};
NumberWithUnit SplitNumberAndUnit(std::string_view field, bool decimalComma);

// The text inside the last parentheses: "Scan Rate (mV/s)" -> "mV/s"; empty when there are none.
std::string_view UnitInLastParentheses(std::string_view label);

}  // namespace vorex
