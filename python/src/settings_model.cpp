#include "settings_model.h"

#include <unordered_map>

#include <pybind11/pybind11.h>

#include "base/host.h"
#include "experiment/capture.h"
#include "experiment/catalogue.h"
#include "experiment/field_message.h"

namespace py = pybind11;

namespace vorex::python {

namespace {

// The dialogs' host: a message box is kept for the call that caused it; there are no file
// dialogs, clipboard or printer behind the settings.
class RecordingHost : public Host {
 public:
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
  std::optional<std::string> SaveFileName(const std::string&) override { return std::nullopt; }
  double SecondsSinceMidnight() override { return 0; }
  void SetBusy(bool) override {}
  void CopyPicture(const DrawingList&) override {}
  void PrintPicture(const DrawingList&) override {}

  std::vector<std::string> messages;
};

// What a user sees of a control, and all that the dialogs' operations read back from it.
struct ControlState {
  std::string text, caption;
  int listIndex;
  bool visible, enabled, locked, checked;

  explicit ControlState(const Control& c)
      : text(c.Text()),
        caption(c.Caption()),
        listIndex(c.ListIndex()),
        visible(c.Visible()),
        enabled(c.Enabled()),
        locked(c.Locked()),
        checked(c.Checked()) {}
  bool operator==(const ControlState&) const = default;
};

// A catalogue caption without its number: "1)  A + ne = B" is "A + ne = B".
std::string Named(std::string_view caption) {
  const std::size_t mark = caption.find(")  ");
  return std::string(mark == std::string_view::npos ? caption : caption.substr(mark + 3));
}

}  // namespace

// The three dialogs of one technique, mode, mechanism and electrode, as a fresh program shows
// them once the user has chosen those, with the state to return to after each call.
class ClassModel {
 public:
  ClassModel(int technique, bool digital, int mechanism, int electrode);
  void Restore();
  std::optional<std::string> Unavailable(const Control& c, const std::string& what,
                                         Decider decider = Decider::Nothing) const;

  RecordingHost host;
  Experiment experiment{host};
  bool inUse = false;

 private:
  void Remember();

  std::vector<Control*> controls_;
  std::vector<ControlState> states_;
  ParameterSet initial_;
};

ClassModel::ClassModel(int technique, bool digital, int mechanism, int electrode) {
  FormTech& tech = experiment.formTech;
  FormMech& mech = experiment.formMech;
  FormExpr& expr = experiment.formExpr;
  ParameterSet& p = experiment.parameterSet;
  // What the program's start-up does to the experiment.
  expr.Form_Load();
  p.Electrode = 1;
  for (int j = 1; j <= 3; ++j) {
    p.N(j) = 1;
    p.P(j) = 1;
  }
  CaptureParameters(experiment);
  // The Techniques dialog: the technique, the mode, OK.
  tech.Click(tech.optTech(technique));
  tech.SetCheck(tech.CheckDigital(), digital);
  tech.Click(tech.CmdOK());
  // The Mechanism dialog, which offers only what the mode allows.
  if (!mech.mech(mechanism).Usable()) {
    std::string offered;
    for (int m = 1; m <= kMechanismCount; ++m) {
      if (mech.mech(m).Usable()) offered += (offered.empty() ? "" : ", ") + std::to_string(m);
    }
    throw py::value_error("mechanism " + std::to_string(mechanism) + " (" +
                          Named(Mechanism(mechanism)->caption) +
                          ") is not offered by the Mechanism dialog for " +
                          (digital ? "digital" : "analytical (digital=False)") +
                          " simulation; it offers mechanisms " + offered);
  }
  mech.Click(mech.mech(mechanism));
  mech.Click(mech.Command1());
  // The Experimental dialog as the menu opens it, then the electrode.
  CaptureTechniqueAndMechanism(experiment);
  expr.Show();
  expr.Form_Activate();
  if (!expr.optElectrode(electrode).Usable()) {
    throw py::value_error(std::string("electrode \"") + ElectrodeName(electrode) + "\" (" +
                          Named(Electrode(electrode)->caption) +
                          ") is not offered by the Experimental dialog for " +
                          (digital ? "digital simulation; set digital=False"
                                   : "analytical simulation; set digital=True"));
  }
  expr.Click(expr.optElectrode(electrode));
  Remember();
}

void ClassModel::Remember() {
  for (Window* w :
       {static_cast<Window*>(&experiment.formTech), static_cast<Window*>(&experiment.formMech),
        static_cast<Window*>(&experiment.formExpr)}) {
    for (const auto& c : w->Controls()) {
      controls_.push_back(c.get());
      states_.emplace_back(*c);
    }
  }
  initial_ = experiment.parameterSet;
}

// Sets back what the typing changed, without running any event operation: the derived displays
// are put back as they were rather than derived again.
void ClassModel::Restore() {
  experiment.parameterSet = initial_;
  host.messages.clear();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    Control& c = *controls_[i];
    const ControlState& s = states_[i];
    if (ControlState(c) == s) continue;
    if (c.ListIndex() != s.listIndex) c.SetListIndex(s.listIndex);
    if (c.Text() != s.text) c.SetText(s.text);
    if (c.Caption() != s.caption) {
      std::function<void()> change = std::move(c.onChange);
      c.onChange = nullptr;
      c.SetCaption(s.caption);
      c.onChange = std::move(change);
    }
    c.SetVisible(s.visible);
    c.SetEnabled(s.enabled);
    c.SetLocked(s.locked);
    c.SetChecked(s.checked);
  }
}

