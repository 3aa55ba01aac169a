#pragma once

#include <cstdint>

// Arithmetic that raises RuntimeFault instead of letting an infinity or NaN escape.
namespace vorex {

// The value itself, or "Overflow" when it is not finite.
double Finite(double x);

double CheckedDivide(double numerator, double denominator);  // "Division by zero" on 0
double CheckedExp(double x);                                 // "Overflow" when too large
double CheckedLog(double x);                                 // invalid argument unless x > 0
double CheckedSqrt(double x);                                // invalid argument when x < 0
// Invalid argument for a negative base with a non-integer exponent, "Division by zero" for a
// zero base with a negative exponent.
double CheckedPow(double base, double exponent);

// Conversion to a 16-bit counter: halves go to the even neighbour, "Overflow" outside
// -32768..32767.
std::int16_t ToInt16(double x);

}  // namespace vorex
