#include "experiment/form_expr.h"

#include <stdexcept>

#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_use.h"

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
    if (const auto refused = experiment_.Change(id, value)) experiment_.host.MessageBox(*refused);
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

void FormExpr::ShowRows(const Settings& s) {
  const MechanismEntry& m = Mechanism(s.Mechanism());
  for (int i = 1; i <= 4; ++i) specie(i).SetVisible(i <= m.species);
  for (int j = 1; j <= 3; ++j) {
    heter(j).SetVisible(j <= m.chargeReactions);
    heter(j).SetCaption(j <= m.chargeReactions ? std::string(m.chargeRows[j - 1])
                                               : std::to_string(j));
  }
  for (int k = 1; k <= 3; ++k) {
    homo(k).SetVisible(k <= m.homogeneousReactions);
    homo(k).SetCaption(k <= m.homogeneousReactions ? std::string(m.homogeneousRows[k - 1])
                                                   : std::to_string(k));
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
