#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "validation/program_run.h"
#include "validation/published_tables.h"

namespace vorex::validation {

// How a figure of merit is shown and judged: a current against theory by its relative error; a
// potential by its difference in mV; a relative difference between two runs by itself.
enum class Unit { Current, Potential, Relative };

// Which modes a case must hold in for the quick check to pass.
enum Required : unsigned { kNone = 0, kAnalytical = 1, kDigital = 2, kBoth = 3 };

// The simulations of one validation run, each made once however many cases read it.
class Runs {
 public:
  const RunResult& Get(const Setup& setup, Mode mode);

 private:
  std::map<std::string, RunResult> made_;
};

// A measured figure of merit, or why there is none (the mode cannot do the case, or the curve
// has no such feature).
struct Measurement {
  std::optional<double> value;
  std::string note;
};

using Measure = std::function<Measurement(Runs&, Mode)>;

struct Case {
  std::string name;     // unique, for --case
  std::string group;    // heading of the report
  std::string setting;  // technique, mechanism, electrode and parameters, in words
  std::string merit;    // the figure of merit
  Unit unit = Unit::Current;
  // What a value judged as a current is printed in: A, or A s^1/2 for a semi-integral, say.
  std::string valueUnit = "A";
  double theory = 0;     // A, V or a fraction
  std::string source;    // where the theoretical value comes from
  double tolerance = 0;  // relative for currents; V for potentials; absolute for Relative
  Measure measure;
  unsigned required = kNone;
  bool quick = false;          // part of the check that `make test` runs
  double convergenceStep = 0;  // E step [V] of a point of the convergence plot, or 0
};

// The figure of merit of one run, or the refusal of the run: from its total current, or from
// all it gave (the displayed curve, the printed results).
Measurement FromRun(Runs& runs, const Setup& setup, Mode mode,
                    const std::function<double(const Curve&)>& merit);
Measurement FromResult(Runs& runs, const Setup& setup, Mode mode,
                       const std::function<double(const RunResult&)>& merit);

std::vector<Case> AllCases(const PublishedTables& tables);
// The case groups, each in its own file.
void AddSweepCases(std::vector<Case>& cases);
void AddCyclicCases(std::vector<Case>& cases, const PublishedTables& tables);
void AddOhmicCases(std::vector<Case>& cases);
void AddStepCases(std::vector<Case>& cases);
void AddGeometryCases(std::vector<Case>& cases);
void AddUnequalDiffusionCases(std::vector<Case>& cases);
void AddPulseCases(std::vector<Case>& cases);
void AddChemistryCases(std::vector<Case>& cases);
void AddAnalysisCases(std::vector<Case>& cases);
void AddFitCases(std::vector<Case>& cases);
// Rows away from the start-up experiment's n, T, D, alpha and electrode size.
void AddAwayCases(std::vector<Case>& cases);
void AddAwayKineticCases(std::vector<Case>& cases);
void AddAwayGeometryCases(std::vector<Case>& cases);
void AddAwayQuasiReversibleCases(std::vector<Case>& cases, const PublishedTables& tables);
// Mechanisms the user writes: the built-ins as texts, ECE and DISP1, and the independent solver.
void AddWrittenBuiltInCases(std::vector<Case>& cases);
void AddWrittenSecondOrderCases(std::vector<Case>& cases);
void AddWrittenKineticCases(std::vector<Case>& cases);
void AddWrittenReferenceCases(std::vector<Case>& cases);

}  // namespace vorex::validation
