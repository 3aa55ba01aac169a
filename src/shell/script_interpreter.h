#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "base/host.h"

namespace vorex {

class CliHost;
class Control;
class Program;
class Window;

// The statements of a vorex-cli script, one a line, carried out on the state as a user's actions
// would be: typing into a field, clicking, choosing a menu command, looking at a control.
class ScriptInterpreter {
 public:
  // Results go to `out` as they are printed; message boxes reach `err` through the host.
  ScriptInterpreter(Program& program, CliHost& host, std::ostream& out, std::ostream& err);

  // Runs every statement; 0 when the script ran to its end or to Exit, 2 when a statement could
  // not be understood (reported on `err` as "line N: reason").
  int Run(std::istream& script);
  // One statement; throws ScriptError when it cannot be understood.
  void Execute(std::string_view statement);
  bool Finished() const;

 private:
  struct Target {
    Window* window;
    Control* control;
  };
  Target Resolve(std::string_view reference) const;
  bool Reachable(const Target& target, bool typing);
  void Assign(std::string_view reference, std::string_view text);
  void Type(const Target& target, std::string_view text);
  void ClickStatement(std::string_view reference);
  void ShowStatement(std::string_view reference);
  bool MenuStatement(std::string_view statement);
  bool TakesFile(std::string_view name) const;
  void SavePlot(std::string_view file);
  void Message(const std::string& text, MessageKind kind = MessageKind::Warning);

  Program& program_;
  CliHost& host_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace vorex
