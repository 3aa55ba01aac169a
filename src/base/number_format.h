#pragma once

#include <optional>
#include <string>
#include <string_view>

// Writing numbers as text. Every number the system shows or writes goes through here. None of
// these gives a text for an infinity or a NaN: they raise "Overflow" instead, as the computation
// that produced the value should already have done.
namespace vorex {

// The general format of printed results: at most 15 significant digits, trailing zeros dropped,
// no zero before the point (".5", "-.028"), exponent form "1.5E-05" / "1E+15" when the decimal
// exponent is below -4 or at least 15; one blank before a non-negative number (the minus sign
// otherwise) and one blank after. Zero, of either sign, is " 0 ".
std::string FormatGeneral(double value);

// The same for a single-precision value: 7 significant digits, exponent form from 1E+07 up.
std::string FormatGeneralSingle(float value);

// A value that was never assigned prints as nothing.
std::string FormatGeneral(const std::optional<double>& value);

// Scientific format patterns such as "0.##e-0", "#.###e-#", "0.###e-#" and "0.#E-0": one digit
// before the point, at most as many decimals as the pattern has after its point (trailing zeros
// dropped, no point when none remain), the pattern's exponent letter, a sign only for a negative
// exponent, no leading zeros; the 15-digit decimal value is rounded half away from zero.
// 0.25 -> "2.5e-1" with "0.##e-0", 1000 -> "1e3" with "#.###e-#".
std::string FormatPattern(double value, std::string_view pattern);

// The shortest general decimal form: the fewest significant digits, at most 15, that read back to
// the same double ("0.5", "0.05", "1e-05"); 15 digits when none does ("0.05" for 0.005 / 0.1).
std::string FormatShortest(double value);

// The shortest text that reads back to exactly the same double, with as many digits as that takes
// (up to 17): a number's identity, as settings compare and store it, not a display.
std::string FormatRoundTrip(double value);

// Fixed with exactly `decimals` decimals, a zero before the point and no sign on zero:
// 0.15503 -> "0.1550" with 4 decimals, -0.00001 -> "0.0000".
std::string FormatDecimals(double value, int decimals);

// Exponent form with exactly `digits` significant digits, the exponent as the general format
// writes it: 1e-5 -> "1.000E-05" and -0.000123456 -> "-1.235E-04" with 4 digits.
std::string FormatSignificant(double value, int digits);

// A drawing coordinate: fixed, at most two decimals, trailing zeros dropped ("12.5", "-3").
std::string FormatCoordinate(double value);

}  // namespace vorex
