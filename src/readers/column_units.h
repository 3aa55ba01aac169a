#pragma once

#include <optional>
#include <string_view>

namespace vorex {

// A column title cut into the quantity's name and its unit.
struct TitledColumn {
  std::string_view name;
  std::string_view unit;  // empty when the title names none
};

// "WE(1).Current (A)" -> {"WE(1).Current", "A"}; "Scan" -> {"Scan", ""}.
TitledColumn UnitInParentheses(std::string_view title);
// "Current/A" -> {"Current", "A"}; "Diff(i/A)" -> {"Diff", "A"}; "Index" -> {"Index", ""}.
TitledColumn UnitAfterSlash(std::string_view title);
// Any of the ways spreadsheets and instrument programs write a unit into a title: "E / mV",
// "Potential (V)", "I/uA", "Current [mA]", "WE(1).Current (A)"; a unit followed by more words
// ("V vs. SCE") is cut to its first word.
TitledColumn UnitInTitle(std::string_view title);

// The factor that turns a value in `unit` into A (or V), nothing for a unit that is not one.
std::optional<double> AmpereScale(std::string_view unit);
std::optional<double> VoltScale(std::string_view unit);

// The note of the readers whose files count oxidation current positive.
inline constexpr std::string_view kAnodicPositiveNote =
    "The file counts anodic current positive; the currents were negated to reduction positive.";

}  // namespace vorex
