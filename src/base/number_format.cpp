#include "base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <type_traits>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

// A finite non-zero value as significant digits d1 d2 ... dk (no trailing zeros) times
// 10^(exponent - k + 1), i.e. d1.d2...dk E exponent.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// The digits and exponent of a text such as "1.2345e-05" that to_chars wrote.
Decimal Parsed(std::string_view text, bool negative) {
  Decimal d;
  d.negative = negative;
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits += c;
  }
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent);
  d.exponent = exponent;
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// A double's 15 significant digits, correctly rounded, from its shortest round-trip text where
// that gives them: a shortest text of at most 15 digits is itself the rounding (the double lies
// within half an ulp of it, far inside half a unit of the 15th digit); one of 17 digits, or of 16
// whose 16th is not 5, rounds to the same digits as the double (the 15-digit boundary cannot lie
// between them, or the boundary would be a shorter or closer text). Nothing when the 16th digit
// is 5, or for a subnormal double, whose ulp is no longer that small: only the double itself can
// say which side of the boundary it lies.
std::optional<Decimal> FromShortest(double value) {
  if (std::fabs(value) < std::numeric_limits<double>::min()) return std::nullopt;
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                               std::chars_format::scientific);
  // The digits are kept in a buffer of their own, so that the 15 kept fit in a short string.
  char digits[24];
  int n = 0;
  const char* c = buffer;
  for (; c != r.ptr && *c != 'e'; ++c) {
    if (*c != '.') digits[n++] = *c;
  }
  int exponent = 0;
  std::from_chars(c + (c[1] == '+' ? 2 : 1), r.ptr, exponent);
  if (n == 16 && digits[15] == '5') return std::nullopt;
  if (n > 15) {
    const bool up = digits[15] >= '5';
    n = 15;
    int i = n;
    while (up && i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (up && i == 0) {
      digits[0] = '1';
      ++exponent;
    } else if (up) {
      ++digits[i - 1];
    }
  }
  while (n > 1 && digits[n - 1] == '0') --n;
  Decimal d;
  d.negative = std::signbit(value);
  d.digits.assign(digits, static_cast<std::size_t>(n));
  d.exponent = exponent;
  return d;
}

template <class T>
Decimal Decompose(T value, int significant) {
  if constexpr (std::is_same_v<T, double>) {
    if (significant == 15) {
      if (std::optional<Decimal> d = FromShortest(value)) return *d;
    }
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, significant - 1);
  return Parsed(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)),
                std::signbit(value));
}

std::string Fixed(const Decimal& d) {
  const int count = static_cast<int>(d.digits.size());
  std::string out;
  if (d.exponent >= 0) {
    for (int i = 0; i <= d.exponent; ++i)
      out += i < count ? d.digits[static_cast<std::size_t>(i)] : '0';
    if (count > d.exponent + 1) {
      out += '.';
      out += d.digits.substr(static_cast<std::size_t>(d.exponent) + 1);
    }
  } else {
    out = '.';
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out += d.digits;
  }
  return out;
}

std::string Exponential(const Decimal& d) {
  std::string out(1, d.digits[0]);
  if (d.digits.size() > 1) {
    out += '.';
    out += d.digits.substr(1);
  }
  out += d.exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

// No text stands for an infinity or a NaN: printing one as a number would show a plainly wrong
// value, so it is the fault it would have been where it arose.
template <class T>
T Printable(T value) {
  if (!std::isfinite(value)) throw RuntimeFault(kOverflow);
  return value;
}

template <class T>
std::string General(T value, int significant) {
  if (Printable(value) == 0) return " 0 ";
  const Decimal d = Decompose(value, significant);
  const bool exponential = d.exponent < -4 || d.exponent >= significant;
  std::string out(1, d.negative ? '-' : ' ');
  out += exponential ? Exponential(d) : Fixed(d);
  out += ' ';
  return out;
}

// Rounds the digits to `keep` significant digits, half away from zero, carrying into the
// exponent when the digits were all nines.
void RoundTo(Decimal& d, std::size_t keep) {
  if (d.digits.size() <= keep) return;
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (up) {
    std::size_t i = keep;
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      d.digits.pop_back();
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
}

}  // namespace

std::string FormatGeneral(double value) {
  return General(value, 15);
}

std::string FormatGeneralSingle(float value) {
  return General(value, 7);
}

std::string FormatGeneral(const std::optional<double>& value) {
  return value ? FormatGeneral(*value) : std::string();
}

std::string FormatPattern(double value, std::string_view pattern) {
  const std::size_t point = pattern.find('.');
  const std::size_t letterAt = pattern.find_first_of("eE");
  std::size_t decimals = 0;
  if (point != std::string_view::npos && letterAt != std::string_view::npos && letterAt > point) {
    decimals = letterAt - point - 1;
  }
  const char letter = letterAt == std::string_view::npos ? 'E' : pattern[letterAt];
  if (Printable(value) == 0) return std::string("0") + letter + "0";

  Decimal d = Decompose(value, 15);
  RoundTo(d, decimals + 1);
  std::string out = d.negative ? "-" : "";
  out += d.digits[0];
  if (d.digits.size() > 1) {
    out += '.';
    out += d.digits.substr(1);
  }
  out += letter;
  if (d.exponent < 0) out += '-';
  out += std::to_string(std::abs(d.exponent));
  return out;
}

std::string FormatShortest(double value) {
  if (Printable(value) == 0) return "0";
  // The fewest significant digits, at most 15, that read back to the value; a quotient such as
  // 0.005 / 0.1 that no 15-digit text reproduces is shown with 15 digits, as "0.05".
  char buffer[64];
  int digits = 15;
  for (int p = 1; p < 15; ++p) {
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, p - 1);
    double back = 0;
    std::from_chars(buffer, r.ptr, back);
    if (back == value) {
      digits = p;
      break;
    }
  }
  const int exponent = Decompose(value, digits).exponent;
  const int precision = exponent >= 0 && exponent < 15 ? std::max(digits, exponent + 1) : digits;
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  return std::string(buffer, r.ptr);
}

std::string FormatCoordinate(double value) {
  Printable(value);
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string text(buffer, r.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string FormatDecimals(double value, int decimals) {
  Printable(value);
  char buffer[400];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, r.ptr);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string FormatSignificant(double value, int digits) {
  Printable(value);
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                               digits - 1);
  std::string text(buffer, r.ptr);
  const std::size_t e = text.find('e');
  if (e != std::string::npos) text[e] = 'E';
  return text;
}

std::string FormatRoundTrip(double value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

}  // namespace vorex
