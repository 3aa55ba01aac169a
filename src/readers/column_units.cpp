#include "readers/column_units.h"

#include "readers/text_decoding.h"

namespace vorex {

TitledColumn UnitInParentheses(std::string_view title) {
  title = Trim(title);
  const std::size_t open = title.rfind('(');
  // "WE(1).Current" ends in no parenthesis of its own: the "(1)" is part of the name.
  if (title.empty() || title.back() != ')' || open == std::string_view::npos || open == 0) {
    return {title, {}};
  }
  return {Trim(title.substr(0, open)), Trim(title.substr(open + 1, title.size() - open - 2))};
}

TitledColumn UnitAfterSlash(std::string_view title) {
  title = Trim(title);
  const std::size_t slash = title.rfind('/');
  if (slash == std::string_view::npos) return {title, {}};
  std::string_view name = title.substr(0, slash);
  std::string_view unit = title.substr(slash + 1);
  // CHI's square-wave titles put the quantity in parentheses: "Diff(i/A)".
  const std::size_t open = name.find('(');
  if (open != std::string_view::npos && !unit.empty() && unit.back() == ')') {
    name = name.substr(0, open);
    unit.remove_suffix(1);
  }
  return {Trim(name), Trim(unit)};
}

TitledColumn UnitInTitle(std::string_view title) {
  title = Trim(title);
  TitledColumn column;
  if (!title.empty() && title.back() == ']' && title.rfind('[') != std::string_view::npos) {
    const std::size_t open = title.rfind('[');
    column = {Trim(title.substr(0, open)), Trim(title.substr(open + 1, title.size() - open - 2))};
  } else if (!title.empty() && title.back() == ')') {
    column = UnitInParentheses(title);
  } else {
    column = UnitAfterSlash(title);
  }
  const std::size_t blank = column.unit.find(' ');
  if (blank != std::string_view::npos) column.unit = column.unit.substr(0, blank);
  return column;
}

std::optional<double> AmpereScale(std::string_view unit) {
  unit = Trim(unit);
  if (unit == "A") return 1.0;
  if (unit == "mA") return 1e-3;
  // Micro as "u", MICRO SIGN U+00B5 or GREEK SMALL LETTER MU U+03BC ("\x41" is the "A").
  if (unit == "uA" || unit == "\xC2\xB5\x41" || unit == "\xCE\xBC\x41") return 1e-6;
  if (unit == "nA") return 1e-9;
  if (unit == "pA") return 1e-12;
  return std::nullopt;
}

std::optional<double> VoltScale(std::string_view unit) {
  unit = Trim(unit);
  if (unit == "V") return 1.0;
  if (unit == "mV") return 1e-3;
  return std::nullopt;
}

}  // namespace vorex
