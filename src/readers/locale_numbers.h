#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vorex {

// A whole field as a number, locale-free: optional sign, digits with a decimal point (or a
// decimal comma when `decimalComma`), optional exponent; blanks around it allowed. Nothing for
// anything else (an empty field, "XXX", "1.000,5", a thousands separator, text after the number).
std::optional<double> ParseNumber(std::string_view field, bool decimalComma);

// Whether the data lines of a file write their numbers with a decimal comma: true when a field
// of them reads as a number only with the comma (e.g. "-0,25" or "4,32E+004") and none reads only
// with the point. Look at data lines alone: header values and dates mislead.
bool UsesDecimalComma(const std::vector<std::string_view>& dataLines, char separator);

}  // namespace vorex
