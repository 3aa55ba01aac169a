#include "experiment/settings_file.h"

#include <cmath>
#include <span>

#include "base/file_reading.h"
#include "base/file_writing.h"
#include "base/number_format.h"
#include "experiment/settings_keywords.h"
#include "experiment/written_mechanism.h"
#include "readers/json_value.h"
#include "readers/measured_data.h"

namespace vorex {
namespace {

constexpr std::string_view kFormatName = "Vorex settings";

// A text that is a JSON number as it stands (RFC 8259: -?int frac? exp?).
bool IsJsonNumber(std::string_view t) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i - start;
  };
  if (i < t.size() && t[i] == '-') ++i;
  const std::size_t start = i;
  const std::size_t whole = digits();
  if (whole == 0 || (whole > 1 && t[start] == '0')) return false;
  if (i < t.size() && t[i] == '.') {
    ++i;
    if (digits() == 0) return false;
  }
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == t.size();
}

std::string JsonOf(const KeywordValue& v) {
  switch (v.kind) {
    case KeywordValue::Kind::Flag:
      return v.flag ? "true" : "false";
    case KeywordValue::Kind::Name:
      return JsonString(v.text);
    case KeywordValue::Kind::Number:
      break;
  }
  return IsJsonNumber(v.text) ? v.text : JsonString(v.text);
}

KeywordValue KeywordOf(const JsonMember& m) {
  const JsonValue& v = m.value;
  switch (v.kind) {
    case JsonValue::Kind::Number:
      return KeywordValue::Number(v.numberText, v.numberText);
    case JsonValue::Kind::String:
      return KeywordValue::Name(v.string, JsonString(v.string));
    case JsonValue::Kind::Boolean:
      return KeywordValue::Flag(v.boolean, v.boolean ? "true" : "false");
    default:
      throw KeywordError(m.key + " must be a number, a text, true or false", true);
  }
}

// The measured programme of a file: 2..4000 numbers; KeywordError otherwise.
ProgrammePotentials ProgrammeOf(const JsonValue& v) {
  if (v.kind != JsonValue::Kind::Array || v.array.size() < 2 || v.array.size() > 4000)
    throw KeywordError("programme must be a list of 2 to 4000 potentials", true);
  std::vector<double> e;
  e.reserve(v.array.size());
  for (const JsonValue& x : v.array) {
    if (x.kind != JsonValue::Kind::Number || !std::isfinite(x.number))
      throw KeywordError("programme must hold numbers only", true);
    e.push_back(x.number);
  }
  return ProgrammePotentials(std::move(e));
}

std::string Refused(const std::string& why) {
  return "not a settings file: " + why;
}

}  // namespace

std::string SettingsJson(const Settings& settings) {
  // Settings a built-in mechanism describes, with the written one's fields at their defaults, are
  // written as version 1 wrote them, for the programs that read version 1 only.
  static const Settings defaults;
  bool written = settings.Mechanism() == MechanismCode::Written;
  for (int i = 0; i < kStoredFieldCount && !written; ++i) {
    const auto id = static_cast<FieldId>(i);
    written = WrittenOnly(id) && settings.Value(id) != defaults.Value(id);
  }
  std::string out = "{\n  \"format\": " + JsonString(kFormatName) +
                    ",\n  \"version\": " + std::to_string(written ? kSettingsFormatVersion : 1) +
                    ",\n  \"settings\": {\n";
  std::vector<Keyword> keywords = KeywordsOf(settings);
  if (!written) {
    std::erase_if(keywords,
                  [](const Keyword& k) { return WrittenOnly(FieldByKeyword(k.name)->id); });
  }
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    out += "    " + JsonString(keywords[i].name) + ": " + JsonOf(keywords[i].value);
    out += i + 1 < keywords.size() ? ",\n" : "\n";
  }
  out += "  }";
  const std::span<const double> programme = settings.MeasuredPotentials().View();
  if (!programme.empty()) {
    // The measured programme's potentials as they read back exactly, ten to a line.
    out += ",\n  \"programme\": [";
    for (std::size_t i = 0; i < programme.size(); ++i) {
      out += i == 0 ? "" : (i % 10 == 0 ? ",\n    " : ", ");
      out += FormatRoundTrip(programme[i]);
    }
    out += "]";
  }
  return out + "\n}\n";
}

SettingsRead ParseSettingsJson(std::string_view text) {
  SettingsRead read;
  JsonValue document;
  try {
    document = ParseJsonKeepingNumberText(text);
  } catch (const ReadError& error) {
    read.error = Refused(error.Message());
    return read;
  }
  return SettingsFromJson(document);
}

SettingsRead SettingsFromJson(const JsonValue& document) {
  SettingsRead read;
  const JsonValue* format =
      document.kind == JsonValue::Kind::Object ? document.Find("format") : nullptr;
  if (format == nullptr || format->string != kFormatName) {
    read.error = Refused("it does not say \"format\": \"Vorex settings\"");
    return read;
  }
  const JsonValue* version = document.Find("version");
  if (version == nullptr || version->kind != JsonValue::Kind::Number || version->number < 1) {
    read.error = Refused("it has no format version");
    return read;
  }
  if (version->number > kSettingsFormatVersion) {
    read.error = "the settings were written in format version " + version->numberText +
                 " by a newer Vorex; this one reads version " +
                 std::to_string(kSettingsFormatVersion);
    return read;
  }
  const JsonValue* members = document.Find("settings");
  if (members == nullptr || members->kind != JsonValue::Kind::Object) {
    read.error = Refused("it holds no \"settings\" object");
    return read;
  }
  try {
    std::vector<Keyword> keywords;
    for (const JsonMember& m : members->object) keywords.push_back(Keyword{m.key, KeywordOf(m)});
    Settings settings;
    SetByKeywords(settings, keywords, KeywordCheck::AsStored);
    if (const JsonValue* programme = document.Find("programme")) {
      settings.SetMeasuredPotentials(ProgrammeOf(*programme));
    }
    // A written mechanism no text gives could not run: the file is refused as it stands.
    if (auto fault = WrittenMechanismFault(settings)) {
      read.error = *fault;
      return read;
    }
    read.settings = settings;
  } catch (const KeywordError& error) {
    read.error = error.what();
  }
  return read;
}

SettingsRead ReadSettingsFile(const std::string& path) {
  std::string error;
  const std::optional<std::string> text = ReadDataFile(path, kMaxSettingsFileBytes, error);
  if (!text) return SettingsRead{std::nullopt, error};
  return ParseSettingsJson(*text);
}

std::optional<std::string> WriteSettingsFile(const std::string& path, const Settings& settings) {
  return WriteFileAtomically(path, SettingsJson(settings));
}

}  // namespace vorex
