#include "experiment/settings.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/catalogue.h"
#include "experiment/written_mechanism.h"

namespace vorex {
namespace {

std::size_t At(FieldId id) {
  if (!IsStored(id)) throw std::logic_error("a derived field holds no value of its own");
  return static_cast<std::size_t>(FieldNumber(id));
}

std::string Quoted(std::string_view value) {
  std::string quoted(1, '"');
  quoted += value;
  quoted += '"';
  return quoted;
}

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + Quoted(item);
  return text;
}

}  // namespace

Settings::Settings() : Settings(Design()) {}

const Settings& Settings::Design() {
  static const Settings design = [] {
    Settings s{DesignTag{}};
    for (int i = 0; i < kStoredFieldCount; ++i) {
      s.Store(static_cast<FieldId>(i), SettingsTable()[static_cast<std::size_t>(i)].defaultValue);
    }
    return s;
  }();
  return design;
}

std::string_view Settings::Value(FieldId id) const {
  const std::size_t i = At(id);
  return std::string_view(text_).substr(start_[i], start_[i + 1] - start_[i]);
}

double Settings::Number(FieldId id) const {
  const std::size_t i = At(id);
  if (tooLarge_[i]) throw RuntimeFault(kOverflow);
  return numbers_[i];
}

void Settings::Store(FieldId id, std::string_view value) {
  const std::size_t i = At(id);
  try {
    numbers_[i] = NumericPrefix(value);
    tooLarge_[i] = false;
  } catch (const RuntimeFault&) {
    numbers_[i] = 0;
    tooLarge_[i] = true;
  }
  const std::size_t from = start_[i], length = start_[i + 1] - from;
  text_.replace(from, length, value);
  const auto shift = static_cast<long>(value.size()) - static_cast<long>(length);
  for (std::size_t k = i + 1; k < start_.size(); ++k) {
    start_[k] = static_cast<std::uint32_t>(start_[k] + shift);
  }
}

bool Settings::SameIn(const Settings& other, std::span<const FieldId> fields,
                      std::span<const FieldId> asText) const {
  for (FieldId id : fields) {
    const std::size_t i = At(id);
    // Bit for bit: 0 and -0 derive alike, but a derivation keyed by them is asked for rarely.
    if (std::memcmp(&numbers_[i], &other.numbers_[i], sizeof(double)) != 0 ||
        tooLarge_[i] != other.tooLarge_[i]) {
      return false;
    }
  }
  for (FieldId id : asText) {
    if (Value(id) != other.Value(id)) return false;
  }
  return true;
}

int Settings::OptionNumber(FieldId id) const {
  return static_cast<int>(numbers_[At(id)]);
}

void Settings::SetNumber(FieldId id, int number) {
  Store(id, std::to_string(number));
}

int Settings::ListIndex(FieldId id) const {
  const std::vector<std::string>& items = TableField(id).items;
  const auto found = std::find(items.begin(), items.end(), Value(id));
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void Settings::SetScan(ScanCode scan) {
  Store(FieldId::Scan, TableField(FieldId::Scan).items.at(static_cast<std::size_t>(scan)));
}

void Settings::SetChecked(FieldId id, bool checked) {
  Store(id, checked ? "1" : "0");
}

std::optional<std::string> Settings::Set(FieldId id, std::string_view value) {
  const FieldSpec& entry = TableField(id);
  switch (entry.kind) {
    case FieldKind::Text:
      if (value.size() > kMaxFieldText) {
        return entry.FullName() + " takes at most " + std::to_string(kMaxFieldText) +
               " characters, not " + std::to_string(value.size());
      }
      break;
    case FieldKind::List:
      if (std::find(entry.items.begin(), entry.items.end(), value) == entry.items.end()) {
        return entry.FullName() + " takes one of " + Listed(entry.items) + ", not " + Quoted(value);
      }
      break;
    case FieldKind::Check:
      if (value != "0" && value != "1") {
        return entry.FullName() + " takes 1 (ticked) or 0, not " + Quoted(value);
      }
      break;
    case FieldKind::Option: {
      const std::string count = std::to_string(entry.items.size());
      bool known = false;
      for (std::size_t n = 1; n <= entry.items.size(); ++n) known |= value == std::to_string(n);
      if (!known) return entry.FullName() + " takes 1 to " + count + ", not " + Quoted(value);
      break;
    }
    case FieldKind::Derived:
      return entry.FullName() + " is derived by the Experimental dialog and cannot be set";
  }
  const bool newText = id == FieldId::MechanismText && Value(id) != value;
  Store(id, value);
  if (newText) TakeElectronNumbers(*this);
  return std::nullopt;
}

ReactionCounts CountsOf(MechanismCode mechanism) {
  const MechanismEntry& m = Mechanism(mechanism);
  return ReactionCounts{m.species, m.chargeReactions, m.homogeneousReactions};
}

}  // namespace vorex
