#include "validation/program_run.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"

namespace vorex::validation {
namespace {

std::string Indexed(const char* control, int i) {
  return std::string(control) + "(" + std::to_string(i) + ")";
}

// The total current column, or the displayed ordinate of the current curve, against the
// abscissa of the curve store.
Curve ReadCurve(const Program& program, bool displayed) {
  const CurveStore& store = program.curves;
  const int total = program.experiment.parameterSet.ChargeReactionCount + 1;
  Curve c;
  c.pointsPerSweep = store.PointsPerSweep;
  for (int k = 1; k <= store.PointCount; ++k) {
    c.e.push_back(store.Abscissa(k));
    c.i.push_back(displayed ? store.Ordinate(k, store.CurrentCurve)
                            : store.SimulatedCurrent(k, total));
  }
  return c;
}

}  // namespace

std::string Text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::vector<std::string> Statements(const Setup& s, Mode mode) {
  std::vector<std::string> lines{
      "mnuTech",
      "FormTech." + Indexed("optTech", s.technique) + " = 1",
      std::string("FormTech.CheckDigital = ") + (mode == Mode::Digital ? "1" : "0"),
  };
  if (mode == Mode::Digital && s.stepsPerPoint > 0)
    lines.push_back("FormTech.TextSteps = " + std::to_string(s.stepsPerPoint));
  lines.insert(
      lines.end(),
      {"click FormTech.CmdOK", "mnuMechamism", "FormMech." + Indexed("mech", s.mechanism) + " = 1",
       "click FormMech.Command1", "mnuExperimental", "FormExpr.CheckPreEqu = 0"});
  if (s.electrode != 1)
    lines.push_back("FormExpr." + Indexed("optElectrode", s.electrode) + " = 1");
  for (const auto& [control, text] : s.fields)
    lines.push_back("FormExpr." + control + " = " + text);
  lines.push_back("click FormExpr.CmdOK");
  lines.push_back("mnuSimulate");
  lines.insert(lines.end(), s.after.begin(), s.after.end());
  return lines;
}

RunResult RunProgram(const Setup& setup, Mode mode) {
  std::ostringstream messages, out, err;
  CliHost host(messages);
  auto program = std::make_unique<Program>(host);
  ScriptInterpreter interpreter(*program, host, out, err);
  RunResult result;
  for (const std::string& line : Statements(setup, mode)) {
    try {
      interpreter.Execute(line);
    } catch (const std::runtime_error& e) {
      result.refusal = line + ": " + e.what();
      return result;
    }
    if (!messages.str().empty()) {
      result.refusal = line + ": " + messages.str();
      while (!result.refusal.empty() && result.refusal.back() == '\n') result.refusal.pop_back();
      return result;
    }
  }
  result.curve = ReadCurve(*program, false);
  result.displayed = ReadCurve(*program, true);
  result.printed = out.str();
  return result;
}

}  // namespace vorex::validation
