#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "experiment/settings.h"
#include "readers/json_value.h"

// Settings files: every field of the settings by its keyword in a JSON object, with a format
// name and version, so that a file read back gives the same settings bit for bit.
namespace vorex {

inline constexpr const char* kSettingsFilter = "settings (*.json)|*.json|all|*.*";
// Version 2 adds the written mechanism (mechanism 18, mechanism_text, species E..H, reaction row
// 4, fit slots 26..38); a file of version 1 reads as before, the new fields at their defaults,
// and settings that use none of them are still written as version 1.
inline constexpr int kSettingsFormatVersion = 2;
// No settings file needs more; a longer one is refused by its size before it is read [bytes].
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{1} << 20;

// The file's text: each text as it was typed (a JSON number where the text is one, a JSON string
// otherwise), names as strings, check boxes as true or false.
std::string SettingsJson(const Settings& settings);

// The settings a file's text gives: the design defaults, then each member by its keyword. Why
// not, naming the member or the line, when the text is not a settings file or holds a value
// that does not suit its field.
struct SettingsRead {
  std::optional<Settings> settings;
  std::string error;
};
SettingsRead ParseSettingsJson(std::string_view text);
// The same from a document already read (a settings object inside a larger file).
SettingsRead SettingsFromJson(const JsonValue& document);

// The same, from a file and into one (atomically); the reason of a failure.
SettingsRead ReadSettingsFile(const std::string& path);
std::optional<std::string> WriteSettingsFile(const std::string& path, const Settings& settings);

}  // namespace vorex
