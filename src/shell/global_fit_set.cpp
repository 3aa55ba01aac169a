#include "shell/global_fit_set.h"

#include <algorithm>
#include <cmath>

#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/result_line.h"
#include "base/runtime_fault.h"
#include "base/text_window.h"
#include "experiment/capture.h"
#include "experiment/experiment.h"
#include "fitting/background_projection.h"
#include "fitting/fit_slots.h"
#include "shell/global_fit_report.h"

namespace vorex {
namespace {

void Forget(GlobalFitSet& set) {
  set.last.reset();
  set.lastCurves.clear();
  set.lastSetup = {};
}

std::string Numbered(std::size_t c) {
  return "Curve " + std::to_string(c + 1) + " of the set";
}

// One "Least square = " line as each iteration ends; the user's Cancel through the host.
class SetIterationLines : public FitObserver {
 public:
  explicit SetIterationLines(CurveLinks& links) : links_(links) {}
  void IterationEnded(int, double sumOfSquares) override {
    links_.formResult.Print(ResultLine().Text("Least square = ").Zone().Number(sumOfSquares));
  }
  bool Cancelled() override { return links_.host.CancelRequested(); }

 private:
  CurveLinks& links_;
};

}  // namespace

std::optional<std::string> AddSetCurve(GlobalFitSet& set, SetCurve curve) {
  if (set.curves.size() >= static_cast<std::size_t>(kMaxGlobalCurves)) {
    return "The set holds " + std::to_string(kMaxGlobalCurves) +
           " curves, as many as it can; nothing was added.";
  }
  if (curve.potential.size() != curve.current.size() || curve.current.size() < 3) {
    return "\"" + curve.name + "\" has fewer than 3 points (or not as many potentials as " +
           "currents); nothing was added.";
  }
  for (std::size_t j = 0; j < curve.current.size(); ++j) {
    if (!std::isfinite(curve.current[j]) || !std::isfinite(curve.potential[j])) {
      return "\"" + curve.name + "\" holds a value that is not a number at point " +
             std::to_string(j + 1) + "; nothing was added.";
    }
  }
  if (curve.current.size() > static_cast<std::size_t>(kMaxPoints)) {
    return "\"" + curve.name + "\" has " + std::to_string(curve.current.size()) +
           " points; a curve of the set holds at most " + std::to_string(kMaxPoints) +
           " (cut it or import it thinned); nothing was added.";
  }
  set.curves.push_back(std::move(curve));
  Forget(set);
  return std::nullopt;
}

std::optional<std::string> RemoveSetCurve(GlobalFitSet& set, int c) {
  if (c < 1 || static_cast<std::size_t>(c) > set.curves.size()) {
    return "The set has no curve " + std::to_string(c) + " (it holds " +
           std::to_string(set.curves.size()) + ").";
  }
  set.curves.erase(set.curves.begin() + (c - 1));
  Forget(set);
  return std::nullopt;
}

std::optional<std::string> SetCurveKeywords(GlobalFitSet& set, const Settings& settings, int c,
                                            const std::vector<Keyword>& keywords) {
  if (c < 1 || static_cast<std::size_t>(c) > set.curves.size()) {
    return "The set has no curve " + std::to_string(c) + " (it holds " +
           std::to_string(set.curves.size()) + ").";
  }
  std::vector<Keyword> own = set.curves[static_cast<std::size_t>(c - 1)].own;
  for (const Keyword& k : keywords) {
    std::erase_if(own, [&](const Keyword& o) { return o.name == k.name; });
    own.push_back(k);
  }
  Settings trial = settings;
  try {
    SetByKeywords(trial, own, KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError& error) {
    return Numbered(static_cast<std::size_t>(c - 1)) + ": " + error.what();
  }
  set.curves[static_cast<std::size_t>(c - 1)].own = std::move(own);
  Forget(set);
  return std::nullopt;
}

std::optional<std::string> ClearCurveKeyword(GlobalFitSet& set, int c, std::string_view name) {
  if (c < 1 || static_cast<std::size_t>(c) > set.curves.size()) {
    return "The set has no curve " + std::to_string(c) + " (it holds " +
           std::to_string(set.curves.size()) + ").";
  }
  if (std::erase_if(set.curves[static_cast<std::size_t>(c - 1)].own,
                    [&](const Keyword& k) { return k.name == name; }) > 0) {
    Forget(set);
  }
  return std::nullopt;
}

void MarkPerCurve(GlobalFitSet& set, int slot, bool perCurve) {
  std::erase(set.perCurveSlots, slot);
  if (perCurve) set.perCurveSlots.push_back(slot);
  std::sort(set.perCurveSlots.begin(), set.perCurveSlots.end());
  Forget(set);
}

std::variant<Settings, std::string> SetCurveSettings(const Settings& settings,
                                                     const GlobalFitSet& set, std::size_t c) {
  if (settings.Technique() != TechniqueCode::LinearSweep) {
    return std::string(
        "A set is fitted on the measured potentials of sweeps: choose the linear "
        "sweep technique.");
  }
  const SetCurve& curve = set.curves.at(c);
  Settings s = settings;
  try {
    SetByKeywords(s, curve.own, KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError& error) {
    return Numbered(c) + ": " + error.what();
  }
  // The run starts, and the concentrations are brought to equilibrium, at the curve's own first
  // potential, as Import Data types E start for a curve fitted alone.
  s.Set(FieldId::EStart, FormatRoundTrip(curve.potential.front()));
  s.SetMeasuredPotentials(ProgrammePotentials(curve.potential));
  s.SetScan(ScanCode::Measured);
  return s;
}

std::variant<std::vector<GlobalCurve>, std::string> GlobalCurvesOf(const Settings& settings,
                                                                   const GlobalFitSet& set) {
  std::vector<GlobalCurve> curves;
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    auto own = SetCurveSettings(settings, set, c);
    if (auto* why = std::get_if<std::string>(&own)) return *why;
    const Settings& s = std::get<Settings>(own);
    const Captured captured = MakeParameterSet(s);
    if (!captured.ok()) return Numbered(c) + ": " + captured.refusal->message;
    const SetCurve& curve = set.curves[c];
    curves.push_back({curve.name, captured.parameters, curve.potential, curve.current,
                      BackgroundDegree(s.ListIndex(FieldId::Background)),
                      WrittenEquilibrium(s, captured.parameters)});
  }
  return curves;
}

std::variant<GlobalFitSetup, std::string> GlobalSetupOf(const Settings& settings,
                                                        const GlobalFitSet& set) {
  if (auto refused = RefusedBounds(settings)) return *refused;
  GlobalFitSetup setup;
  setup.weighting = set.weighting;
  setup.threads = set.threads;
  setup.evaluationBudget = set.evaluationBudget;
  try {
    for (int k : FittedSlots(settings)) {
      const bool perCurve = std::find(set.perCurveSlots.begin(), set.perCurveSlots.end(), k) !=
                            set.perCurveSlots.end();
      setup.parameters.push_back({k, perCurve, NumericPrefix(settings.Value(Row(FieldId::Min1, k))),
                                  NumericPrefix(settings.Value(Row(FieldId::Max1, k)))});
    }
  } catch (const RuntimeFault& fault) {
    return "Fit Error: " + fault.Description() + "! Please try again by other initial values.";
  }
  if (setup.parameters.empty()) {
    return std::string(
        "No parameter is ticked to be fitted in the Experimental dialog; "
        "nothing was fitted.");
  }
  return setup;
}

bool RunGlobalFitCommand(CurveLinks& links, GlobalFitSet& set) {
  const Settings& settings = links.experiment.settings;
  auto curves = GlobalCurvesOf(settings, set);
  auto setup = GlobalSetupOf(settings, set);
  std::optional<std::string> refused;
  if (auto* why = std::get_if<std::string>(&curves)) refused = *why;
  if (!refused) {
    if (auto* why = std::get_if<std::string>(&setup)) refused = *why;
  }
  if (!refused) {
    refused = RefusedGlobalFit(std::get<0>(curves), std::get<GlobalFitSetup>(setup));
  }
  if (refused) {
    links.host.Message(*refused, MessageKind::Warning);
    return false;
  }
  links.formResult.Clear();
  SetIterationLines lines(links);
  GlobalFitResult result;
  {
    const CancellableScope cancellable(links.host, "Fitting the set…");
    result = RunGlobalFit(std::get<0>(curves), std::get<GlobalFitSetup>(setup), &lines);
  }
  if (result.fit.message) {
    if (!result.fit.message->empty())
      links.host.Message(*result.fit.message, MessageKind::Critical);
    return false;
  }
  for (const std::string& line :
       GlobalFitReportLines(std::get<0>(curves), std::get<GlobalFitSetup>(setup), result)) {
    links.formResult.Print(line);
  }
  links.formResult.Show();
  set.lastCurves = std::move(std::get<0>(curves));
  set.lastSetup = std::move(std::get<GlobalFitSetup>(setup));
  set.last = std::move(result);
  return true;
}

}  // namespace vorex
