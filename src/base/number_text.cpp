#include "base/number_text.h"

#include <charconv>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Where the parts of a number lie in a text. The digits are converted in place, so reading a
// field allocates nothing.
struct NumberScan {
  bool negative = false;
  std::size_t mantissaBegin = 0;  // first digit or point after the sign
  std::size_t mantissaEnd = 0;
  int mantissaDigits = 0;
  bool exponentLetter = false;    // an "e" or "E" follows the mantissa
  bool exponentComplete = false;  // ... with at least one digit
  std::size_t end = 0;            // one past the number (the exponent included when complete)
};

NumberScan Scan(std::string_view text) {
  NumberScan s;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) s.negative = text[i++] == '-';
  s.mantissaBegin = i;
  while (i < text.size() && IsDigit(text[i])) ++i, ++s.mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++s.mantissaDigits;
  }
  s.mantissaEnd = s.end = i;
  if (s.mantissaEnd == s.mantissaBegin) return s;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    s.exponentLetter = true;
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t firstDigit = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > firstDigit) {
      s.exponentComplete = true;
      s.end = j;
    }
  }
  return s;
}

// The decimal exponent of the leading significant digit, for telling an overflow from an
// underflow when the conversion reports a value out of range.
long LeadingDecade(std::string_view text, const NumberScan& s) {
  long intDigits = 0;
  std::size_t k = s.mantissaBegin;
  while (k < s.mantissaEnd && text[k] != '.') ++k, ++intDigits;
  long lead = 0;
  long digitIndex = 0;
  for (k = s.mantissaBegin; k < s.mantissaEnd; ++k) {
    if (text[k] == '.') continue;
    if (text[k] != '0') {
      lead = intDigits - 1 - digitIndex;
      break;
    }
    ++digitIndex;
  }
  long exponent = 0;
  bool negative = false;
  for (k = s.mantissaEnd + 1; s.exponentComplete && k < s.end; ++k) {
    if (text[k] == '-') negative = true;
    if (IsDigit(text[k]) && exponent < 100000000) exponent = exponent * 10 + (text[k] - '0');
  }
  return lead + (negative ? -exponent : exponent);
}

double Convert(std::string_view text, const NumberScan& s) {
  if (s.mantissaDigits == 0) return s.negative ? -0.0 : 0.0;
  // The slice holds only digits, a point and a complete exponent, so from_chars reads exactly the
  // scanned number (never "inf" or "nan").
  const char* first = text.data() + s.mantissaBegin;
  const char* last = text.data() + (s.exponentComplete ? s.end : s.mantissaEnd);
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (LeadingDecade(text, s) > 0) throw RuntimeFault(kOverflow);
    value = 0.0;
  }
  return s.negative ? -value : value;
}

}  // namespace

double NumericPrefix(std::string_view text) {
  return Convert(text, Scan(text));
}

std::optional<double> StrictNumber(std::string_view text) {
  const NumberScan s = Scan(text);
  if (s.mantissaDigits == 0) return std::nullopt;
  if (s.exponentLetter && !s.exponentComplete) return std::nullopt;
  for (std::size_t i = s.end; i < text.size(); ++i) {
    if (!IsBlank(text[i])) return std::nullopt;
  }
  try {
    return Convert(text, s);
  } catch (const RuntimeFault&) {
    return std::nullopt;
  }
}

}  // namespace vorex