// Why the user could not type into the field now, as the dialogs decide it.
std::optional<std::string> ClassModel::Unavailable(const Control& c, const std::string& what,
                                                   Decider decider) const {
  const ParameterSet& p = experiment.parameterSet;
  if (!c.Shown()) {
    const std::string technique = Named(Technique(p.Technique)->caption);
    const std::string mechanism = "mechanism " + std::to_string(p.Mechanism) + " (" +
                                  Named(Mechanism(p.Mechanism)->caption) + ")";
    const std::string electrode = "the " + Named(Electrode(p.Electrode)->caption) + " electrode";
    std::string context;
    switch (decider) {
      case Decider::Technique:
        context = technique;
        break;
      case Decider::Electrode:
        context = electrode;
        break;
      case Decider::Mechanism:
        context = mechanism;
        break;
      default:
        context = technique + ", " + mechanism + " at " + electrode;
        break;
    }
    return what + " is not available: the Experimental dialog does not show it for " + context;
  }
  if (!c.Usable()) {
    return what + " is not available: the Experimental dialog enables it for " +
           (p.Digital != 0 ? "analytical simulation only (digital=False)"
                           : "digital simulation only (digital=True)");
  }
  if (c.Locked()) return what + " cannot be set: the Experimental dialog derives it here";
  return std::nullopt;
}

namespace {

int ClassKey(const Settings& s) {
  return ((s.technique * 2 + (s.digital ? 1 : 0)) * 18 + s.mechanism) * 9 + s.electrode;
}

// Enough for every class a sweep visits in practice; beyond it the dialogs are built again.
constexpr std::size_t kMaxThreadModels = 64;

std::unordered_map<int, std::unique_ptr<ClassModel>>& ThreadModels() {
  thread_local std::unordered_map<int, std::unique_ptr<ClassModel>> models;
  return models;
}

ClassModel& ModelFor(const Settings& s) {
  auto& models = ThreadModels();
  const int key = ClassKey(s);
  if (auto found = models.find(key); found != models.end()) return *found->second;
  if (models.size() >= kMaxThreadModels) models.clear();
  auto model = std::make_unique<ClassModel>(s.technique, s.digital, s.mechanism, s.electrode);
  return *models.emplace(key, std::move(model)).first->second;
}

}  // namespace

