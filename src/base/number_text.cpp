#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the parts of a number lie in a text, all positions relative to its start.
struct NumberScan {
  std::size_t begin = 0;          // first character after the leading blanks
  bool negative = false;
  std::string mantissa;           // digits and the point, without sign
  int mantissaDigits = 0;
  bool exponentLetter = false;    // an "e" or "E" was met
  bool exponentComplete = false;  // ... and followed by at least one digit
  std::string exponent;           // sign and digits of a complete exponent
  std::size_t end = 0;            // one past the last character of the number
};

NumberScan Scan(std::string_view text) {
  NumberScan s;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  s.begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    s.negative = text[i] == '-';
    ++i;
  }
  while (i < text.size() && IsDigit(text[i])) {
    s.mantissa += text[i++];
    ++s.mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    s.mantissa += text[i++];
    while (i < text.size() && IsDigit(text[i])) {
      s.mantissa += text[i++];
      ++s.mantissaDigits;
    }
  }
  s.end = i;
  if (s.mantissaDigits == 0 && s.mantissa.empty()) return s;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    s.exponentLetter = true;
    std::size_t j = i + 1;
    std::string exponent;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::size_t firstDigit = j;
    while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
    if (j > firstDigit) {
      s.exponentComplete = true;
      s.exponent = exponent;
      s.end = j;
    }
  }
  return s;
}

// The decimal exponent of the leading significant digit, for telling an overflow from an
// underflow when the conversion reports a value out of range.
long LeadingDecade(const NumberScan& s) {
  const std::size_t point = s.mantissa.find('.');
  const long intDigits = static_cast<long>(point == std::string::npos ? s.mantissa.size() : point);
  long lead = 0;
  long digitIndex = 0;
  for (char c : s.mantissa) {
    if (c == '.') continue;
    if (c != '0') {
      lead = intDigits - 1 - digitIndex;
      break;
    }
    ++digitIndex;
  }
  long exponent = 0;
  for (char c : s.exponent) {
    if (IsDigit(c) && exponent < 100000000) exponent = exponent * 10 + (c - '0');
  }
  return lead + (s.exponent.starts_with('-') ? -exponent : exponent);
}

// The value of a scanned number; only the mantissa and a complete exponent take part.
double Convert(const NumberScan& s) {
  if (s.mantissaDigits == 0) return s.negative ? -0.0 : 0.0;
  std::string digits = s.mantissa;
  if (s.exponentComplete) {
    digits += 'e';
    // from_chars takes no "+" in the exponent.
    digits += s.exponent[0] == '+' ? s.exponent.substr(1) : s.exponent;
  }
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (LeadingDecade(s) > 0) throw RuntimeFault(kOverflow);
    value = 0.0;
  }
  return s.negative ? -value : value;
}

}  // namespace

double NumericPrefix(std::string_view text) { return Convert(Scan(text)); }

std::optional<double> StrictNumber(std::string_view text) {
  const NumberScan s = Scan(text);
  if (s.mantissaDigits == 0) return std::nullopt;
  if (s.exponentLetter && !s.exponentComplete) return std::nullopt;
  for (std::size_t i = s.end; i < text.size(); ++i) {
    if (!IsBlank(text[i])) return std::nullopt;
  }
  try {
    return Convert(s);
  } catch (const RuntimeFault&) {
    return std::nullopt;
  }
}

}  // namespace vorex
