#include "readers/setting_units.h"

#include <array>
#include <utility>

#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

using UnitRow = std::pair<std::string_view, double>;

// "µ" comes as U+00B5 (micro sign) or U+03BC (Greek mu); "Ω" as U+03A9 or U+2126 (ohm sign).
constexpr std::array kPotential = {UnitRow{"V", 1.0}, UnitRow{"mV", 1e-3}, UnitRow{"\u00B5V", 1e-6},
                                   UnitRow{"\u03BCV", 1e-6}, UnitRow{"uV", 1e-6}};
constexpr std::array kCurrent = {
    UnitRow{"A", 1.0},   UnitRow{"mA", 1e-3}, UnitRow{"\u00B5A", 1e-6}, UnitRow{"\u03BCA", 1e-6},
    UnitRow{"uA", 1e-6}, UnitRow{"nA", 1e-9}, UnitRow{"pA", 1e-12}};
constexpr std::array kScanRate = {UnitRow{"V/s", 1.0}, UnitRow{"mV/s", 1e-3},
                                  UnitRow{"\u00B5V/s", 1e-6}, UnitRow{"uV/s", 1e-6}};
constexpr std::array kTime = {UnitRow{"s", 1.0}, UnitRow{"sec", 1.0}, UnitRow{"ms", 1e-3},
                              UnitRow{"\u00B5s", 1e-6}, UnitRow{"us", 1e-6}};
constexpr std::array kFrequency = {UnitRow{"Hz", 1.0}, UnitRow{"kHz", 1e3}};
constexpr std::array kArea = {UnitRow{"cm2", 1.0},       UnitRow{"cm\u00B2", 1.0},
                              UnitRow{"cm^2", 1.0},      UnitRow{"mm2", 1e-2},
                              UnitRow{"mm\u00B2", 1e-2}, UnitRow{"mm^2", 1e-2}};
constexpr std::array kResistance = {
    UnitRow{"ohm", 1.0},  UnitRow{"Ohm", 1.0},    UnitRow{"\u03A9", 1.0},  UnitRow{"\u2126", 1.0},
    UnitRow{"kOhm", 1e3}, UnitRow{"kohm", 1e3},   UnitRow{"k\u03A9", 1e3}, UnitRow{"mOhm", 1e-3},
    UnitRow{"MOhm", 1e6}, UnitRow{"M\u03A9", 1e6}};

template <std::size_t N>
std::optional<double> Find(const std::array<UnitRow, N>& table, std::string_view unit) {
  for (const auto& [name, scale] : table) {
    if (name == unit) return scale;
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> UnitScale(std::string_view unit, Quantity kind) {
  unit = Trim(unit);
  switch (kind) {
    case Quantity::Potential:
      return Find(kPotential, unit);
    case Quantity::Current:
      return Find(kCurrent, unit);
    case Quantity::ScanRate:
      return Find(kScanRate, unit);
    case Quantity::Time:
      return Find(kTime, unit);
    case Quantity::Frequency:
      return Find(kFrequency, unit);
    case Quantity::Area:
      return Find(kArea, unit);
    case Quantity::Resistance:
      return Find(kResistance, unit);
  }
  return std::nullopt;
}

std::optional<double> ParseHeaderNumber(std::string_view field, bool decimalComma) {
  if (const auto value = ParseNumber(field, decimalComma)) return value;
  return ParseNumber(field, !decimalComma);
}

NumberWithUnit SplitNumberAndUnit(std::string_view field, bool decimalComma) {
  field = Trim(field);
  const std::size_t blank = field.find_first_of(" \t");
  if (blank == std::string_view::npos) return {ParseHeaderNumber(field, decimalComma), {}};
  return {ParseHeaderNumber(field.substr(0, blank), decimalComma), Trim(field.substr(blank))};
}

std::string_view UnitInLastParentheses(std::string_view label) {
  const std::size_t close = label.rfind(')');
  if (close == std::string_view::npos) return {};
  const std::size_t open = label.rfind('(', close);
  if (open == std::string_view::npos) return {};
  return Trim(label.substr(open + 1, close - open - 1));
}

}  // namespace vorex
