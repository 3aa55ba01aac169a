#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one table of the experiment description: every field once, with its caption as the dialog
// shows it, its control name in scripts, its keyword in Python and settings files, its unit, its
// design default and when the experiment uses it. The dialogs, the command interface, the
// settings files and the Python module all read their names from here.
namespace vorex {

// The fields in the dialogs' order: first those the user sets (stored in Settings), then those
// the Experimental dialog derives from them and only shows.
enum class FieldId : std::uint8_t {
  Technique,
  Digital,
  StepsPerPoint,
  Mechanism,
  MechanismText,  // the text of a written mechanism (Mechanism 18)
  // Species rows 1..8: A..D of the built-in mechanisms, E..H of a written one only.
  D1,
  D2,
  D3,
  D4,
  D8 = D1 + 7,
  C1,
  C2,
  C3,
  C4,
  C8 = C1 + 7,
  Cond1,
  Cond2,
  Cond3,
  Cond4,
  Cond8 = Cond1 + 7,
  // Reaction rows 1..4: row 4 of a written mechanism only.
  N1,
  N2,
  N3,
  N4,
  E01,
  E02,
  E03,
  E04,
  Alpha1,
  Alpha2,
  Alpha3,
  Alpha4,
  Ks1,
  Ks2,
  Ks3,
  Ks4,
  P1,
  P2,
  P3,
  P4,
  Kf1,
  Kf2,
  Kf3,
  Kf4,
  Kb1,
  Kb2,
  Kb3,
  Kb4,
  // Fit slots 1..38 (see FitSlotQuantityOf).
  Fitted1,
  Fitted25 = Fitted1 + 24,
  Fitted38 = Fitted1 + 37,
  Min1,
  Min25 = Min1 + 24,
  Min38 = Min1 + 37,
  Max1,
  Max25 = Max1 + 24,
  Max38 = Max1 + 37,
  EStart,
  EEnd,
  EStep,
  ScanRate,
  TPulse,
  EPulse,
  Frequency,
  Scan,
  TRest,
  Temperature,
  Noise,
  Cdl,
  Ru,
  Background,
  Electrode,
  Radius,
  Length,
  Area,
  RotationRate,
  Distance,
  Viscosity,
  ElectrolyteCond,
  ElectrolyteC,
  PreEquilibration,
  Preconcentration,
  EPre,
  TPre,
  PConst,
  StirRate,
  TPreConst,
  // Derived: shown, never set.
  TDrop,
  CInit1,
  CInit2,
  CInit3,
  CInit4,
  CInit8 = CInit1 + 7,
  Keq1,
  Keq2,
  Keq3,
  Keq4,
};

inline constexpr int kStoredFieldCount = static_cast<int>(FieldId::TDrop);
inline constexpr int kFieldCount = static_cast<int>(FieldId::Keq4) + 1;
// Species, charge-transfer and chemical rows: those of a written mechanism; a built-in one uses
// 4, 3 and 3 of them.
inline constexpr int kSpeciesRows = 8;
inline constexpr int kChargeRows = 4;
inline constexpr int kChemicalRows = 4;
inline constexpr int kBuiltInSpeciesRows = 4;
inline constexpr int kBuiltInReactionRows = 3;
// Slots 1..25 fit the built-in mechanisms' parameters, 26..38 the rows only a written one has.
inline constexpr int kFitSlots = 38;
inline constexpr int kBuiltInFitSlots = 25;
// No field needs a longer text; a longer one is refused rather than kept.
inline constexpr std::size_t kMaxFieldText = 1000;

constexpr int FieldNumber(FieldId id) {
  return static_cast<int>(id);
}
// Row `row` (1-based) of a field array whose first row is `first`.
constexpr FieldId Row(FieldId first, int row) {
  return static_cast<FieldId>(static_cast<int>(first) + row - 1);
}
constexpr bool IsStored(FieldId id) {
  return FieldNumber(id) < kStoredFieldCount;
}

enum class FieldKind : unsigned char {
  Text,     // a text box: any text, its value the numeric prefix
  List,     // a drop-down list: the text of one of its items
  Check,    // a check box: "1" ticked, "0" not
  Option,   // an option group: the number of the chosen option
  Derived,  // what the dialog derives and shows
};

// When the experiment uses a field (and the dialog shows it, and a script or keyword may set it).
enum class FieldUse : unsigned char {
  Always,
  ScanRate,        // swept or stepped at the scan rate: every technique but square wave
  PulseTime,       // pulse techniques; derived from the frequency for square wave
  PulsePotential,  // pulse techniques
  Frequency,       // square wave
  DigitalOnly,     // editable under digital simulation only (Ru)
  DigitalSweep,    // editable for the linear sweep under digital simulation only
  Radius,          // electrodes with a radius
  Length,          // cylinder, hemicylinder, thin film
  Area,            // typed at the planar electrode and the thin film, derived elsewhere
  RotatingDisk,    // viscosity and rotation rate
  Species,         // species row `row` of the mechanism
  ChargeReaction,  // charge-transfer row `row`
  Homogeneous,     // chemical row `row`
  // p of chemical row `row`: a built-in mechanism's only, a written step's text carries its own
  StoichiometricNumber,
  WrittenMechanism,  // the text of a written mechanism, while the mechanism is written
  FitBound,          // the bounds of fit slot `row`, shown while its flag is ticked
  Preconcentration,
};

// What decides whether a field is used, for the message that says it is not.
enum class Decider : unsigned char { Nothing, Technique, Electrode, Mechanism, Mode };

struct FieldSpec {
  FieldId id;
  std::string window;   // the dialog: "FormTech", "FormMech", "FormExpr"
  std::string control;  // the control name of scripts
  int index;            // its control-array index, or -1
  std::string keyword;  // the name in Python and settings files
  FieldKind kind;
  std::string label;  // the field as the dialog names it (caption or column header)
  std::string tip;    // its tooltip
  std::string frame;  // the frame that holds it
  std::string unit;   // as the help names it; empty for a pure number
  std::string defaultValue;
  std::vector<std::string> items;  // a list's items; an option group's short names
  FieldUse use;
  int row;  // species 1..8, reaction 1..4 or fit slot 1..38 for the row uses; 0 otherwise

  // "D(2)", "Estart": as scripts and messages name the control.
  std::string FullName() const;
  Decider decider() const;
};

// Indexed by FieldId.
const std::vector<FieldSpec>& SettingsTable();
const FieldSpec& TableField(FieldId id);
// nullptr when no field has that keyword, or that control.
const FieldSpec* FieldByKeyword(std::string_view keyword);
const FieldSpec* FieldByControl(std::string_view window, std::string_view control, int index);

// A field only a written mechanism uses: its text, species rows 5..8, reaction row 4, fit slots
// 26..38.
bool WrittenOnly(FieldId id);

// The fit slot s (1..38) of a fittable field, or 0; and the field of slot s.
int FitSlotOf(FieldId id);
FieldId FitSlotField(int slot);

}  // namespace vorex
