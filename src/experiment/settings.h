#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "experiment/codes.h"
#include "experiment/programme_potentials.h"
#include "experiment/settings_table.h"

namespace vorex {

// The experiment description as data: the value of every field the user sets, as the dialogs
// hold it (a text box's text, a list's item, a check box's "1" or "0", an option group's
// number). Equal settings give equal parameter sets; several can live at once.
class Settings {
 public:
  // The dialogs' design defaults.
  Settings();

  // The value of a stored field.
  std::string_view Value(FieldId id) const;
  // Its numeric prefix, as the dialogs read a field (see NumericPrefix), read once when the value
  // is set; raises "Overflow" for a number too large to hold.
  double Number(FieldId id) const;
  // Sets a stored field as the user would: a text box takes any text up to kMaxFieldText
  // characters; a list one of its items; a check box "1" or "0"; an option group one of its
  // numbers. Otherwise says why and changes nothing. A new mechanism text gives the N fields of
  // its transfers its electron numbers (see TakeElectronNumbers).
  std::optional<std::string> Set(FieldId id, std::string_view value);

  TechniqueCode Technique() const {
    return static_cast<TechniqueCode>(OptionNumber(FieldId::Technique));
  }
  MechanismCode Mechanism() const {
    return static_cast<MechanismCode>(OptionNumber(FieldId::Mechanism));
  }
  ElectrodeCode Electrode() const {
    return static_cast<ElectrodeCode>(OptionNumber(FieldId::Electrode));
  }
  ScanCode Scan() const { return static_cast<ScanCode>(ListIndex(FieldId::Scan)); }
  bool Digital() const { return Checked(FieldId::Digital); }
  bool Checked(FieldId id) const { return Value(id) == "1"; }
  // The position of a list's item.
  int ListIndex(FieldId id) const;

  void SetTechnique(TechniqueCode t) { SetNumber(FieldId::Technique, CodeNumber(t)); }
  void SetMechanism(MechanismCode m) { SetNumber(FieldId::Mechanism, CodeNumber(m)); }
  void SetElectrode(ElectrodeCode e) { SetNumber(FieldId::Electrode, CodeNumber(e)); }
  void SetScan(ScanCode scan);
  void SetDigital(bool digital) { SetChecked(FieldId::Digital, digital); }
  void SetChecked(FieldId id, bool checked);

  // The potentials the "measured" scan follows: those of the measured curve, attached by whoever
  // holds it (the import, a script, a Python call); empty until then.
  const ProgrammePotentials& MeasuredPotentials() const { return measured_; }
  void SetMeasuredPotentials(ProgrammePotentials potentials) { measured_ = std::move(potentials); }

  bool operator==(const Settings&) const = default;
  // Whether `other` reads the same in each of the fields: the same number, or for the fields in
  // `asText`, the same text.
  bool SameIn(const Settings& other, std::span<const FieldId> fields,
              std::span<const FieldId> asText) const;

 private:
  struct DesignTag {};
  explicit Settings(DesignTag) {}
  // The design defaults, read once: every Settings starts as their copy.
  static const Settings& Design();
  // An option group's number.
  int OptionNumber(FieldId id) const;
  void SetNumber(FieldId id, int number);
  void Store(FieldId id, std::string_view value);

  // Every value one after the other, field i from start_[i] to start_[i + 1]: one block to copy,
  // which a Python call makes at least once.
  std::string text_;
  std::array<std::uint32_t, kStoredFieldCount + 1> start_{};
  std::array<double, kStoredFieldCount> numbers_{};
  std::bitset<kStoredFieldCount> tooLarge_;
  ProgrammePotentials measured_;
};

// The species, charge-transfer and chemical reactions the mechanism of the settings uses.
struct ReactionCounts {
  int species;
  int chargeReactions;
  int homogeneousReactions;
};
// Those of a built-in mechanism (none for the written one, whose text decides them).
ReactionCounts CountsOf(MechanismCode mechanism);
// Those of the settings' mechanism: a built-in one's, or those the written text gives (none while
// it does not parse). Defined in written_mechanism.cpp.
ReactionCounts CountsOf(const Settings& settings);

}  // namespace vorex