namespace {

// A few dozen settings cover a loop over a handful of cases; beyond them all are forgotten.
constexpr std::size_t kMaxThreadCaptures = 32;

std::unordered_map<std::string, ParameterSet>& ThreadCaptures() {
  thread_local std::unordered_map<std::string, ParameterSet> captures;
  return captures;
}

// Everything the capture depends on: the class, the Scan item and each typed text in order.
std::string CaptureKey(const Settings& s) {
  std::string key = std::to_string(ClassKey(s)) + ":" + std::to_string(s.scan);
  for (const Typing& t : s.typed) {
    key += '\n';
    key += t.keyword->name;
    key += t.whereShown ? "~" : "=";
    key += t.text;
  }
  return key;
}

}  // namespace

ParameterSet CaptureSettings(const Settings& settings) {
  auto& captures = ThreadCaptures();
  std::string key = CaptureKey(settings);
  if (auto found = captures.find(key); found != captures.end()) return found->second;
  ParameterSet p;
  {
    TypedExperiment typed(settings);
    p = typed.Capture();
  }
  if (captures.size() >= kMaxThreadCaptures) captures.clear();
  captures.emplace(std::move(key), p);
  return p;
}

void ForgetThreadModels() {
  ThreadModels().clear();
  ThreadCaptures().clear();
}

void ForgetThreadCaptures() {
  ThreadCaptures().clear();
}

TypedExperiment::TypedExperiment(const Settings& settings) : model_(ModelFor(settings)) {
  if (model_.inUse) throw std::logic_error("the settings dialogs are already in use");
  model_.inUse = true;
  try {
    FormExpr& form = experiment().formExpr;
    form.Choose(form.ComboScan(), settings.scan);
    for (const Typing& t : settings.typed) {
      Control& field = t.keyword->field(form, t.keyword->index);
      if (t.whereShown && !field.Shown()) continue;
      if (t.keyword->derivedFrom != nullptr && field.Shown() && field.Locked()) {
        throw py::value_error(t.keyword->name + " cannot be set: the Experimental dialog derives " +
                              t.keyword->derivedFrom + " here");
      }
      if (auto why = model_.Unavailable(field, t.keyword->name, t.keyword->decider))
        throw py::value_error(*why);
      if (!t.keyword->list) {
        form.Type(field, t.text);
        continue;
      }
      const auto& items = field.Items();
      int item = -1;
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (std::to_string(i + 1) == items[i] && t.value == static_cast<double>(i + 1)) {
          item = static_cast<int>(i);
        }
      }
      if (item < 0) {
        throw py::value_error(t.keyword->name + " must be one of the dialog's list, 1 to " +
                              std::to_string(items.size()) + "; got " + t.text);
      }
      form.Choose(field, item);
    }
  } catch (...) {
    model_.Restore();
    model_.inUse = false;
    throw;
  }
}

TypedExperiment::~TypedExperiment() {
  model_.Restore();
  model_.inUse = false;
}

Experiment& TypedExperiment::experiment() {
  return model_.experiment;
}

void TypedExperiment::Type(Control& field, const std::string& text, const std::string& what) {
  if (auto why = model_.Unavailable(field, what)) throw py::value_error(*why);
  field.Owner().Type(field, text);
}

void TypedExperiment::Check(Control& box, bool checked, const std::string& what) {
  if (auto why = model_.Unavailable(box, what)) throw py::value_error(*why);
  box.Owner().SetCheck(box, checked);
}

ParameterSet TypedExperiment::Capture() {
  model_.host.messages.clear();
  if (CaptureParameters(model_.experiment)) return model_.experiment.parameterSet;
  const std::string message =
      model_.host.messages.empty() ? "the settings were refused" : model_.host.messages.back();
  // The dialog names its field as it labels it; the keyword that typed it is named beside.
  FormExpr& form = model_.experiment.formExpr;
  for (const Keyword& k : Keywords()) {
    const std::string prefix = FieldMessage(k.field(form, k.index), "");
    if (message.rfind(prefix, 0) == 0) throw py::value_error(k.name + ": " + message);
  }
  throw py::value_error(message);
}

}  // namespace vorex::python
