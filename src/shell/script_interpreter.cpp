#include "shell/script_interpreter.h"

#include <charconv>
#include <stdexcept>
#include <string>

#include "shell/cli_host.h"
#include "shell/curve_edit_statements.h"
#include "shell/curve_names.h"
#include "shell/global_fit_statements.h"
#include "shell/import_options.h"
#include "shell/program.h"
#include "shell/script_error.h"
#include "shell/statement_help.h"
#include "shell/undo_steps.h"

namespace vorex {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithWord(std::string_view s, std::string_view word) {
  return s.size() > word.size() && s.substr(0, word.size()) == word &&
         (s[word.size()] == ' ' || s[word.size()] == '\t');
}

const char* Flag(bool value) {
  return value ? "1" : "0";
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string Describe(const Window& window, const Control& c) {
  std::string line = window.Name() + "." + c.FullName();
  switch (c.Kind()) {
    case ControlKind::TextBox:
      line += " text=" + Quoted(c.Text());
      break;
    case ControlKind::ComboBox:
      line += " text=" + Quoted(c.Text()) + " index=" + std::to_string(c.ListIndex());
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      line += " caption=" + Quoted(c.Caption()) + " value=" + Flag(c.Checked());
      break;
    default:
      line += " caption=" + Quoted(c.Caption());
      break;
  }
  line += std::string(" visible=") + Flag(c.Shown()) + " enabled=" + Flag(c.Usable());
  if (c.Kind() == ControlKind::TextBox) line += std::string(" locked=") + Flag(c.Locked());
  if (!c.ToolTip().empty()) line += " tooltip=" + Quoted(c.ToolTip());
  return line;
}

}  // namespace

ScriptInterpreter::ScriptInterpreter(Program& program, CliHost& host, std::ostream& out,
                                     std::ostream& err)
    : program_(program), host_(host), out_(out), err_(err) {
  const auto print = [this](const std::string& line) { out_ << line << '\n'; };
  program_.formResult.onPrint = print;
  program_.formAbout.onPrint = print;
}

bool ScriptInterpreter::Finished() const {
  return program_.exitRequested;
}

int ScriptInterpreter::Run(std::istream& script) {
  std::string line;
  int number = 0;
  while (!Finished() && std::getline(script, line)) {
    ++number;
    try {
      Execute(line);
    } catch (const ScriptError& error) {
      err_ << "line " << number << ": " << error.what() << '\n';
      return 2;
    }
  }
  return 0;
}

void ScriptInterpreter::Execute(std::string_view statement) {
  std::string_view s = Trim(statement);
  if (s.empty() || s.front() == '#') return;
  // Each statement is a step of its own, however the one before it ended.
  program_.undo.Seal();
  if (StartsWithWord(s, "click")) return ClickStatement(Trim(s.substr(5)));
  if (StartsWithWord(s, "show")) return ShowStatement(Trim(s.substr(4)));
  if (StartsWithWord(s, "save-plot") || s == "save-plot") return SavePlot(Trim(s.substr(9)));
  if (s == "help") {
    out_ << StatementHelp();
    return;
  }
  if (StartsWithWord(s, "help")) {
    const std::string_view topic = Trim(s.substr(4));
    if (topic != "global") throw ScriptError("help takes nothing, or global");
    out_ << GlobalStatementHelp();
    return;
  }
  if (CurveEditStatement(program_, s)) return;
  if (CurveNameStatement(program_, s)) return;
  if (GlobalFitStatement(program_, host_, s)) return;
  // A file command's argument may hold "=" (mnuImport run.mpt cycle=2): it is no assignment.
  if (TakesFile(s.substr(0, s.find_first_of(" \t"))) && MenuStatement(s)) return;
  const std::size_t equals = s.find('=');
  if (equals != std::string_view::npos) {
    // Everything after "= " is the typed text, blanks included; only a line end is dropped.
    std::string_view text = statement.substr(statement.find('=') + 1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    return Assign(Trim(s.substr(0, equals)), text);
  }
  if (MenuStatement(s)) return;
  throw ScriptError("not a statement: " + std::string(s));
}

ScriptInterpreter::Target ScriptInterpreter::Resolve(std::string_view reference) const {
  const std::size_t dot = reference.find('.');
  if (dot == std::string_view::npos) {
    throw ScriptError("expected Window.control, got \"" + std::string(reference) + "\"");
  }
  const std::string_view windowName = Trim(reference.substr(0, dot));
  std::string_view controlName = Trim(reference.substr(dot + 1));
  Window* window = program_.desktop.Find(windowName);
  if (window == nullptr) throw ScriptError("no window named " + std::string(windowName));
  int index = Control::kNoIndex;
  const std::size_t open = controlName.find('(');
  if (open != std::string_view::npos) {
    const std::string_view inside = controlName.substr(open + 1);
    const std::size_t close = inside.find(')');
    if (close == std::string_view::npos || !Trim(inside.substr(close + 1)).empty()) {
      throw ScriptError("malformed index in " + std::string(reference));
    }
    const std::string_view digits = Trim(inside.substr(0, close));
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
      throw ScriptError("malformed index in " + std::string(reference));
    }
    controlName = Trim(controlName.substr(0, open));
  }
  if (!window->HasControlNamed(controlName)) {
    throw ScriptError(window->Name() + " has no control named " + std::string(controlName));
  }
  Control* control = window->Find(controlName, index);
  if (control == nullptr) {
    throw ScriptError(index == Control::kNoIndex
                          ? window->Name() + "." + std::string(controlName) + " needs an index"
                          : window->Name() + "." + std::string(controlName) + " has no index " +
                                std::to_string(index));
  }
  return {window, control};
}

// Whether a user could reach the control now; if not, says why, as the desktop would by not
// letting the user at it. Turning to the window activates it first, as a click into it would.
bool ScriptInterpreter::Reachable(const Target& t, bool typing) {
  const std::string name = t.window->Name() + "." + t.control->FullName();
  if (!t.window->Visible()) {
    Message(t.window->Name() + " is not open.");
    return false;
  }
  program_.desktop.Focus(*t.window);
  if (!t.control->Shown()) {
    Message(name + " is not shown.");
    return false;
  }
  if (!t.control->Usable()) {
    Message(name + " is not enabled.");
    return false;
  }
  if (typing && t.control->Locked()) {
    Message(name + " is read-only.");
    return false;
  }
  return true;
}

// Typing into one of the experiment's dialogs is one step that Undo takes back.
void ScriptInterpreter::Assign(std::string_view reference, std::string_view text) {
  const Target t = Resolve(reference);
  const Experiment& e = program_.experiment;
  if (t.window != &e.formTech && t.window != &e.formMech && t.window != &e.formExpr) {
    return Type(t, text);
  }
  RecordStep(program_, t.window->Caption() + " edit", false, [&] { Type(t, text); });
}

void ScriptInterpreter::Type(const Target& t, std::string_view text) {
  Control& c = *t.control;
  const std::string value(Trim(text));
  switch (c.Kind()) {
    case ControlKind::TextBox:
      if (Reachable(t, true)) t.window->Type(c, std::string(text));
      return;
    case ControlKind::CheckBox:
      if (value != "0" && value != "1") throw ScriptError("a check box takes 1 or 0");
      if (Reachable(t, false)) t.window->SetCheck(c, value == "1");
      return;
    case ControlKind::OptionButton:
      if (value != "1") throw ScriptError("an option button takes 1");
      if (Reachable(t, false)) t.window->Click(c);
      return;
    case ControlKind::ComboBox: {
      const auto& items = c.Items();
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == value) {
          if (Reachable(t, false)) t.window->Choose(c, static_cast<int>(i));
          return;
        }
      }
      throw ScriptError(c.FullName() + " has no item \"" + value + "\"");
    }
    default:
      throw ScriptError(c.FullName() + " takes no typing");
  }
}

