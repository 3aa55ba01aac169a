#include "shell/measured_settings.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "experiment/experiment.h"

namespace vorex {
namespace {

// One stated setting and the field it goes to.
struct Offer {
  const char* what;  // as the result line names it
  const char* unit;
  double value;
  Control* field;
};

std::vector<Offer> Offers(FormExpr& f, const MeasuredSettings& s, int direction) {
  std::vector<Offer> offers;
  const auto add = [&](const char* what, const char* unit, const std::optional<double>& v,
                       Control& field) {
    if (v) offers.push_back(Offer{what, unit, *v, &field});
  };
  add("v", "V/s", s.scanRate, f.V());
  if (s.pulseHeight) {
    offers.push_back(Offer{"E pulse", "V", direction * std::fabs(*s.pulseHeight), &f.Epulse()});
  }
  add("t pulse", "s", s.pulseWidth, f.tp());
  add("frequency", "Hz", s.frequency, f.TextF());
  add("area", "cm2", s.area, f.ARE());
  add("Ru", "ohm", s.ru, f.Ru());
  return offers;
}

std::string Listed(const std::vector<Offer>& offers) {
  std::string text;
  for (const Offer& o : offers) {
    if (!text.empty()) text += ", ";
    text += std::string(o.what) + " = " + FormatShortest(o.value) + " " + o.unit;
  }
  return text;
}

// E start, E end and E step follow the curve, as imported: its first point, its first vertex, and
// its step (the file's own where the curve bears it out). What the file states of them is shown.
void PrintCurveSettings(FormResult& out, const MeasuredSettings& s) {
  std::string stated;
  const auto add = [&](const char* what, const std::optional<double>& v) {
    if (!v) return;
    stated += (stated.empty() ? " " : ", ") + std::string(what) + " = " + FormatShortest(*v) + " V";
  };
  add("E start", s.startPotential);
  add("E end", s.endPotential);
  add("E step", s.potentialStep);
  if (stated.empty()) return;
  out.Print("The file states" + stated +
            " (E start, E end and E step are taken from the curve itself).");
}

}  // namespace

void OfferSettings(CurveLinks& l, const MeasuredSettings& settings, bool apply, int direction) {
  FormExpr& form = l.experiment.formExpr;
  const std::vector<Offer> offers = Offers(form, settings, direction);
  FormResult& out = l.formResult;
  PrintCurveSettings(out, settings);
  if (offers.empty()) return;
  out.Print("Settings in the file: " + Listed(offers));
  if (!apply &&
      !l.host.Confirm("Apply the file's settings to the Experimental dialog?\n" + Listed(offers))) {
    // Said in the terms of the program the user works in: a question to answer or an option.
    out.Print(l.host.AsksTheUser()
                  ? "Not applied (import the file again with File > Import Data... and answer Yes "
                    "to apply them)."
                  : "Not applied (mnuImport file ... apply-settings applies them).");
    return;
  }
  std::vector<Offer> applied;
  for (const Offer& o : offers) {
    if (!o.field->Shown() || !o.field->Enabled() || o.field->Locked()) {
      out.Print(
          std::string("Not applied: ") + o.what +
          " (the Experimental dialog does not take it for this technique, electrode or mode).");
      continue;
    }
    form.Type(*o.field, FormatShortest(o.value));
    applied.push_back(o);
  }
  if (!applied.empty()) out.Print("Applied to the Experimental dialog: " + Listed(applied));
}

}  // namespace vorex
