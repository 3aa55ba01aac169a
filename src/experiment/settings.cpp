#include "experiment/settings.h"

#include <algorithm>
#include <stdexcept>

#include "experiment/catalogue.h"

namespace vorex {
namespace {

const std::array<std::string, kStoredFieldCount>& DesignValues() {
  static const std::array<std::string, kStoredFieldCount> values = [] {
    std::array<std::string, kStoredFieldCount> v;
    for (int i = 0; i < kStoredFieldCount; ++i) v[i] = SettingsTable()[i].defaultValue;
    return v;
  }();
  return values;
}

std::size_t At(FieldId id) {
  if (!IsStored(id)) throw std::logic_error("a derived field holds no value of its own");
  return static_cast<std::size_t>(FieldNumber(id));
}

std::string Quoted(std::string_view value) {
  return "\"" + std::string(value) + "\"";
}

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + Quoted(item);
  return text;
}

}  // namespace

Settings::Settings() : values_(DesignValues()) {}

const std::string& Settings::Value(FieldId id) const {
  return values_[At(id)];
}

std::string& Settings::Slot(FieldId id) {
  return values_[At(id)];
}

int Settings::Number(FieldId id) const {
  int n = 0;
  for (char c : Value(id)) n = n * 10 + (c - '0');
  return n;
}

void Settings::SetNumber(FieldId id, int number) {
  Slot(id) = std::to_string(number);
}

int Settings::ListIndex(FieldId id) const {
  const std::vector<std::string>& items = Spec(id).items;
  const auto found = std::find(items.begin(), items.end(), Value(id));
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void Settings::SetScan(ScanCode scan) {
  Slot(FieldId::Scan) = Spec(FieldId::Scan).items.at(static_cast<std::size_t>(scan));
}

void Settings::SetChecked(FieldId id, bool checked) {
  Slot(id) = checked ? "1" : "0";
}

std::optional<std::string> Settings::Set(FieldId id, std::string_view value) {
  const FieldSpec& spec = Spec(id);
  switch (spec.kind) {
    case FieldKind::Text:
      break;
    case FieldKind::List:
      if (std::find(spec.items.begin(), spec.items.end(), value) == spec.items.end()) {
        return spec.FullName() + " takes one of " + Listed(spec.items) + ", not " + Quoted(value);
      }
      break;
    case FieldKind::Check:
      if (value != "0" && value != "1") {
        return spec.FullName() + " takes 1 (ticked) or 0, not " + Quoted(value);
      }
      break;
    case FieldKind::Option: {
      const std::string count = std::to_string(spec.items.size());
      bool known = false;
      for (std::size_t n = 1; n <= spec.items.size(); ++n) known |= value == std::to_string(n);
      if (!known) return spec.FullName() + " takes 1 to " + count + ", not " + Quoted(value);
      break;
    }
    case FieldKind::Derived:
      return spec.FullName() + " is derived by the Experimental dialog and cannot be set";
  }
  Slot(id) = std::string(value);
  return std::nullopt;
}

ReactionCounts CountsOf(MechanismCode mechanism) {
  const MechanismEntry& m = Mechanism(mechanism);
  return ReactionCounts{m.species, m.chargeReactions, m.homogeneousReactions};
}

}  // namespace vorex
