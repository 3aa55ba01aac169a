#include "readers/palmsens_common.h"

#include <array>
#include <utility>

#include "readers/text_decoding.h"

namespace vorex {
namespace {

// The short prefixes are case-sensitive ("m" is milli); the spelled-out ones of the type names
// are not.
std::optional<double> PrefixFactor(std::string_view prefix) {
  static constexpr std::array<std::pair<std::string_view, double>, 7> kShort = {
      {{"", 1.0},
       {"m", 1e-3},
       {"u", 1e-6},
       {"\xC2\xB5", 1e-6},  // the micro sign
       {"\xCE\xBC", 1e-6},  // the Greek mu some fonts map it to
       {"n", 1e-9},
       {"p", 1e-12}}};
  static constexpr std::array<std::pair<std::string_view, double>, 4> kLong = {
      {{"Milli", 1e-3}, {"Micro", 1e-6}, {"Nano", 1e-9}, {"Pico", 1e-12}}};
  for (const auto& [name, factor] : kShort) {
    if (prefix == name) return factor;
  }
  for (const auto& [name, factor] : kLong) {
    if (EqualsIgnoringCase(prefix, name)) return factor;
  }
  return std::nullopt;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

std::optional<PalmSensUnit> ReadPalmSensUnit(std::string_view unit) {
  unit = Trim(unit);
  if (const auto dot = unit.rfind('.'); dot != std::string_view::npos) unit.remove_prefix(dot + 1);
  static constexpr std::array<std::pair<std::string_view, PalmSensQuantity>, 4> kBases = {
      {{"Ampere", PalmSensQuantity::Current},
       {"Volt", PalmSensQuantity::Potential},
       {"A", PalmSensQuantity::Current},
       {"V", PalmSensQuantity::Potential}}};
  for (const auto& [base, quantity] : kBases) {
    const bool spelled = base.size() > 1;
    if (spelled ? !EndsWithIgnoringCase(unit, base) : !unit.ends_with(base)) continue;
    const std::string_view prefix = unit.substr(0, unit.size() - base.size());
    if (!spelled && prefix.size() > 2) continue;
    if (const auto factor = PrefixFactor(prefix)) return PalmSensUnit{quantity, *factor};
  }
  return std::nullopt;
}

std::optional<int> PalmSensScanNumber(std::string_view text) {
  for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
    if (!EqualsIgnoringCase(text.substr(i, 4), "scan")) continue;
    std::size_t k = i + 4;
    while (k < text.size() && text[k] == ' ') ++k;
    int number = 0, digits = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9' && digits < 9; ++k, ++digits) {
      number = number * 10 + (text[k] - '0');
    }
    if (digits > 0) return number;
  }
  return std::nullopt;
}

void MakeReductionPositive(MeasuredData& data) {
  for (MeasuredCycle& cycle : data.cycles) {
    for (double& i : cycle.current) i = -i;
  }
  data.notes.push_back(
      "The file counts anodic current positive; the currents were negated to reduction "
      "positive.");
}

}  // namespace vorex
