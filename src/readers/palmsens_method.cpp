#include "readers/palmsens_method.h"

#include <array>
#include <map>
#include <optional>
#include <utility>

#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

std::string TechniqueName(std::string_view id) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kNames = {{
      {"cv", "Cyclic Voltammetry"},
      {"lsv", "Linear Sweep Voltammetry"},
      {"dpv", "Differential Pulse Voltammetry"},
      {"swv", "Square Wave Voltammetry"},
  }};
  for (const auto& [key, name] : kNames) {
    if (EqualsIgnoringCase(id, key)) return std::string(name);
  }
  return std::string(id);
}

std::optional<double> MethodNumber(std::string_view value) {
  if (auto number = ParseNumber(value, false)) return number;
  return ParseNumber(value, true);
}

std::optional<double> Value(const std::map<std::string, std::string_view>& values,
                            const char* key) {
  const auto found = values.find(key);
  return found == values.end() ? std::nullopt : MethodNumber(found->second);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

PalmSensMethod ReadPalmSensMethod(std::string_view text) {
  std::map<std::string, std::string_view> values;
  for (const std::string_view line : SplitLines(text)) {
    const std::string_view trimmed = Trim(line);
    const std::size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == '#' || equals == std::string_view::npos) continue;
    values.emplace(Upper(Trim(trimmed.substr(0, equals))), Trim(trimmed.substr(equals + 1)));
  }
  PalmSensMethod method;
  const auto id = values.find("METHOD_ID");
  if (id != values.end()) {
    method.technique = TechniqueName(id->second);
    method.impedance = EqualsIgnoringCase(id->second, "eis");
  }
  // A cyclic sweep turns at its first vertex; the other techniques end at E_END.
  const bool cyclic = id != values.end() && EqualsIgnoringCase(id->second, "cv");
  MeasuredSettings& s = method.settings;
  s.startPotential = Value(values, "E_BEGIN");
  s.endPotential = cyclic ? Value(values, "E_VTX1") : Value(values, "E_END");
  if (!s.endPotential) s.endPotential = cyclic ? Value(values, "E_END") : Value(values, "E_VTX1");
  s.potentialStep = Value(values, "E_STEP");
  s.scanRate = Value(values, "SCAN_RATE");
  s.pulseHeight = Value(values, "E_PULSE");
  s.pulseWidth = Value(values, "T_PULSE");
  s.frequency = Value(values, "FREQUENCY");
  return method;
}

}  // namespace vorex
