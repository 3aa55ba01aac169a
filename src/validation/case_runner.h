#pragma once

#include <optional>
#include <string>

#include "validation/validation_case.h"

namespace vorex::validation {

// One case in one mode: the measured value, its error against theory and whether it holds.
struct ModeOutcome {
  Measurement measured;
  std::optional<double> error;  // relative for currents and relative differences, V otherwise
  bool holds = false;
};

struct CaseOutcome {
  const Case* c = nullptr;
  ModeOutcome analytical, digital;
  double seconds = 0;

  const ModeOutcome& In(Mode mode) const { return mode == Mode::Digital ? digital : analytical; }
  // Every mode the case is required in holds.
  bool RequiredHold() const;
};

CaseOutcome Evaluate(const Case& c, Runs& runs);

// Text of values and errors as the summary and the report print them.
std::string ValueText(const Case& c, double value);
std::string ErrorText(Unit unit, double error);
std::string ToleranceText(const Case& c);
// "holds", "FAILS", or why there is no value.
std::string Verdict(const ModeOutcome& m);
// One line: name, theory, both modes and the required flag.
std::string SummaryLine(const CaseOutcome& o);

}  // namespace vorex::validation