void ScriptInterpreter::ClickStatement(std::string_view reference) {
  const Target t = Resolve(reference);
  switch (t.control->Kind()) {
    case ControlKind::MenuItem:
      if (const MenuEntry* entry = program_.mdiForm1.EntryFor(*t.control);
          entry == nullptr || entry->handler == nullptr) {
        throw ScriptError(t.control->FullName() + " is not a command");
      }
      program_.mdiForm1.Invoke(*t.control);
      return;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (Reachable(t, false)) t.window->Click(*t.control);
      return;
    default:
      throw ScriptError(t.control->FullName() + " cannot be clicked");
  }
}

void ScriptInterpreter::ShowStatement(std::string_view reference) {
  if (reference.find('.') == std::string_view::npos) {
    Window* window = program_.desktop.Find(reference);
    if (window == nullptr) throw ScriptError("no window named " + std::string(reference));
    out_ << window->Name() << " caption=" << Quoted(window->Caption())
         << " visible=" << Flag(window->Visible()) << '\n';
    return;
  }
  const Target t = Resolve(reference);
  out_ << Describe(*t.window, *t.control) << '\n';
}

bool ScriptInterpreter::TakesFile(std::string_view name) const {
  Control* item = program_.mdiForm1.Find(name);
  if (item == nullptr || item->Kind() != ControlKind::MenuItem) return false;
  const MenuEntry* entry = program_.mdiForm1.EntryFor(*item);
  return entry != nullptr && entry->takesFile;
}

