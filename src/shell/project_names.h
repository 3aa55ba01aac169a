#pragma once

#include <optional>
#include <string_view>

#include "base/window.h"
#include "curves/curve_store.h"
#include "experiment/settings_keywords.h"
#include "fitting/global_fit.h"

// The words a project file writes for the program's enumerations, and the lookups both ways.
namespace vorex {

inline constexpr std::string_view kProjectFormatName = "vorex-project";
// Columns 1..7 of the store's simulated currents: the charge reactions, the total, the scratch.
inline constexpr int kSimulatedCurrentColumns = 7;

std::string_view RoleName(CurveRole role);
std::optional<CurveRole> RoleNamed(std::string_view name);

std::string_view KeywordKindName(KeywordValue::Kind kind);
std::optional<KeywordValue::Kind> KeywordKindNamed(std::string_view name);

std::string_view WeightingWord(CurveWeighting weighting);
std::optional<CurveWeighting> WeightingOfWord(std::string_view name);

// A control by its full name ("XminText", "linestyle1(2)"); nullptr when the window has none.
Control* FindByFullName(const Window& window, std::string_view fullName);

}  // namespace vorex
