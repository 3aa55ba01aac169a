#pragma once

#include <optional>
#include <string_view>

// Reading numbers from the text of a dialog field.
namespace vorex {

// The value of a field: leading blanks are skipped, then the longest prefix of the form
// [sign] digits [. digits] [e|E [sign] digits] is read and the rest ignored ("0.3V" is 0.3,
// "1,5" is 1, "1e" is 1, "." is 0). No prefix gives 0. A prefix too large for a double raises
// "Overflow"; one too small reads as zero.
double NumericPrefix(std::string_view text);

// The whole text, blanks around it allowed, must be one number of the same form with at least one
// mantissa digit and, when an exponent letter is written, its digits. Anything else, or a value
// too large for a double, gives nothing.
std::optional<double> StrictNumber(std::string_view text);

}  // namespace vorex
