#include "shell/project_names.h"

#include <array>
#include <charconv>
#include <utility>

namespace vorex {
namespace {

template <class T, std::size_t N>
std::string_view NameIn(const std::array<std::pair<T, std::string_view>, N>& table, T value) {
  for (const auto& [v, name] : table) {
    if (v == value) return name;
  }
  return table[0].second;
}

template <class T, std::size_t N>
std::optional<T> ValueIn(const std::array<std::pair<T, std::string_view>, N>& table,
                         std::string_view name) {
  for (const auto& [v, n] : table) {
    if (n == name) return v;
  }
  return std::nullopt;
}

constexpr std::array<std::pair<CurveRole, std::string_view>, 7> kRoles{{
    {CurveRole::Simulated, "simulated"},
    {CurveRole::Measured, "measured"},
    {CurveRole::Fitted, "fitted"},
    {CurveRole::Reaction1, "reaction 1"},
    {CurveRole::Reaction2, "reaction 2"},
    {CurveRole::Reaction3, "reaction 3"},
    {CurveRole::Residual, "residual"},
}};

constexpr std::array<std::pair<KeywordValue::Kind, std::string_view>, 3> kKinds{{
    {KeywordValue::Kind::Number, "number"},
    {KeywordValue::Kind::Name, "name"},
    {KeywordValue::Kind::Flag, "flag"},
}};

constexpr std::array<std::pair<CurveWeighting, std::string_view>, 3> kWeightings{{
    {CurveWeighting::None, "none"},
    {CurveWeighting::LargestCurrent, "largest current"},
    {CurveWeighting::Noise, "noise"},
}};

}  // namespace

std::string_view RoleName(CurveRole role) {
  return NameIn(kRoles, role);
}
std::optional<CurveRole> RoleNamed(std::string_view name) {
  return ValueIn(kRoles, name);
}
std::string_view KeywordKindName(KeywordValue::Kind kind) {
  return NameIn(kKinds, kind);
}
std::optional<KeywordValue::Kind> KeywordKindNamed(std::string_view name) {
  return ValueIn(kKinds, name);
}
std::string_view WeightingWord(CurveWeighting weighting) {
  return NameIn(kWeightings, weighting);
}
std::optional<CurveWeighting> WeightingOfWord(std::string_view name) {
  return ValueIn(kWeightings, name);
}

Control* FindByFullName(const Window& window, std::string_view fullName) {
  int index = Control::kNoIndex;
  std::string_view name = fullName;
  const std::size_t open = fullName.find('(');
  if (open != std::string_view::npos) {
    if (fullName.back() != ')') return nullptr;
    const std::string_view digits = fullName.substr(open + 1, fullName.size() - open - 2);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0) return nullptr;
    name = fullName.substr(0, open);
  }
  return window.Find(name, index);
}

}  // namespace vorex
