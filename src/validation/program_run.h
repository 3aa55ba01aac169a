#pragma once

#include <string>
#include <utility>
#include <vector>

#include "validation/figures_of_merit.h"

// One simulation as a user makes it: a fresh start of the program, then the statements of a
// vorex-cli script that choose the technique, the mode, the mechanism, the electrode and the
// fields of the Experimental dialog, the Simulate command, and any commands that act on the
// curve it made.
namespace vorex::validation {

enum class Mode { Analytical, Digital };

struct Setup {
  int technique = 1;
  int mechanism = 1;
  int electrode = 1;
  // Experimental dialog controls and the text typed (a check box takes 1 or 0, a list the
  // item's text), in order.
  std::vector<std::pair<std::string, std::string>> fields;
  // The Techniques dialog's steps per point, typed in the digital mode; 0 leaves the default.
  int stepsPerPoint = 0;
  // Script statements after Simulate (the Analysis menu's commands, say).
  std::vector<std::string> after;

  Setup& Set(std::string control, std::string text) {
    fields.emplace_back(std::move(control), std::move(text));
    return *this;
  }
  Setup& Then(std::string statement) {
    after.push_back(std::move(statement));
    return *this;
  }
};

// The curve, or why the program would not give one (a refused statement or a message box).
struct RunResult {
  Curve curve;          // the total simulated current
  Curve displayed;      // the current curve as the plot shows it after every statement
  std::string printed;  // what the result window received, line by line
  std::string refusal;
  bool ok() const { return refusal.empty(); }
};

std::vector<std::string> Statements(const Setup& setup, Mode mode);
RunResult RunProgram(const Setup& setup, Mode mode);

// Text of a number for a field, with every digit a double carries.
std::string Text(double value);

}  // namespace vorex::validation
