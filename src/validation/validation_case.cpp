#include "validation/validation_case.h"

#include <stdexcept>

namespace vorex::validation {

const RunResult& Runs::Get(const Setup& setup, Mode mode) {
  std::string key;
  for (const std::string& line : Statements(setup, mode)) key += line + '\n';
  auto found = made_.find(key);
  if (found == made_.end()) found = made_.emplace(key, RunProgram(setup, mode)).first;
  return found->second;
}

Measurement FromRun(Runs& runs, const Setup& setup, Mode mode,
                    const std::function<double(const Curve&)>& merit) {
  return FromResult(runs, setup, mode, [&](const RunResult& run) { return merit(run.curve); });
}

Measurement FromResult(Runs& runs, const Setup& setup, Mode mode,
                       const std::function<double(const RunResult&)>& merit) {
  const RunResult& run = runs.Get(setup, mode);
  if (!run.ok()) return {std::nullopt, "not run: " + run.refusal};
  try {
    return {merit(run), ""};
  } catch (const std::runtime_error& e) {
    return {std::nullopt, std::string("no value: ") + e.what()};
  }
}

std::vector<Case> AllCases(const PublishedTables& tables) {
  std::vector<Case> cases;
  AddSweepCases(cases);
  AddCyclicCases(cases, tables);
  AddOhmicCases(cases);
  AddStepCases(cases);
  AddGeometryCases(cases);
  AddUnequalDiffusionCases(cases);
  AddPulseCases(cases);
  AddChemistryCases(cases);
  AddAnalysisCases(cases);
  AddFitCases(cases);
  AddAwayCases(cases);
  AddAwayKineticCases(cases);
  AddAwayGeometryCases(cases);
  AddAwayQuasiReversibleCases(cases, tables);
  AddWrittenBuiltInCases(cases);
  AddWrittenSecondOrderCases(cases);
  AddWrittenKineticCases(cases);
  AddWrittenReferenceCases(cases);
  return cases;
}

}  // namespace vorex::validation
