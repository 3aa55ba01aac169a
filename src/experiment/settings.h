#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "experiment/codes.h"
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
  const std::string& Value(FieldId id) const;
  // Sets a stored field as the user would: a text box takes any text; a list one of its items; a
  // check box "1" or "0"; an option group one of its numbers. Otherwise says why and changes
  // nothing.
  std::optional<std::string> Set(FieldId id, std::string_view value);

  TechniqueCode Technique() const { return static_cast<TechniqueCode>(Number(FieldId::Technique)); }
  MechanismCode Mechanism() const { return static_cast<MechanismCode>(Number(FieldId::Mechanism)); }
  ElectrodeCode Electrode() const { return static_cast<ElectrodeCode>(Number(FieldId::Electrode)); }
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

  bool operator==(const Settings&) const = default;

 private:
  int Number(FieldId id) const;
  void SetNumber(FieldId id, int number);
  std::string& Slot(FieldId id);

  std::array<std::string, kStoredFieldCount> values_;
};

// The species, charge-transfer and chemical reactions the mechanism of the settings uses.
struct ReactionCounts {
  int species;
  int chargeReactions;
  int homogeneousReactions;
};
ReactionCounts CountsOf(MechanismCode mechanism);

}  // namespace vorex
