#include "experiment/form_expr.h"

#include <array>
#include <stdexcept>
#include <string>

#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_use.h"
#include "experiment/mechanism_scheme.h"

namespace vorex {

FormExpr::FormExpr(Experiment& experiment)
    : Window("FormExpr", "Experimental"), experiment_(experiment) {
  CreateSpeciesRows();
  CreateReactionRows();
  CreateFitSlots();
  CreateInstrumentFields();
  CreateElectrodeFields();
  CreatePreTreatment();
}

Control& FormExpr::Field(FieldId id) {
  Control* c = field_[static_cast<std::size_t>(FieldNumber(id))];
  if (c == nullptr) throw std::logic_error("the electrode is shown by optElectrode(1..8)");
  return *c;
}

const FieldSpec* FormExpr::FieldOf(const Control& control) const {
  if (control.Name() == "optElectrode") return &TableField(FieldId::Electrode);
  for (std::size_t i = 0; i < field_.size(); ++i) {
    if (field_[i] == &control) return &SettingsTable()[i];
  }
  return nullptr;
}

void FormExpr::FieldChanged(FieldId id) {
  const Control& c = Field(id);
  const FieldSpec& entry = TableField(id);
  if (entry.kind == FieldKind::Derived) return;
  const std::string value = entry.kind == FieldKind::Check ? (c.Checked() ? "1" : "0") : c.Text();
  // A locked field takes no typing; what it shows is the settings' to say.
  if (!c.Locked()) {
    if (const auto refused = experiment_.Change(id, value))
      experiment_.host.Message(*refused, MessageKind::Warning);
  }
  experiment_.Refresh();
}

void FormExpr::Form_Load() {
  experiment_.Refresh();
}

void FormExpr::Form_Activate() {
  CaptureTechniqueAndMechanism(experiment_);
  experiment_.Refresh();
}

void FormExpr::optElectrode_Click(int i) {
  experiment_.Change(FieldId::Electrode, std::to_string(i));
  experiment_.Refresh();
}

void FormExpr::CmdOK_Click() {
  // A refused field keeps the dialog open, so the user can mend what the message names.
  if (OK()) Hide();
}

bool FormExpr::OK() {
  experiment_.formMech.OK();
  return CaptureParameters(experiment_);
}

void FormExpr::Refresh(const Settings& s, const Derivation& d) {
  ShowValues(s, d);
  ShowTechniqueInputs(s);
  ShowRows(s);
  ShowElectrodeInputs(s);
}

void FormExpr::ShowValues(const Settings& s, const Derivation& d) {
  for (const FieldSpec& entry : SettingsTable()) {
    if (entry.window != Name() || entry.id == FieldId::Electrode) continue;
    Control& c = Field(entry.id);
    const std::string text(ShownText(s, d, entry.id));
    switch (c.Kind()) {
      case ControlKind::CheckBox:
        c.SetChecked(text == "1");
        break;
      case ControlKind::ComboBox:
        c.SetListIndex(s.ListIndex(entry.id));
        break;
      case ControlKind::Label:
        c.SetCaption(text);
        break;
      default:
        c.SetText(text);
        break;
    }
  }
  for (int i = 1; i <= kElectrodeCount; ++i) {
    optElectrode(i).SetChecked(CodeNumber(s.Electrode()) == i);
    optElectrode(i).SetEnabled(ElectrodeOffered(static_cast<ElectrodeCode>(i), s.Digital()));
  }
}

void FormExpr::ShowTechniqueInputs(const Settings& s) {
  for (FieldId id : {FieldId::ScanRate, FieldId::Frequency, FieldId::TPulse, FieldId::EPulse}) {
    Field(id).SetVisible(FieldShown(s, id));
  }
  tp().SetLocked(DerivedHere(s, FieldId::TPulse));
  Ru().SetEnabled(FieldEnabled(s, FieldId::Ru));
}

// The row captions: a built-in mechanism's reaction labels, or the equations a written text
// writes.
void FormExpr::ShowRows(const Settings& s) {
  const ReactionCounts counts = CountsOf(s);
  std::array<std::string, kChargeRows> charge;
  std::array<std::string, kChemicalRows> chemical;
  if (s.Mechanism() == MechanismCode::Written) {
    for (const SchemeRow& row : MechanismScheme(s).rows) {
      if (row.kind == "transfer") charge.at(std::stoul(row.name) - 1) = row.equation;
      if (row.kind == "step") chemical.at(std::stoul(row.name) - 1) = row.equation;
    }
  } else {
    const MechanismEntry& m = Mechanism(s.Mechanism());
    for (int j = 1; j <= counts.chargeReactions; ++j) charge[j - 1] = m.chargeRows[j - 1];
    for (int k = 1; k <= counts.homogeneousReactions; ++k)
      chemical[k - 1] = m.homogeneousRows[k - 1];
  }
  for (int i = 1; i <= kSpeciesRows; ++i) specie(i).SetVisible(i <= counts.species);
  for (int j = 1; j <= kChargeRows; ++j) {
    heter(j).SetVisible(j <= counts.chargeReactions);
    heter(j).SetCaption(j <= counts.chargeReactions ? charge[j - 1] : std::to_string(j));
  }
  for (int k = 1; k <= kChemicalRows; ++k) {
    homo(k).SetVisible(k <= counts.homogeneousReactions);
    homo(k).SetCaption(k <= counts.homogeneousReactions ? chemical[k - 1] : std::to_string(k));
  }
  for (const FieldSpec& entry : SettingsTable()) {
    if (entry.row > 0 && entry.window == Name())
      Field(entry.id).SetVisible(FieldShown(s, entry.id));
  }
}

void FormExpr::ShowElectrodeInputs(const Settings& s) {
  const ElectrodeCode e = s.Electrode();
  const bool length = FieldShown(s, FieldId::Length);
  LabelLength().SetVisible(length);
  leng().SetVisible(length);
  if (length) LabelLength().SetCaption(std::string(Electrode(e).lengthCaption));
  const bool radiusShown = FieldShown(s, FieldId::Radius);
  LabelRadius().SetVisible(radiusShown);
  radius().SetVisible(radiusShown);
  ARE().SetLocked(DerivedHere(s, FieldId::Area));
  const bool rotating = FieldShown(s, FieldId::RotationRate);
  for (Control* c : {LabelVis_, &TextVis(), LabelRrate_, &TextRrate()}) c->SetVisible(rotating);
  FramePre().SetVisible(s.Checked(FieldId::Preconcentration));
}

}  // namespace vorex