// A menu command by its control name, with the file name for the commands that ask for one.
bool ScriptInterpreter::MenuStatement(std::string_view s) {
  const std::size_t blank = s.find_first_of(" \t");
  const std::string_view name = s.substr(0, blank);
  const std::string_view argument =
      blank == std::string_view::npos ? std::string_view() : Trim(s.substr(blank));
  Control* item = program_.mdiForm1.Find(name);
  if (item == nullptr || item->Kind() != ControlKind::MenuItem) return false;
  const MenuEntry* entry = program_.mdiForm1.EntryFor(*item);
  if (entry == nullptr || entry->handler == nullptr) {
    throw ScriptError(std::string(name) + " is a menu, not a command");
  }
  if (!argument.empty() && !entry->takesFile) {
    throw ScriptError(std::string(name) + " takes no file name");
  }
  ImportRequest request;
  const std::string_view file =
      SameName(name, "mnuImport") ? TakeImportOptions(argument, request) : argument;
  program_.importRequest = request;
  host_.SetPendingFile(file.empty() ? std::nullopt : std::optional<std::string>(std::string(file)));
  program_.mdiForm1.Invoke(*item);
  program_.importRequest = ImportRequest{};
  host_.SetPendingFile(std::nullopt);
  return true;
}

void ScriptInterpreter::Message(const std::string& text, MessageKind kind) {
  host_.Message(text, kind);
}

// The plot window as it is drawn now, as a picture file.
void ScriptInterpreter::SavePlot(std::string_view file) {
  const auto endsWith = [&](std::string_view suffix) {
    return file.size() > suffix.size() &&
           SameName(file.substr(file.size() - suffix.size()), suffix);
  };
  if (file.empty()) throw ScriptError("save-plot needs a file name");
  if (endsWith(".png")) {
    if (auto failure = host_.WritePlotImage(program_.plot.formPlot.picture, std::string(file))) {
      Message("Cannot write the file " + std::string(file) + ": " + *failure + ".",
              MessageKind::Critical);
    }
    return;
  }
  if (!endsWith(".svg")) throw ScriptError("save-plot writes a .svg or a .png file");
  if (auto failure = CliHost::WritePlotSvg(program_.plot.formPlot.picture, std::string(file))) {
    Message("Cannot write the file " + std::string(file) + ": " + *failure + ".",
            MessageKind::Critical);
  }
}

}  // namespace vorex
