#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"

namespace vorex::testing {

// A fresh program driven by statements, as vorex-cli drives it, keeping what they printed and the
// messages shown.
struct ScriptSession {
  // Runs the statements; the status Run gives (2 for one that cannot be understood).
  int Run(const std::string& statements) {
    std::istringstream in(statements);
    return interpreter.Run(in);
  }
  // The messages so far, and forgets them.
  std::string TakeMessages() {
    std::string text = err.str();
    err.str("");
    return text;
  }
  std::string TakeOutput() {
    std::string text = out.str();
    out.str("");
    return text;
  }
  GlobalFitSet& Set() { return program->globalFit; }

  std::ostringstream out, err;
  CliHost host{err};
  std::unique_ptr<Program> program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter{*program, host, out, err};
};

}  // namespace vorex::testing
