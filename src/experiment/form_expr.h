#pragma once

#include "base/fixed_storage.h"
#include "base/window.h"

namespace vorex {

class Experiment;

// The Experimental parameters dialog: every numeric parameter of the experiment as text, the
// fit flags and bounds, and the derived displays it keeps current while the user types
// (electrode area and volume, equilibrium constants, drop time, pulse time, initial
// concentrations).
class FormExpr : public Window {
 public:
  static constexpr int kFitSlots = 19;

  explicit FormExpr(Experiment& experiment);

  // Species rows i = 1..4 (Cond is indexed 0..3).
  Control& specie(int i) { return *specie_(i); }
  Control& D(int i) { return *D_(i); }
  Control& C(int i) { return *C_(i); }
  Control& Cinit(int i) { return *Cinit_(i); }
  Control& Cond(int i) { return *Cond_(i); }
  // Charge-transfer rows j = 1..3.
  Control& heter(int j) { return *heter_(j); }
  Control& NEL(int j) { return *NEL_(j); }
  Control& Eze(int j) { return *Eze_(j); }
  Control& alph(int j) { return *alph_(j); }
  Control& ks(int j) { return *ks_(j); }
  // Homogeneous rows k = 1..3.
  Control& homo(int k) { return *homo_(k); }
  Control& pl(int k) { return *pl_(k); }
  Control& kf(int k) { return *kf_(k); }
  Control& kb(int k) { return *kb_(k); }
  Control& LabelKeq(int k) { return *LabelKeq_(k); }
  // Fit slots s = 1..19.
  Control& CheckFitted(int s) { return *CheckFitted_(s); }
  Control& TextCmin(int s) { return *TextCmin_(s); }
  Control& TextCmax(int s) { return *TextCmax_(s); }
  // Instrumental parameters.
  Control& Estart() { return *Estart_; }
  Control& Eend() { return *Eend_; }
  Control& Estep() { return *Estep_; }
  Control& V() { return *V_; }
  Control& td() { return *td_; }
  Control& tp() { return *tp_; }
  Control& Epulse() { return *Epulse_; }
  Control& TextF() { return *TextF_; }
  Control& ComboScan() { return *ComboScan_; }
  Control& txttemp() { return *txttemp_; }
  Control& Noise() { return *Noise_; }
  Control& Cdl() { return *Cdl_; }
  Control& Ru() { return *Ru_; }
  // Electrode and electrolyte.
  Control& optElectrode(int i) { return *optElectrode_(i); }  // i = 1..8
  Control& LabelRadius() { return *LabelRadius_; }
  Control& radius() { return *radius_; }
  Control& LabelLength() { return *LabelLength_; }
  Control& leng() { return *leng_; }
  Control& ARE() { return *ARE_; }
  Control& LabelRrate() { return *LabelRrate_; }
  Control& TextRrate() { return *TextRrate_; }
  Control& TextDis() { return *TextDis_; }
  Control& LabelVis() { return *LabelVis_; }
  Control& TextVis() { return *TextVis_; }
  Control& TextElectrolyteCond() { return *TextElectrolyteCond_; }
  Control& TextElectrolyteC() { return *TextElectrolyteC_; }
  // Pre-treatment.
  Control& CheckPreEqu() { return *CheckPreEqu_; }
  Control& CheckPreCon() { return *CheckPreCon_; }
  Control& FramePre() { return *FramePre_; }
  Control& txtEPre() { return *txtEPre_; }
  Control& txtTPre() { return *txtTPre_; }
  Control& txtPconst() { return *txtPconst_; }
  Control& txtRStir() { return *txtRStir_; }
  Control& txtTpreconst() { return *txtTpreconst_; }
  Control& CmdOK() { return *CmdOK_; }

  // Event operations.
  void Form_Load();
  void Activate() override { Form_Activate(); }
  void Form_Activate();
  void optElectrode_Click(int i);
  void radius_Change();
  void kf_Change(int k);
  void LabelKeq_Change(int k);
  void Estep_Change();
  void TextF_Change();
  void CheckFitted_Click(int s);
  void CheckPreEqu_Click();
  void CheckPreCon_Click();
  // The initial concentrations after the change of C(i) or of an input they depend on.
  void C_Change(int i);
  void CmdOK_Click();
  // The Mechanism dialog's OK, then CaptureParameters; false when the capture refused a field.
  bool OK();

  // Enrichment of B in the electrode over the analytical concentration of A during
  // preconcentration; raises RuntimeFault when a step of it fails.
  double PreconcentrationFactor();

 private:
  void CreateSpeciesRows();
  void CreateReactionRows();
  void CreateFitSlots();
  void CreateInstrumentFields();
  void CreateElectrodeFields();
  void CreatePreTreatment();
  void ConnectEvents();
  void ShowTechniqueInputs(int technique);
  void ShowRows(int species, int chargeReactions, int homogeneousReactions);
  void AllInitialConcentrations();
  void EquilibrateInitialConcentrations();
  void Preconcentrate();

  Experiment& experiment_;
  FixedArray<Control*, 4> specie_{}, D_{}, C_{}, Cinit_{};
  FixedArray<Control*, 3> Cond_{};
  FixedArray<Control*, 3> heter_{}, NEL_{}, Eze_{}, alph_{}, ks_{};
  FixedArray<Control*, 3> homo_{}, pl_{}, kf_{}, kb_{}, LabelKeq_{};
  FixedArray<Control*, kFitSlots> CheckFitted_{}, TextCmin_{}, TextCmax_{};
  Control *Estart_ = nullptr, *Eend_ = nullptr, *Estep_ = nullptr, *V_ = nullptr;
  Control *td_ = nullptr, *tp_ = nullptr, *Epulse_ = nullptr, *TextF_ = nullptr;
  Control *ComboScan_ = nullptr, *txttemp_ = nullptr, *Noise_ = nullptr, *Cdl_ = nullptr;
  Control* Ru_ = nullptr;
  FixedArray<Control*, 8> optElectrode_{};
  Control *LabelRadius_ = nullptr, *radius_ = nullptr, *LabelLength_ = nullptr, *leng_ = nullptr;
  Control *ARE_ = nullptr, *LabelRrate_ = nullptr, *TextRrate_ = nullptr, *TextDis_ = nullptr;
  Control *LabelVis_ = nullptr, *TextVis_ = nullptr, *TextElectrolyteCond_ = nullptr;
  Control* TextElectrolyteC_ = nullptr;
  Control *CheckPreEqu_ = nullptr, *CheckPreCon_ = nullptr, *FramePre_ = nullptr;
  Control *txtEPre_ = nullptr, *txtTPre_ = nullptr, *txtPconst_ = nullptr, *txtRStir_ = nullptr;
  Control *txtTpreconst_ = nullptr, *CmdOK_ = nullptr;
};

}  // namespace vorex
