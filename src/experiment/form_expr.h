#pragma once

#include <array>

#include "base/fixed_storage.h"
#include "base/window.h"
#include "experiment/settings_table.h"

namespace vorex {

class Experiment;
struct Derivation;
class Settings;

// The Experimental parameters dialog: a view of the experiment's settings. Its fields show the
// settings' values and what they derive (electrode area, drop and pulse time, equilibrium
// constants, initial concentrations); it shows, enables and locks the fields the technique,
// mechanism, electrode and mode use; what the user types or clicks goes into the settings, and
// every view then shows them again.
class FormExpr : public Window {
 public:
  static constexpr int kFitSlots = vorex::kFitSlots;

  explicit FormExpr(Experiment& experiment);

  // The control that shows a field of the settings table; the electrode, an option group, has
  // the controls optElectrode(1..8) instead.
  Control& Field(FieldId id);
  // The field a control shows, or nothing for a label, frame or button of the dialog's own.
  const FieldSpec* FieldOf(const Control& control) const;

  // Species rows i = 1..8 (Cond is indexed 0..7); 5..8 (E..H) for a written mechanism only.
  Control& specie(int i) { return *specie_(i); }
  Control& D(int i) { return Field(Row(FieldId::D1, i)); }
  Control& C(int i) { return Field(Row(FieldId::C1, i)); }
  Control& Cinit(int i) { return Field(Row(FieldId::CInit1, i)); }
  Control& Cond(int i) { return Field(Row(FieldId::Cond1, i + 1)); }
  // Charge-transfer rows j = 1..4; 4 for a written mechanism only.
  Control& heter(int j) { return *heter_(j); }
  Control& NEL(int j) { return Field(Row(FieldId::N1, j)); }
  Control& Eze(int j) { return Field(Row(FieldId::E01, j)); }
  Control& alph(int j) { return Field(Row(FieldId::Alpha1, j)); }
  Control& ks(int j) { return Field(Row(FieldId::Ks1, j)); }
  // Homogeneous rows k = 1..4; 4 for a written mechanism only, which has no p.
  Control& homo(int k) { return *homo_(k); }
  Control& pl(int k) { return Field(Row(FieldId::P1, k)); }
  Control& kf(int k) { return Field(Row(FieldId::Kf1, k)); }
  Control& kb(int k) { return Field(Row(FieldId::Kb1, k)); }
  Control& LabelKeq(int k) { return Field(Row(FieldId::Keq1, k)); }
  // Fit slots s = 1..38; 26..38 for the rows of a written mechanism (see FitParameter).
  Control& CheckFitted(int s) { return Field(Row(FieldId::Fitted1, s)); }
  Control& TextCmin(int s) { return Field(Row(FieldId::Min1, s)); }
  Control& TextCmax(int s) { return Field(Row(FieldId::Max1, s)); }
  // Instrumental parameters.
  Control& Estart() { return Field(FieldId::EStart); }
  Control& Eend() { return Field(FieldId::EEnd); }
  Control& Estep() { return Field(FieldId::EStep); }
  Control& V() { return Field(FieldId::ScanRate); }
  Control& td() { return Field(FieldId::TDrop); }
  Control& tp() { return Field(FieldId::TPulse); }
  Control& Epulse() { return Field(FieldId::EPulse); }
  Control& TextF() { return Field(FieldId::Frequency); }
  Control& ComboScan() { return Field(FieldId::Scan); }
  Control& txttemp() { return Field(FieldId::Temperature); }
  Control& Noise() { return Field(FieldId::Noise); }
  Control& Cdl() { return Field(FieldId::Cdl); }
  Control& Ru() { return Field(FieldId::Ru); }
  // Electrode and electrolyte.
  Control& optElectrode(int i) { return *optElectrode_(i); }  // i = 1..8
  Control& LabelRadius() { return *LabelRadius_; }
  Control& radius() { return Field(FieldId::Radius); }
  Control& LabelLength() { return *LabelLength_; }
  Control& leng() { return Field(FieldId::Length); }
  Control& ARE() { return Field(FieldId::Area); }
  Control& LabelRrate() { return *LabelRrate_; }
  Control& TextRrate() { return Field(FieldId::RotationRate); }
  Control& TextDis() { return Field(FieldId::Distance); }
  Control& LabelVis() { return *LabelVis_; }
  Control& TextVis() { return Field(FieldId::Viscosity); }
  Control& TextElectrolyteCond() { return Field(FieldId::ElectrolyteCond); }
  Control& TextElectrolyteC() { return Field(FieldId::ElectrolyteC); }
  // Pre-treatment.
  Control& CheckPreEqu() { return Field(FieldId::PreEquilibration); }
  Control& CheckPreCon() { return Field(FieldId::Preconcentration); }
  Control& FramePre() { return *FramePre_; }
  Control& txtEPre() { return Field(FieldId::EPre); }
  Control& txtTPre() { return Field(FieldId::TPre); }
  Control& txtPconst() { return Field(FieldId::PConst); }
  Control& txtRStir() { return Field(FieldId::StirRate); }
  Control& txtTpreconst() { return Field(FieldId::TPreConst); }
  Control& CmdOK() { return *CmdOK_; }

  // Shows the settings: every field's value or derived text, and which fields are shown, enabled
  // and locked. Run at start-up (Form_Load), at each activation and after every change of the
  // settings.
  void Refresh(const Settings& settings, const Derivation& derived);
  void Form_Load();
  void Activate() override { Form_Activate(); }
  void Form_Activate();
  void optElectrode_Click(int i);
  void CmdOK_Click();
  // The Mechanism dialog's OK, then CaptureParameters; false when the capture refused a field.
  bool OK();

 private:
  void CreateSpeciesRows();
  void CreateReactionRows();
  void CreateFitSlots();
  void CreateInstrumentFields();
  void CreateElectrodeFields();
  void CreatePreTreatment();
  Control& AddField(FieldId id, Control* frame);
  // What the user typed, chose or clicked goes into the settings.
  void FieldChanged(FieldId id);
  void ShowValues(const Settings& settings, const Derivation& derived);
  void ShowRows(const Settings& settings);
  void ShowTechniqueInputs(const Settings& settings);
  void ShowElectrodeInputs(const Settings& settings);

  Experiment& experiment_;
  std::array<Control*, kFieldCount> field_{};  // by FieldId
  FixedArray<Control*, kSpeciesRows> specie_{};
  FixedArray<Control*, kChargeRows> heter_{};
  FixedArray<Control*, kChemicalRows> homo_{};
  FixedArray<Control*, 8> optElectrode_{};
  Control *LabelRadius_ = nullptr, *LabelLength_ = nullptr, *LabelRrate_ = nullptr;
  Control *LabelVis_ = nullptr, *FramePre_ = nullptr, *CmdOK_ = nullptr;
};

}  // namespace vorex
