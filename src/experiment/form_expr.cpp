#include "experiment/form_expr.h"

#include <algorithm>

#include "base/checked_math.h"
#include "base/number_format.h"
#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_value.h"

namespace vorex {

FormExpr::FormExpr(Experiment& experiment)
    : Window("FormExpr", "Experimental"), experiment_(experiment) {
  CreateSpeciesRows();
  CreateReactionRows();
  CreateFitSlots();
  CreateInstrumentFields();
  CreateElectrodeFields();
  CreatePreTreatment();
  ConnectEvents();
}

void FormExpr::ConnectEvents() {
  for (int i = 1; i <= 4; ++i) C(i).onChange = [this, i] { C_Change(i); };
  for (int j = 1; j <= 3; ++j) {
    Eze(j).onChange = [this] { C_Change(1); };
    NEL(j).onChange = [this] { C_Change(1); };
  }
  for (int k = 1; k <= 3; ++k) {
    kf(k).onChange = [this, k] { kf_Change(k); };
    kb(k).onChange = [this, k] { kf_Change(k); };  // kb_Change
    LabelKeq(k).onChange = [this, k] { LabelKeq_Change(k); };
    pl(k).onChange = [this] { AllInitialConcentrations(); };
  }
  for (int s = 1; s <= kFitSlots; ++s) CheckFitted(s).onClick = [this, s] { CheckFitted_Click(s); };
  for (int i = 1; i <= 8; ++i) optElectrode(i).onClick = [this, i] { optElectrode_Click(i); };
  radius().onChange = [this] { radius_Change(); };
  leng().onChange = [this] { radius_Change(); };  // leng_Change
  Estep().onChange = [this] { Estep_Change(); };
  V().onChange = [this] { Estep_Change(); };  // V_Change
  TextF().onChange = [this] { TextF_Change(); };
  Estart().onChange = [this] { AllInitialConcentrations(); };
  CheckPreEqu().onClick = [this] { CheckPreEqu_Click(); };
  CheckPreCon().onClick = [this] { CheckPreCon_Click(); };
  for (Control* c : {txtEPre_, txtTPre_, txtPconst_, txtRStir_, txtTpreconst_}) {
    c->onChange = [this] { C_Change(1); };
  }
  CmdOK().onClick = [this] { CmdOK_Click(); };
}

void FormExpr::Form_Load() {
  ComboScan().SetListIndex(0);
  for (int j = 1; j <= 3; ++j) {
    NEL(j).SetListIndex(0);
    pl(j).SetListIndex(0);
  }
}

void FormExpr::Form_Activate() {
  CaptureTechniqueAndMechanism(experiment_);
  const ParameterSet& p = experiment_.parameterSet;
  ShowTechniqueInputs(p.Technique);
  const int species = std::clamp<int>(p.SpeciesCount, 0, 4);
  const int charge = std::clamp<int>(p.ChargeReactionCount, 0, 3);
  const int homogeneous = std::clamp<int>(p.HomogeneousReactionCount, 0, 3);
  ShowRows(species, charge, homogeneous);
  if (const MechanismEntry* entry = Mechanism(p.Mechanism)) {
    for (int j = 1; j <= entry->chargeReactions; ++j) {
      heter(j).SetCaption(std::string(entry->chargeRows[static_cast<std::size_t>(j - 1)]));
    }
    for (int k = 1; k <= entry->homogeneousReactions; ++k) {
      homo(k).SetCaption(std::string(entry->homogeneousRows[static_cast<std::size_t>(k - 1)]));
    }
  }
}

void FormExpr::ShowTechniqueInputs(int technique) {
  switch (technique) {
    case 1:
    case 2:
      V().SetVisible(true);
      TextF().SetVisible(false);
      tp().SetVisible(false);
      Epulse().SetVisible(false);
      break;
    case 3:
    case 4:
      V().SetVisible(true);
      TextF().SetVisible(false);
      tp().SetVisible(true);
      tp().SetLocked(false);
      Epulse().SetVisible(true);
      break;
    case 5:
      V().SetVisible(false);
      TextF().SetVisible(true);
      tp().SetVisible(true);
      tp().SetLocked(true);
      Epulse().SetVisible(true);
      break;
    default: break;
  }
}

void FormExpr::ShowRows(int species, int charge, int homogeneous) {
  for (int i = 1; i <= 4; ++i) {
    for (Control* c : {&specie(i), &D(i), &C(i), &Cinit(i), &CheckFitted(i), &Cond(i - 1)}) {
      c->SetVisible(i <= species);
    }
  }
  C_Change(1);
  for (int j = 1; j <= 3; ++j) {
    for (Control* c : {&heter(j), &ks(j), &alph(j), &NEL(j), &Eze(j), &CheckFitted(j + 4),
                       &CheckFitted(j + 7), &CheckFitted(j + 10)}) {
      c->SetVisible(j <= charge);
    }
  }
  for (int k = 1; k <= 3; ++k) {
    for (Control* c : {&pl(k), &homo(k), &kb(k), &kf(k), &CheckFitted(k + 13),
                       &CheckFitted(k + 16), &LabelKeq(k)}) {
      c->SetVisible(k <= homogeneous);
    }
  }
  for (int k = 1; k <= homogeneous; ++k) kf_Change(k);
}

void FormExpr::optElectrode_Click(int i) {
  experiment_.parameterSet.Electrode = static_cast<std::int16_t>(i);
  const bool length = i == 5 || i == 6 || i == 7;
  const bool radiusShown = (i >= 2 && i <= 6) || i == 8;
  LabelLength().SetVisible(length);
  leng().SetVisible(length);
  if (length) LabelLength().SetCaption(std::string(Electrode(i)->lengthCaption));
  LabelRadius().SetVisible(radiusShown);
  radius().SetVisible(radiusShown);
  ARE().SetLocked(i != 1 && i != 7);
  LabelVis().SetVisible(i == 8);
  TextVis().SetVisible(i == 8);
  LabelRrate().SetVisible(i == 8);
  TextRrate().SetVisible(i == 8);
  radius_Change();
}

void FormExpr::radius_Change() {
  ParameterSet& p = experiment_.parameterSet;
  const int code = p.Electrode;
  if (HasComputedArea(code)) {
    SkipOnFault([&] {
      const double length = (code == 5 || code == 6) ? FieldValue(leng()) : 0.0;
      ARE().SetText(FormatPattern(ElectrodeArea(code, FieldValue(radius()), length), "0.##e-0"));
    });
  }
  SkipOnFault([&] {
    p.ElectrodeVolume = ElectrodeVolume(code, p.Radius, p.Length, FieldValue(ARE()));
  });
  SkipOnFault([&] { p.Area = FieldValue(ARE()); });
}

void FormExpr::kf_Change(int k) {
  SkipOnFault([&] {
    const double backward = FieldValue(kb(k));
    if (backward > 0) {
      LabelKeq(k).SetCaption(
          FormatPattern(CheckedDivide(FieldValue(kf(k)), backward), "#.###e-#"));
    }
  });
}

void FormExpr::LabelKeq_Change(int) { AllInitialConcentrations(); }

void FormExpr::Estep_Change() {
  SkipOnFault(
      [&] { td().SetText(FormatShortest(CheckedDivide(FieldValue(Estep()), FieldValue(V())))); });
}

void FormExpr::TextF_Change() {
  SkipOnFault([&] { tp().SetText(FormatShortest(CheckedDivide(0.5, FieldValue(TextF())))); });
}

void FormExpr::CheckFitted_Click(int s) {
  const bool fitted = CheckFitted(s).Checked();
  TextCmin(s).SetVisible(fitted);
  TextCmax(s).SetVisible(fitted);
}

void FormExpr::CheckPreEqu_Click() { AllInitialConcentrations(); }

void FormExpr::CheckPreCon_Click() {
  FramePre().SetVisible(CheckPreCon().Checked());
  CaptureParameters(experiment_);
  AllInitialConcentrations();
}

void FormExpr::AllInitialConcentrations() {
  for (int i = 1; i <= 4; ++i) C_Change(i);
}

void FormExpr::CmdOK_Click() {
  // A refused field keeps the dialog open, so the user can mend what the message names.
  if (OK()) Hide();
}

bool FormExpr::OK() {
  experiment_.formMech.OK();
  return CaptureParameters(experiment_);
}

}  // namespace vorex
