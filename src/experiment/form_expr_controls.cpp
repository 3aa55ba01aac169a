// The controls of the Experimental dialog with their design texts, captions, tooltips and
// visibility.
#include <array>
#include <string>

#include "experiment/catalogue.h"
#include "experiment/form_expr.h"

namespace vorex {
namespace {

Control& Field(Window& w, Control* frame, const char* name, int index, const char* label,
               const char* tip, const std::string& text) {
  Control& c = w.Add(ControlKind::TextBox, name, index);
  c.SetFrame(frame);
  c.SetLabel(label);
  c.SetToolTip(tip);
  c.SetText(text);
  return c;
}

Control& Captioned(Window& w, ControlKind kind, Control* frame, const char* name, int index,
                   const std::string& caption, const char* label = "", const char* tip = "") {
  Control& c = w.Add(kind, name, index);
  c.SetFrame(frame);
  c.SetCaption(caption);
  c.SetLabel(label);
  c.SetToolTip(tip);
  return c;
}

Control& List(Window& w, Control* frame, const char* name, int index, const char* label,
              const char* tip, std::vector<std::string> items) {
  Control& c = w.Add(ControlKind::ComboBox, name, index);
  c.SetFrame(frame);
  c.SetLabel(label);
  c.SetToolTip(tip);
  c.SetItems(std::move(items));
  return c;
}

Control& Frame(Window& w, const char* name, const char* caption) {
  return Captioned(w, ControlKind::Frame, nullptr, name, Control::kNoIndex, caption);
}

// One fit slot's headers and tooltips: the check box, then the lower and upper bound.
struct SlotTexts {
  const char* label[3];
  const char* tip[3];
};

constexpr SlotTexts kKsSlot{{"ks fitted", "ks min", "ks max"},
                            {"fitted heterogeneous standard rate constant",
                             "mininum heterogeneous standard rate constant",
                             "maxinum heterogeneous standard rate constant"}};
constexpr SlotTexts kAlphaSlot{{"\u03b1 fitted", "\u03b1 min", "\u03b1 max"},
                               {"fitted electron transfer coefficient",
                                "mininum electron transfer coefficient",
                                "maxinum electron transfer coefficient"}};
constexpr SlotTexts kE0Slot{{"E\u00b0 fitted (V)", "E\u00b0 min", "E\u00b0 max (V)"},
                            {"fitted standard electrode potential",
                             "mininum standard electrode potential",
                             "maxinum standard electrode potential"}};
constexpr SlotTexts kKfSlot{{"kf fitted", "kf min", "kf max"},
                            {"fitted forward chemical reaction rate constant",
                             "mininum forward chemical reaction rate constant",
                             "maxinum forward chemical reaction rate constant"}};
constexpr SlotTexts kKbSlot{{"kb fitted", "kb min", "kb max"},
                            {"fitted backward chemical reaction rate constant",
                             "mininum backward chemical reaction rate constant",
                             "maxinum backward chemical reaction rate constant"}};
constexpr SlotTexts kCSlot{{"C fitted (M)", "C min (M)", "C max (M)"},
                           {"fitted concentration", "mininum concentration",
                            "maxinum concentration"}};

const char* const kConductivityLabel = "\u03bb (M/\u03a9)";

}  // namespace

void FormExpr::CreateSpeciesRows() {
  Control* frame = &Frame(*this, "FrameSpecies", "Species");
  const std::array<const char*, 4> names{"A", "B", "C", "D"};
  const std::array<const char*, 4> concentrations{"1e-3", "0", "0", "0"};
  for (int i = 1; i <= 4; ++i) {
    const std::size_t r = static_cast<std::size_t>(i - 1);
    specie_(i) = &Captioned(*this, ControlKind::Label, frame, "specie", i, names[r]);
    D_(i) = &Field(*this, frame, "D", i, "D (cm \u00b2/s)", "diffusion coefficient", "1e-5");
    C_(i) = &Field(*this, frame, "C", i, "C anal (M)", "analytical concentration",
                   concentrations[r]);
    Cinit_(i) = &Captioned(*this, ControlKind::Label, frame, "Cinit", i, concentrations[r],
                           "C init (M)", "initial concentration");
    Cond_(i - 1) = &Field(*this, frame, "Cond", i - 1, kConductivityLabel, "conductivity",
                          std::to_string(100 * i));
  }
}

void FormExpr::CreateReactionRows() {
  Control* heterFrame = &Frame(*this, "FrameHeter", "Heterogeneous Reaction");
  const std::array<const char*, 3> e0{"0.1", "-0.1", "-0.2"};
  for (int j = 1; j <= 3; ++j) {
    heter_(j) = &Captioned(*this, ControlKind::Label, heterFrame, "heter", j, std::to_string(j),
                           "Reaction", "charge reaction");
    NEL_(j) = &List(*this, heterFrame, "NEL", j, "n", "electron number", {"1", "2", "3"});
    Eze_(j) = &Field(*this, heterFrame, "Eze", j, "E\u00b0 (V)", "standard electrode potential",
                     e0[static_cast<std::size_t>(j - 1)]);
    alph_(j) = &Field(*this, heterFrame, "alph", j, "\u03b1", "electron transfer coefficient",
                      "0.5");
    ks_(j) = &Field(*this, heterFrame, "ks", j, "ks (cm/s)",
                    "heterogeneous standard rate constant", "1e4");
  }
  Control* homoFrame = &Frame(*this, "FrameHomo", "Homogeneous Reaction");
  for (int k = 1; k <= 3; ++k) {
    homo_(k) = &Captioned(*this, ControlKind::Label, homoFrame, "homo", k, std::to_string(k),
                          "Reaction", "chemical reaction");
    pl_(k) = &List(*this, homoFrame, "pl", k, "p", "stoichiometric number",
                   {"1", "2", "3", "4"});
    kf_(k) = &Field(*this, homoFrame, "kf", k, "kf", "forward chemical reaction rate constant",
                    "10");
    kb_(k) = &Field(*this, homoFrame, "kb", k, "kb", "backward chemical reaction rate constant",
                    "0.01");
    LabelKeq_(k) = &Captioned(*this, ControlKind::Label, homoFrame, "LabelKeq", k, "", "Keq",
                              "chemical equilibrium constant");
  }
}

void FormExpr::CreateFitSlots() {
  struct Group {
    int first;
    const char* frame;
    const SlotTexts* texts;
    std::array<const char*, 4> min, max;
  };
  const std::array<Group, 6> groups{{
      {1, "FrameSpecies", &kCSlot, {"1e-4", "0", "0", "0"}, {"1e-2", "1e-2", "1e-2", "1e-2"}},
      {5, "FrameHeter", &kKsSlot, {"1e-4", "1e-4", "1e-4", ""}, {"100", "100", "100", ""}},
      {8, "FrameHeter", &kAlphaSlot, {"0.4", "0.4", "0.4", ""}, {"0.6", "0.6", "0.6", ""}},
      {11, "FrameHeter", &kE0Slot, {"-0.2", "-0.2", "-0.2", ""}, {"0.2", "0.2", "0.3", ""}},
      {14, "FrameHomo", &kKfSlot, {"1", "1", "1", ""}, {"100", "100", "100", ""}},
      {17, "FrameHomo", &kKbSlot, {"0.001", "0.001", "0.001", ""}, {"1", "1", "1", ""}},
  }};
  for (const Group& g : groups) {
    Control* frame = Find(g.frame);
    const int rows = g.first == 1 ? 4 : 3;
    for (int r = 0; r < rows; ++r) {
      const int s = g.first + r;
      const std::size_t ur = static_cast<std::size_t>(r);
      CheckFitted_(s) = &Captioned(*this, ControlKind::CheckBox, frame, "CheckFitted", s, "",
                                   g.texts->label[0], g.texts->tip[0]);
      TextCmin_(s) = &Field(*this, frame, "TextCmin", s, g.texts->label[1], g.texts->tip[1],
                            g.min[ur]);
      TextCmax_(s) = &Field(*this, frame, "TextCmax", s, g.texts->label[2], g.texts->tip[2],
                            g.max[ur]);
      const bool fitted = s == 1;
      CheckFitted_(s)->SetChecked(fitted);
      TextCmin_(s)->SetVisible(fitted);
      TextCmax_(s)->SetVisible(fitted);
    }
  }
}

void FormExpr::CreateInstrumentFields() {
  Control* frame = &Frame(*this, "FrameInstrument", "Instrumental Parameters");
  Estart_ = &Field(*this, frame, "Estart", Control::kNoIndex, "E start (V)", "starting potential",
                   "0.3");
  Eend_ = &Field(*this, frame, "Eend", Control::kNoIndex, "E end  (V)", "ending potential", "-0.3");
  Estep_ = &Field(*this, frame, "Estep", Control::kNoIndex, "E step (V)", "potential step",
                  "0.005");
  V_ = &Field(*this, frame, "V", Control::kNoIndex, "v (V/s)", "scan rate", "0.01");
  td_ = &Field(*this, frame, "td", Control::kNoIndex, "t drop  (s)", "drop time", "0.5");
  td_->SetLocked(true);
  tp_ = &Field(*this, frame, "tp", Control::kNoIndex, "t pulse (s)", "pulse time width", "0.05");
  Epulse_ = &Field(*this, frame, "Epulse", Control::kNoIndex, "E pulse (V)", "pulse potential",
                   "-0.05");
  TextF_ = &Field(*this, frame, "TextF", Control::kNoIndex, "f (Hz)", "frequence", "10");
  ComboScan_ = &List(*this, frame, "ComboScan", Control::kNoIndex, "Scan", "",
                     {"single", "cycle", "2 cycles"});
  txttemp_ = &Field(*this, frame, "txttemp", Control::kNoIndex, "T ( \u00b0C)", "temperature", "25");
  Noise_ = &Field(*this, frame, "Noise", Control::kNoIndex, "Noise (%)",
                  "ratio of noise to maxinum signal", "0");
  Cdl_ = &Field(*this, frame, "Cdl", Control::kNoIndex, "C d (F)", "double layer capacitor", "0");
  Ru_ = &Field(*this, frame, "Ru", Control::kNoIndex, "R u (\u03a9)", "resistance", "0");
}

void FormExpr::CreateElectrodeFields() {
  Control* frame = &Frame(*this, "FrameElectrode", "Electrode");
  for (int i = 1; i <= kElectrodeCount; ++i) {
    optElectrode_(i) = &Captioned(*this, ControlKind::OptionButton, frame, "optElectrode", i,
                                  std::string(Electrode(i)->caption));
    optElectrode_(i)->SetChecked(i == 1);
    // The design state, before the availability rules first run.
    optElectrode_(i)->SetEnabled(i < 7);
  }
  const int none = Control::kNoIndex;
  LabelRadius_ = &Captioned(*this, ControlKind::Label, frame, "LabelRadius", none, "Radius (cm)");
  radius_ = &Field(*this, frame, "radius", none, "Radius (cm)", "electrode radius", "0.2821");
  LabelLength_ = &Captioned(*this, ControlKind::Label, frame, "LabelLength", none, "Length (cm)");
  leng_ = &Field(*this, frame, "leng", none, "Length (cm)", "electrode length or film thickness",
                 "0.01");
  ARE_ = &Field(*this, frame, "ARE", none, "Area (cm \u00b2)", "electrode area", "1");
  LabelRrate_ = &Captioned(*this, ControlKind::Label, frame, "LabelRrate", none, "Rotation (rpm):");
  TextRrate_ = &Field(*this, frame, "TextRrate", none, "Rotation (rpm):", "electrode rotation rate",
                      "100");
  TextDis_ = &Field(*this, frame, "TextDis", none, "Dis (cm)", "Distance", "1");
  for (Control* c : {LabelRadius_, radius_, LabelLength_, leng_, LabelRrate_, TextRrate_}) {
    c->SetVisible(false);
  }

  Control* electrolyte = &Frame(*this, "FrameElectrolyte", "Electrolyte");
  LabelVis_ = &Captioned(*this, ControlKind::Label, electrolyte, "LabelVis", none, "Vis (cm \u00b2/s)");
  TextVis_ = &Field(*this, electrolyte, "TextVis", none, "Vis (cm \u00b2/s)",
                    "kinematic viscosity of solution", "0.01");
  LabelVis_->SetVisible(false);
  TextVis_->SetVisible(false);
  TextElectrolyteCond_ = &Field(*this, electrolyte, "TextElectrolyteCond", none,
                                kConductivityLabel, "conductivity", "100");
  TextElectrolyteC_ = &Field(*this, electrolyte, "TextElectrolyteC", none, "C (M)",
                             "support electrolyte concentration", "0.01");
}

void FormExpr::CreatePreTreatment() {
  const int none = Control::kNoIndex;
  CheckPreEqu_ = &Captioned(*this, ControlKind::CheckBox, nullptr, "CheckPreEqu", none,
                            "pre-equilibration");
  CheckPreEqu_->SetChecked(true);
  CheckPreCon_ = &Captioned(*this, ControlKind::CheckBox, nullptr, "CheckPreCon", none,
                            "Preconcentration");
  FramePre_ = &Frame(*this, "FramePre", "");
  FramePre_->SetVisible(false);
  txtEPre_ = &Field(*this, FramePre_, "txtEPre", none, "E pre (V)", "preconcentration potential",
                    "-0.3");
  txtTPre_ = &Field(*this, FramePre_, "txtTPre", none, "t pre (s)", "preconcentration time", "600");
  txtPconst_ = &Field(*this, FramePre_, "txtPconst", none, "P const", "electrode constant", "10");
  txtRStir_ = &Field(*this, FramePre_, "txtRStir", none, "R stir  (rpm)", "stirring rate", "100");
  txtTpreconst_ = &Field(*this, FramePre_, "txtTpreconst", none, "t pre const (/s)",
                         "preconcentration time constant", "1e-3");
  CmdOK_ = &Captioned(*this, ControlKind::Button, nullptr, "CmdOK", none, "OK");
}

}  // namespace vorex
