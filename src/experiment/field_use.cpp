#include "experiment/field_use.h"

#include "experiment/catalogue.h"
#include "experiment/derivation.h"
#include "experiment/written_mechanism.h"

namespace vorex {
namespace {

bool RowUsed(const Settings& s, FieldUse use, int row) {
  const ReactionCounts counts = CountsOf(s);
  switch (use) {
    case FieldUse::Species:
      return row <= counts.species;
    case FieldUse::ChargeReaction:
      return row <= counts.chargeReactions;
    case FieldUse::Homogeneous:
      return row <= counts.homogeneousReactions;
    default:
      return true;
  }
}

std::string Context(const Settings& s, Decider decider) {
  const std::string technique(Unnumbered(Technique(s.Technique()).caption));
  std::string mechanism = "mechanism " + std::to_string(CodeNumber(s.Mechanism())) + " (" +
                          std::string(Unnumbered(Mechanism(s.Mechanism()).caption));
  // A written mechanism's rows are those of its text, which is named with it.
  if (IsWritten(s)) {
    mechanism += " \"" + std::string(s.Value(FieldId::MechanismText)) + "\"";
    if (const auto fault = WrittenMechanismFault(s)) mechanism += ", refused: " + *fault;
  }
  mechanism += ")";
  const std::string electrode =
      "the " + std::string(Unnumbered(Electrode(s.Electrode()).caption)) + " electrode";
  switch (decider) {
    case Decider::Technique:
      return technique;
    case Decider::Electrode:
      return electrode;
    case Decider::Mechanism:
      return mechanism;
    default:
      return technique + ", " + mechanism + " at " + electrode;
  }
}

// What the dialog derives a field from, for the message that refuses setting it.
const char* DerivedFrom(FieldId id) {
  switch (id) {
    case FieldId::TDrop:
      return "t_drop = E_step / scan_rate";
    case FieldId::TPulse:
      return "t_pulse = 0.5 / frequency";
    case FieldId::Area:
      return "the area from the radius and length";
    default:
      return nullptr;
  }
}

}  // namespace

bool FieldShown(const Settings& s, FieldId id) {
  const FieldSpec& f = TableField(id);
  const TechniqueCode t = s.Technique();
  const ElectrodeCode e = s.Electrode();
  switch (f.use) {
    case FieldUse::ScanRate:
      return UsesScanRate(t);
    case FieldUse::PulseTime:
    case FieldUse::PulsePotential:
      return IsPulse(t);
    case FieldUse::Frequency:
      return t == TechniqueCode::SquareWave;
    case FieldUse::Radius:
      return HasRadius(e);
    case FieldUse::Length:
      return HasLength(e);
    case FieldUse::RotatingDisk:
      return e == ElectrodeCode::RotatingDisk;
    case FieldUse::Species:
    case FieldUse::ChargeReaction:
    case FieldUse::Homogeneous:
      return RowUsed(s, f.use, f.row);
    case FieldUse::StoichiometricNumber:
      return !IsWritten(s) && RowUsed(s, FieldUse::Homogeneous, f.row);
    case FieldUse::WrittenMechanism:
      return IsWritten(s);
    case FieldUse::FitBound: {
      const FieldId flag = Row(FieldId::Fitted1, f.row);
      return s.Checked(flag) && FieldShown(s, flag);
    }
    case FieldUse::Preconcentration:
      return s.Checked(FieldId::Preconcentration);
    default:
      return true;
  }
}

bool FieldEnabled(const Settings& s, FieldId id) {
  switch (TableField(id).use) {
    case FieldUse::DigitalOnly:
      return s.Digital();
    case FieldUse::DigitalSweep:
      return s.Digital() && s.Technique() == TechniqueCode::LinearSweep;
    default:
      return true;
  }
}

std::optional<std::string> WhyNotSettable(const Settings& s, FieldId id, const std::string& what) {
  if (!FieldShown(s, id)) {
    const bool mechanismDialog = TableField(id).window == "FormMech";
    return what + " is not available: the " + (mechanismDialog ? "Mechanism" : "Experimental") +
           " dialog does not show it for " + Context(s, TableField(id).decider());
  }
  if (!FieldEnabled(s, id) && TableField(id).use == FieldUse::DigitalSweep) {
    return what + " is not available: the Techniques dialog enables it for the linear sweep " +
           "(technique \"lsv\" or \"cv\") in digital simulation (digital=True) only";
  }
  if (!FieldEnabled(s, id)) {
    return what + " is not available: the Experimental dialog enables it for " +
           (s.Digital() ? "analytical simulation only (digital=False)"
                        : "digital simulation only (digital=True)");
  }
  if (DerivedHere(s, id)) {
    const char* from = DerivedFrom(id);
    return what + " cannot be set: the Experimental dialog derives " +
           (from != nullptr ? std::string(from) + " " : std::string("it ")) + "here";
  }
  return std::nullopt;
}

}  // namespace vorex
