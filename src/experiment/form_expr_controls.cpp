// The controls of the Experimental dialog: the fields of the settings table with their captions,
// tooltips and frames, and the dialog's own labels, frames and button, in the dialog's order.
#include <array>
#include <string>

#include "experiment/catalogue.h"
#include "experiment/form_expr.h"

namespace vorex {
namespace {

ControlKind KindOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::List:
      return ControlKind::ComboBox;
    case FieldKind::Check:
      return ControlKind::CheckBox;
    case FieldKind::Option:
      return ControlKind::OptionButton;
    case FieldKind::Derived:
      return ControlKind::Label;
    case FieldKind::Text:
      break;
  }
  return ControlKind::TextBox;
}

Control& Captioned(Window& w, ControlKind kind, Control* frame, const char* name, int index,
                   const std::string& caption, const std::string& label = "") {
  Control& c = w.Add(kind, name, index);
  c.SetFrame(frame);
  c.SetCaption(caption);
  c.SetLabel(label);
  return c;
}

Control& Frame(Window& w, const char* name, const char* caption) {
  return Captioned(w, ControlKind::Frame, nullptr, name, Control::kNoIndex, caption);
}

}  // namespace

Control& FormExpr::AddField(FieldId id, Control* frame) {
  const FieldSpec& entry = TableField(id);
  // td is a locked text box that shows a derived value; the other derived values are labels.
  const ControlKind kind = id == FieldId::TDrop ? ControlKind::TextBox : KindOf(entry.kind);
  Control& c = Add(kind, entry.control, entry.index);
  c.SetFrame(frame);
  // A check box of its own carries its name as its caption; those of the fit slots sit under a
  // column header.
  const bool captioned = kind == ControlKind::CheckBox && entry.index < 0;
  c.SetLabel(captioned ? "" : entry.label);
  c.SetToolTip(entry.tip);
  if (kind == ControlKind::ComboBox) c.SetItems(entry.items);
  if (captioned) c.SetCaption(entry.label);
  if (kind == ControlKind::Label) c.SetCaption(entry.defaultValue);
  if (kind == ControlKind::TextBox) c.SetText(entry.defaultValue);
  if (id == FieldId::TDrop) c.SetLocked(true);
  field_[static_cast<std::size_t>(FieldNumber(id))] = &c;
  c.onChange = [this, id] { FieldChanged(id); };
  if (kind == ControlKind::CheckBox) c.onClick = [this, id] { FieldChanged(id); };
  return c;
}

void FormExpr::CreateSpeciesRows() {
  Control* frame = &Frame(*this, "FrameSpecies", "Species");
  for (int i = 1; i <= kSpeciesRows; ++i) {
    const std::string name(1, static_cast<char>('A' + i - 1));
    specie_(i) = &Captioned(*this, ControlKind::Label, frame, "specie", i, name);
    AddField(Row(FieldId::D1, i), frame);
    AddField(Row(FieldId::C1, i), frame);
    AddField(Row(FieldId::CInit1, i), frame);
    AddField(Row(FieldId::Cond1, i), frame);
  }
}

void FormExpr::CreateReactionRows() {
  Control* heterFrame = &Frame(*this, "FrameHeter", "Heterogeneous Reaction");
  for (int j = 1; j <= kChargeRows; ++j) {
    heter_(j) = &Captioned(*this, ControlKind::Label, heterFrame, "heter", j, std::to_string(j),
                           "Reaction");
    heter_(j)->SetToolTip("charge reaction");
    for (FieldId first : {FieldId::N1, FieldId::E01, FieldId::Alpha1, FieldId::Ks1}) {
      AddField(Row(first, j), heterFrame);
    }
  }
  Control* homoFrame = &Frame(*this, "FrameHomo", "Homogeneous Reaction");
  for (int k = 1; k <= kChemicalRows; ++k) {
    homo_(k) =
        &Captioned(*this, ControlKind::Label, homoFrame, "homo", k, std::to_string(k), "Reaction");
    homo_(k)->SetToolTip("chemical reaction");
    for (FieldId first : {FieldId::P1, FieldId::Kf1, FieldId::Kb1, FieldId::Keq1}) {
      AddField(Row(first, k), homoFrame);
    }
  }
}

void FormExpr::CreateFitSlots() {
  for (int s = 1; s <= kFitSlots; ++s) {
    Control* frame = Find(TableField(Row(FieldId::Fitted1, s)).frame);
    AddField(Row(FieldId::Fitted1, s), frame);
    AddField(Row(FieldId::Min1, s), frame);
    AddField(Row(FieldId::Max1, s), frame);
  }
}

void FormExpr::CreateInstrumentFields() {
  Control* frame = &Frame(*this, "FrameInstrument", "Instrumental Parameters");
  for (FieldId id :
       {FieldId::EStart, FieldId::EEnd, FieldId::EStep, FieldId::ScanRate, FieldId::TDrop,
        FieldId::TPulse, FieldId::EPulse, FieldId::Frequency, FieldId::Scan, FieldId::TRest,
        FieldId::Temperature, FieldId::Noise, FieldId::Cdl, FieldId::Ru, FieldId::Background}) {
    AddField(id, frame);
  }
}

void FormExpr::CreateElectrodeFields() {
  Control* frame = &Frame(*this, "FrameElectrode", "Electrode");
  for (int i = 1; i <= kElectrodeCount; ++i) {
    const ElectrodeCode code = static_cast<ElectrodeCode>(i);
    optElectrode_(i) = &Captioned(*this, ControlKind::OptionButton, frame, "optElectrode", i,
                                  std::string(Electrode(code).caption));
    optElectrode_(i)->onClick = [this, i] { optElectrode_Click(i); };
  }
  const int none = Control::kNoIndex;
  LabelRadius_ = &Captioned(*this, ControlKind::Label, frame, "LabelRadius", none, "Radius (cm)");
  AddField(FieldId::Radius, frame);
  LabelLength_ = &Captioned(*this, ControlKind::Label, frame, "LabelLength", none, "Length (cm)");
  AddField(FieldId::Length, frame);
  AddField(FieldId::Area, frame);
  LabelRrate_ = &Captioned(*this, ControlKind::Label, frame, "LabelRrate", none, "Rotation (rpm):");
  AddField(FieldId::RotationRate, frame);
  AddField(FieldId::Distance, frame);

  Control* electrolyte = &Frame(*this, "FrameElectrolyte", "Electrolyte");
  LabelVis_ =
      &Captioned(*this, ControlKind::Label, electrolyte, "LabelVis", none, "Vis (cm \u00b2/s)");
  AddField(FieldId::Viscosity, electrolyte);
  AddField(FieldId::ElectrolyteCond, electrolyte);
  AddField(FieldId::ElectrolyteC, electrolyte);
}

void FormExpr::CreatePreTreatment() {
  AddField(FieldId::PreEquilibration, nullptr);
  AddField(FieldId::Preconcentration, nullptr);
  FramePre_ = &Frame(*this, "FramePre", "");
  for (FieldId id :
       {FieldId::EPre, FieldId::TPre, FieldId::PConst, FieldId::StirRate, FieldId::TPreConst}) {
    AddField(id, FramePre_);
  }
  CmdOK_ = &Captioned(*this, ControlKind::Button, nullptr, "CmdOK", Control::kNoIndex, "OK");
  CmdOK_->onClick = [this] { CmdOK_Click(); };
}

}  // namespace vorex
