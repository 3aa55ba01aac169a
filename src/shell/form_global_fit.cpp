#include "shell/form_global_fit.h"

#include <algorithm>
#include <filesystem>

#include "base/number_format.h"
#include "fitting/fit_slots.h"
#include "shell/imported_cycles.h"
#include "shell/program.h"
#include "shell/set_curve_files.h"

namespace vorex {
namespace {

// The weighting list's items, in the order the list shows them: the default first.
constexpr CurveWeighting kWeightings[] = {CurveWeighting::Noise, CurveWeighting::LargestCurrent,
                                          CurveWeighting::None};

Control& Button(Window& w, const char* name, const char* caption) {
  Control& c = w.Add(ControlKind::Button, name);
  c.SetCaption(caption);
  return c;
}

// In short lines: a tooltip does not wrap.
std::string WeightingTip() {
  return "How the curves' residuals count together in the fit:\n"
         "noise: each curve divided by its own noise estimate, so that a point counts\n"
         "    by how well it is measured (the default)\n"
         "max: each curve divided by its largest current, so that every curve counts alike\n"
         "none: every point alike, so that the largest currents (the fastest scan) rule";
}

std::string Volts(double e) {
  return FormatShortest(e) + " V";
}

std::string CycleItem(const SetCurve& curve, int number) {
  return "Cycle " + std::to_string(number) + ": " + std::to_string(curve.potential.size()) +
         " points from " + Volts(curve.potential.front()) + " to " + Volts(curve.potential.back());
}

std::string Curves(int first, int last) {
  return first == last ? "curve " + std::to_string(first)
                       : "curves " + std::to_string(first) + " to " + std::to_string(last);
}

}  // namespace

FormGlobalFit::FormGlobalFit(Program& program)
    : Window("FormGlobalFit", "Fit Several Curves"), program_(program) {
  labelSet_ = &Add(ControlKind::Label, "LabelSet");
  cmdAddFiles_ = &Button(*this, "CmdAddFiles", "Add Files...");
  cmdAddFiles_->SetToolTip("Measured curves from files, read as Import Data reads them");
  cmdAddCycles_ = &Button(*this, "CmdAddCycles", "Add Imported Cycles");
  cmdAddCycles_->SetToolTip("Each cycle of curve 1 of the plot as a curve of its own");
  cmdRemove_ = &Button(*this, "CmdRemove", "Remove");
  cmdRemove_->SetToolTip("Removes the curve selected in the table");
  cmdClear_ = &Button(*this, "CmdClear", "Clear");
  cmdClear_->SetToolTip("Removes every curve of the set");
  frameParameters_ = &Add(ControlKind::Frame, "FrameParameters");
  frameParameters_->SetCaption("Fitted parameters");
  labelNoParameter_ = &Add(ControlKind::Label, "LabelNoParameter");
  labelNoParameter_->SetCaption(
      "None is ticked: tick the parameters to fit in the Experimental dialog.");
  labelNoParameter_->SetFrame(frameParameters_);
  for (int k = 1; k <= kFitSlots; ++k) {
    Control& label = Add(ControlKind::Label, "LabelParameter", k);
    label.SetCaption(FitParameterName(k));
    label.SetFrame(frameParameters_);
    Control& check = Add(ControlKind::CheckBox, "CheckPerCurve", k);
    check.SetCaption("per curve");
    check.SetToolTip("Ticked: a value of " + FitParameterName(k) +
                     " for each curve; unticked: one value shared by every curve");
    check.SetFrame(frameParameters_);
    check.onClick = [this, k, &check] { MarkPerCurve(program_.globalFit, k, check.Checked()); };
    labelParameter_.push_back(&label);
    checkPerCurve_.push_back(&check);
  }
  comboWeighting_ = &Add(ControlKind::ComboBox, "ComboWeighting");
  comboWeighting_->SetLabel("Weighting");
  comboWeighting_->SetItems({"noise", "max", "none"});
  comboWeighting_->SetToolTip(WeightingTip());
  comboWeighting_->onChange = [this] {
    const int item = comboWeighting_->ListIndex();
    if (item >= 0) program_.globalFit.weighting = kWeightings[item];
  };
  cmdFit_ = &Button(*this, "CmdFit", "Fit");
  cmdFit_->SetToolTip("Fits every curve of the set together; the report goes to the result window");
  cmdClose_ = &Button(*this, "CmdClose", "Close");
  cmdAddFiles_->onClick = [this] { Tell(AddFiles(program_.host.OpenFileNames(kDataFilter))); };
  cmdAddCycles_->onClick = [this] { Tell(AddImportedCycles()); };
  cmdRemove_->onClick = [this] { Remove(); };
  cmdClear_->onClick = [this] { Clear(); };
  cmdFit_->onClick = [this] { Fit(); };
  cmdClose_->onClick = [this] { Hide(); };
  Follow();
}

void FormGlobalFit::Follow() {
  const GlobalFitSet& set = program_.globalFit;
  const std::vector<int> fitted = FittedSlots(program_.experiment.settings);
  for (int k = 1; k <= kFitSlots; ++k) {
    const bool shown = std::find(fitted.begin(), fitted.end(), k) != fitted.end();
    LabelParameter(k).SetVisible(shown);
    CheckPerCurve(k).SetVisible(shown);
    CheckPerCurve(k).SetChecked(std::find(set.perCurveSlots.begin(), set.perCurveSlots.end(), k) !=
                                set.perCurveSlots.end());
  }
  labelNoParameter_->SetVisible(fitted.empty());
  const auto* weighting = std::find(std::begin(kWeightings), std::end(kWeightings), set.weighting);
  comboWeighting_->SetListIndex(static_cast<int>(weighting - std::begin(kWeightings)));
  selected_ = std::min(selected_, static_cast<int>(set.curves.size()));
  labelSet_->SetCaption(Summary());
}

std::string FormGlobalFit::Summary() const {
  const GlobalFitSet& set = program_.globalFit;
  if (set.curves.empty()) {
    return "The set is empty: add measured curves from files, or each cycle of curve 1 of the "
           "plot.";
  }
  std::size_t points = 0;
  for (const SetCurve& c : set.curves) points += c.potential.size();
  std::string line = std::to_string(set.curves.size()) +
                     (set.curves.size() == 1 ? " curve, " : " curves, ") + std::to_string(points) +
                     " points. A grey cell takes the Experimental dialog's value; type one for "
                     "the curve alone.";
  if (set.last) {
    line += " Last fit: sum of squares " + FormatPattern(set.last->fit.sumOfSquares, "0.###e-#") +
            (set.last->fit.cancelled ? ", cancelled" : "") +
            "; its report is in the result window.";
  }
  return line;
}

std::optional<std::string> FormGlobalFit::AddFiles(const std::vector<std::string>& files) {
  std::string refusals;
  const auto tell = [&](const std::string& why) {
    refusals += (refusals.empty() ? "" : "\n") + why;
  };
  for (const std::string& file : files) {
    if (program_.globalFit.curves.size() >= static_cast<std::size_t>(kMaxGlobalCurves)) {
      tell("The set holds " + std::to_string(kMaxGlobalCurves) + " curves, as many as it can; " +
           std::filesystem::path(file).filename().string() +
           " and the files after it were not "
           "added.");
      break;
    }
    if (auto why = AddFile(file)) tell(*why);
  }
  Follow();
  if (refusals.empty()) return std::nullopt;
  return refusals;
}

std::optional<std::string> FormGlobalFit::AddFile(const std::string& file) {
  const std::string name = std::filesystem::path(file).filename().string();
  auto read = ReadSetCurves(file);
  if (auto* why = std::get_if<std::string>(&read)) return name + ": " + *why;
  SetFileCurves& got = std::get<SetFileCurves>(read);
  const int count = static_cast<int>(got.curves.size());
  int from = 0, to = count;
  if (count > 1) {
    std::vector<std::string> items;
    for (int k = 0; k < count; ++k) {
      items.push_back(CycleItem(got.curves[static_cast<std::size_t>(k)],
                                got.cycles[static_cast<std::size_t>(k)]));
    }
    items.push_back("Each cycle as a curve of its own: " + std::to_string(count) + " curves");
    const std::optional<int> chosen = program_.host.ChooseItem(
        got.format + ": which cycle of " + name + " to add?", items, count);
    if (!chosen || *chosen < 0 || *chosen > count) return std::nullopt;
    if (*chosen < count) {
      from = *chosen;
      to = *chosen + 1;
    }
  }
  const int first = static_cast<int>(program_.globalFit.curves.size()) + 1;
  std::optional<std::string> refused = Room(to - from);
  if (refused) to = from + (kMaxGlobalCurves - first + 1);
  for (int k = from; k < to; ++k) {
    if (auto why = AddCurve(std::move(got.curves[static_cast<std::size_t>(k)]))) {
      refused = why;
      break;
    }
  }
  const int last = static_cast<int>(program_.globalFit.curves.size());
  if (last >= first) {
    FormResult& out = program_.formResult;
    out.Print("Fit Several Curves: " + name + " (" + got.format + ") is " + Curves(first, last) +
              " of the set.");
    for (const std::string& note : got.notes) out.Print(note);
    out.Show();
  }
  if (refused) return name + ": " + *refused;
  return std::nullopt;
}

std::optional<std::string> FormGlobalFit::Room(int cycles) const {
  const int room = kMaxGlobalCurves - static_cast<int>(program_.globalFit.curves.size());
  if (cycles <= room) return std::nullopt;
  return "the set holds at most " + std::to_string(kMaxGlobalCurves) +
         " curves: " + std::to_string(room) + " of the " + std::to_string(cycles) +
         " cycles went in.";
}

std::optional<std::string> FormGlobalFit::AddImportedCycles() {
  std::vector<SetCurve> cycles = ImportedCycles(program_.curves);
  if (cycles.empty()) {
    return std::string("There is no curve 1 to take cycles from: import a measured curve first.");
  }
  const int first = static_cast<int>(program_.globalFit.curves.size()) + 1;
  std::optional<std::string> refused = Room(static_cast<int>(cycles.size()));
  if (refused) {
    refused = "Curve 1: " + *refused;
    cycles.resize(static_cast<std::size_t>(kMaxGlobalCurves - first + 1));
  }
  for (SetCurve& cycle : cycles) {
    if (auto why = AddCurve(std::move(cycle))) {
      refused = why;
      break;
    }
  }
  const int last = static_cast<int>(program_.globalFit.curves.size());
  if (last >= first) {
    program_.formResult.Print("Fit Several Curves: the cycles of curve 1 are " +
                              Curves(first, last) + " of the set.");
    program_.formResult.Show();
  }
  Follow();
  return refused;
}

// The curve goes in without the keywords its file states, which then go one by one, so that one
// the settings refuse (an area where the electrode has a radius) leaves the others.
std::optional<std::string> FormGlobalFit::AddCurve(SetCurve curve) {
  GlobalFitSet& set = program_.globalFit;
  std::vector<Keyword> stated = std::move(curve.own);
  curve.own.clear();
  if (auto why = AddSetCurve(set, std::move(curve))) return why;
  const int c = static_cast<int>(set.curves.size());
  for (const Keyword& k : stated) {
    if (auto why = SetCurveKeywords(set, program_.experiment.settings, c, {k})) {
      program_.formResult.Print(*why + "; the file's " + k.name + " " + k.value.text +
                                " was not taken.");
    }
  }
  return std::nullopt;
}

void FormGlobalFit::Tell(const std::optional<std::string>& refusal) {
  if (refusal) program_.host.Message(*refusal, MessageKind::Warning);
}

void FormGlobalFit::Remove() {
  if (selected_ < 1) {
    Tell("Select the curve to remove in the table first.");
    return;
  }
  Tell(RemoveSetCurve(program_.globalFit, selected_));
  Follow();
}

void FormGlobalFit::Clear() {
  GlobalFitSet& set = program_.globalFit;
  while (!set.curves.empty()) RemoveSetCurve(set, static_cast<int>(set.curves.size()));
  selected_ = 0;
  Follow();
}

void FormGlobalFit::Fit() {
  {
    const BusyPointer busy(program_.host);
    RunGlobalFitCommand(program_.links, program_.globalFit);
  }
  Follow();
}

}  // namespace vorex
